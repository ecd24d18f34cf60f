// A run of the main window under test: the Open dialog answers from a list, message boxes are
// recorded, the end of the program is counted, and input files are written to a temporary
// folder, which is the current directory (where the work file goes) while the session lasts.
#pragma once
#include "forms/numbers.h"
#include "kavon/texts.h"
#include "forms/runtime.h"
#include "kavon/form1.h"
#include "testsupport/runner.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kavon::test {

class Session {
public:
    explicit Session(const std::string& decimalSeparator = ".")
    {
        forms::setRegionalSettings({decimalSeparator});
        auto& seam = forms::runtimeSeam();
        seam.openDialog = [this](const forms::OpenDialogRequest& request) {
            requests.push_back(request);
            if (answers.empty()) return std::string();
            std::string answer = answers.front();
            answers.pop_front();
            return answer;
        };
        seam.messageBox = [this](const std::string& text) { messages.push_back(text); };
        seam.endProgram = [this] { ++ends; };
        seam.openFault = nullptr;
        std::filesystem::current_path(folder.path());
        form1 = std::make_unique<Form1>();
        form1->load();
    }
    ~Session()
    {
        form1.reset();
        forms::runtimeSeam() = {};
        std::filesystem::current_path(startDirectory);
    }

    // Writes an input file into the folder; its full path.
    std::string file(const std::string& name, const std::string& text) const
    {
        folder.write(name, text);
        return (folder.path() / name).string();
    }
    // Chooses the file in the Open dialog and reads it.
    void openAndRead(const std::string& path)
    {
        answers.push_back(path);
        form1->Command4_Click();
        form1->Command5_Click();
    }

    const std::filesystem::path startDirectory = std::filesystem::current_path();
    testsupport::DataFolder folder;
    std::deque<std::string> answers;
    std::vector<forms::OpenDialogRequest> requests;
    std::vector<std::string> messages;
    int ends = 0;
    std::unique_ptr<Form1> form1;
};

// The reading example: 3 points, 6 directions at 2 stations, 4 zenith angles, 2 slope
// distances, four terminators.
inline const char* readingExample =
    "'Example network'\n"
    "3.0 2.0 5.0 1.5 0.0\n"
    "1 7 1000.0 2000.0 300.0\n"
    "2 2 1350.04 2120.0 310.5\n"
    "3 0 1179.96 2419.8 305.2\n"
    "-1\n"
    "1 2 3317312.9 1.0\n"
    "1 3 3849276.8 1.0\n"
    "1 4 388665.6 1.0\n"
    "2 1 2776399.9 1.0\n"
    "2 3 1894334.4 1.0\n"
    "2 5 1347752 1.0\n"
    "-1\n"
    "1 2 981947.1 0.36\n"
    "1 3 992754.5 0.36\n"
    "2 1 1008774.3 0.36\n"
    "3 1 995069.9 0.36\n"
    "-1\n"
    "1 2 370150.5 2.25\n"
    "2 3 344859.6 2.25\n"
    "-1\n";

}  // namespace kavon::test
