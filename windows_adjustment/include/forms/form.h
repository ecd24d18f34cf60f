// A window of the forms run-time: its client area in twips, the texts printed on it, and its
// life: loaded (its Form_Load has run), shown, hidden, unloaded.
#pragma once
#include <QWidget>
#include <string>
#include <vector>

namespace forms {

class Form : public QWidget {
public:
    Form(const std::string& caption, int clientWidth, int clientHeight);

    std::string caption() const;
    // Runs Form_Load once, on the first load (also through show()).
    void load();
    bool loaded() const { return loaded_; }
    void showForm();
    void hideForm();
    // Runs Form_Unload and hides the window; a later load runs Form_Load again.
    void unload();

    // Prints a line of text at the current print position, which then moves to the next line.
    void print(const std::string& text);
    const std::vector<std::string>& printedLines() const { return printed_; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool loaded_ = false;
    std::vector<std::string> printed_;
};

}  // namespace forms
