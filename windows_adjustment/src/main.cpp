// KAVON: the windowed adjustment of a spatial network. Takes no arguments.
#include "kavon/form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    kavon::Form1 form1;
    form1.showForm();
    return QApplication::exec();
}
