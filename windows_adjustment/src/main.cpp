// KAVON: the windowed adjustment of a spatial network. Takes no arguments.
#include "forms/translations.h"
#include "kavon/form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    forms::installToolkitTranslations();
    kavon::Form1 form1;
    form1.showForm();
    return QApplication::exec();
}
