// Pictures of the windows for people to look at: the main window at start, after reading the
// bundled example network, with the cell editor open over a cell of the point table and after
// a computation; the results window on each of its tabs, and with the distance dialogue after
// two distances. Writes kavon-start.png, kavon-read.png, kavon-editing.png, kavon-computed.png,
// kavon-results-*.png and kavon-distances.png into the folder given as the first argument (the
// current folder without one), which is also where the results display writes its work file.
// Fails only when a window is not shown.
#include "forms/runtime.h"
#include "kavon/form1.h"
#include "kavon/form3.h"

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
    const QDir folder(QDir(argc > 1 ? argv[1] : ".").absolutePath());
    QDir::setCurrent(folder.path());
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
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    form1.Command8->click();
    shown = save(form1, folder, "kavon-computed.png") && shown;
    form1.Command7->click();
    kavon::Form3& form3 = form1.form3();
    if (!QTest::qWaitForWindowExposed(&form3)) return 1;
    for (int tab = 0; tab < form3.SSTab1->tabs(); ++tab) {
        form3.SSTab1->setCurrentTab(tab);
        const std::string name = "kavon-results-coordinates-" + std::to_string(tab + 1) + ".png";
        shown = save(form3, folder, name.c_str()) && shown;
    }
    form3.SSTab1->setCurrentTab(0);
    for (int tab = 0; tab < form3.SSTab2->tabs(); ++tab) {
        form3.SSTab2->setCurrentTab(tab);
        const std::string name = "kavon-results-observations-" + std::to_string(tab + 1) + ".png";
        shown = save(form3, folder, name.c_str()) && shown;
    }
    form3.Check1->click();
    const std::pair<int, int> pairs[] = {{0, 1}, {0, 2}};
    for (const auto& [a, b] : pairs) {
        form3.Combo1->setListIndex(a);
        form3.Combo2->setListIndex(b);
        form3.Command1->click();
    }
    shown = save(form3, folder, "kavon-distances.png") && shown;
    return shown ? 0 : 1;
}
