// What the forms run-time offers besides the controls: the message box, letting pending window
// events run, and the end of the program; and the seam through which a test answers the
// dialogs and message boxes, sees the end of the program and makes file opens fail.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace forms {

// The title of every message box: the program's own name.
inline constexpr const char* programTitle = "KAVON";

struct OpenDialogRequest {
    std::string filter;  // "text|pattern|text|pattern..."
    int filterIndex = 1; // 1-based entry preselected
};

struct RuntimeSeam {
    // The Open dialog: the chosen file name, or an empty text for a cancel.
    std::function<std::string(const OpenDialogRequest&)> openDialog;
    // A message box with one OK button; it returns when answered.
    std::function<void(const std::string& text)> messageBox;
    // The end of the program.
    std::function<void()> endProgram;
    // Makes an open report this error number instead of opening (0: open as usual).
    std::function<int(const std::string& path)> openFault;
};

// Unset members fall back to the real dialogs, message boxes and the end of the program.
RuntimeSeam& runtimeSeam();

// A message box with one OK button and the program's title.
void msgBox(const std::string& text);
// Lets the window events that are waiting run, as the run-time's DoEvents.
void doEvents();
// Ends the program: every window is closed and the event loop left.
void endProgram();

}  // namespace forms
