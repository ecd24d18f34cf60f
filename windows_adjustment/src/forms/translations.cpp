// The toolkit's translations for the user's locale.
#include "forms/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace forms {

bool installToolkitTranslations(const QLocale& locale)
{
    // One translator for the whole run, made when the first window is about to appear.
    static QTranslator translator;
    if (!translator.load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

}  // namespace forms
