// The common dialog control, as far as the Open dialog goes: FileName, Filter in the form
// "text|pattern|text|pattern...", FilterIndex (1-based), and Action 1 that shows the dialog.
#pragma once
#include <QStringList>
#include <string>

namespace forms {

class CommonDialog {
public:
    std::string fileName;
    std::string filter;
    int filterIndex = 1;

    // Action 1 shows the Open dialog: FileName becomes the chosen file, or empty on a cancel
    // (no error is raised). Other actions are not used by this program and do nothing.
    void setAction(int action);
};

// The filter as Qt name filters, one per entry: "text (pattern)" with each pattern matching
// letters of either case, as the file systems of the forms run-time do ("*.txt" finds DEMO.TXT),
// and "*.*" matching every name.
QStringList qtNameFilters(const std::string& filter);

}  // namespace forms
