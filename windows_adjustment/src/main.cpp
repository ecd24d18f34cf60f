// KAVON: the windowed adjustment of a spatial network. Its arguments are the toolkit's, but for
// --help and --version.
#include "forms/translations.h"
#include "kavon/command_line.h"
#include "kavon/form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (const auto status = kavon::answerArguments(argc, argv)) return *status;
    QApplication application(argc, argv);
    forms::installToolkitTranslations();
    kavon::Form1 form1;
    form1.showForm();
    return QApplication::exec();
}
