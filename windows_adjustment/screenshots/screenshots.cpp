// Pictures of the main window for people to look at: at start, after reading the bundled
// example network, and with the cell editor open over a cell of the point table. Writes
// kavon-start.png, kavon-read.png and kavon-editing.png into the folder given as the first
// argument (the current folder without one). Fails only when a window is not shown.
#include "forms/runtime.h"
#include "kavon/form1.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <iostream>

namespace {

bool save(QWidget& window, const QDir& folder, const char* name)
{
    QApplication::processEvents();
    if (!window.isVisible()) {
        std::cerr << "the window is not shown: " << name << '\n';
        return false;
    }
    const QString path = folder.filePath(name);
    if (!window.grab().save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
        return false;
    }
    std::cout << path.toStdString() << '\n';
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? argv[1] : ".");
    const std::string example = std::string(KAVON_EXAMPLE);
    auto& seam = forms::runtimeSeam();
    seam.openDialog = [&](const forms::OpenDialogRequest&) { return example; };
    seam.messageBox = [](const std::string& text) { std::cout << "message: " << text << '\n'; };
    seam.endProgram = [] {};

    kavon::Form1 form1;
    form1.showForm();
    if (!QTest::qWaitForWindowExposed(&form1)) return 1;
    if (!QTest::qWaitForWindowActive(&form1)) std::cerr << "the window is not active: the editor may lack the focus\n";
    bool shown = save(form1, folder, "kavon-start.png");

    form1.Command4->click();
    form1.Command5->click();
    shown = save(form1, folder, "kavon-read.png") && shown;

    // The editor over the y of point 3, opened by typing a digit.
    form1.Fl1->setFocus();
    form1.Fl1->setRow(3);
    form1.Fl1->setCol(2);
    for (const char key : std::string("2419")) QTest::keyClick(QApplication::focusWidget(), key);
    shown = save(form1, folder, "kavon-editing.png") && shown && form1.TxtEdit->isVisible();
    return shown ? 0 : 1;
}
