// Running the plane adjustment program and reading its files.
#include "planor_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace planor_e2e {

Result run(const testsupport::DataFolder& folder, const std::string& answers) {
    return testsupport::run_lines(PLANOR_PATH, folder, answers, REPORT);
}

Result run_input(const testsupport::DataFolder& folder, const std::string& input, const std::string& database) {
    folder.write("INPUT.TXT", input);
    std::filesystem::remove(folder.path() / REPORT);  // the report of an earlier run in the folder
    return run(folder, REPORT + "\nINPUT.TXT\n" + database + "\n");
}

int find(const std::vector<std::string>& lines, const std::string& text) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == text) return static_cast<int>(i);
    return -1;
}

std::string plane_input(const std::vector<std::string>& points, const std::vector<std::string>& directions,
                        const std::vector<std::string>& distances) {
    std::string s = "'Rovinna sit'\n5.0 3.0 1.0 2.0\n";
    for (const std::string& p : points) s += p + "\n";
    s += "-1\n";
    for (const std::string& d : directions) s += d + "\n";
    s += "-1\n";
    for (const std::string& d : distances) s += d + "\n";
    return s + "-1\n";
}

std::string example(const std::string& name) {
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    if (!in) ADD_FAILURE() << "example " << name << " is missing";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace planor_e2e
