// Message box, pending events, end of the program, and the test seam.
#include "forms/runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace forms {

RuntimeSeam& runtimeSeam()
{
    static RuntimeSeam seam;
    return seam;
}

void msgBox(const std::string& text)
{
    if (runtimeSeam().messageBox) {
        runtimeSeam().messageBox(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(programTitle), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void doEvents() { QCoreApplication::processEvents(); }

void endProgram()
{
    if (runtimeSeam().endProgram) {
        runtimeSeam().endProgram();
        return;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    QCoreApplication::exit(0);
}

}  // namespace forms
