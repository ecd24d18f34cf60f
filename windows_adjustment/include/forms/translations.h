// The toolkit's own texts (the Open dialog, the buttons of the message boxes) in the language
// of the user's locale.
#pragma once
#include <QLocale>

namespace forms {

// Loads the toolkit's translations for the locale from the toolkit's translations folder into
// the application; false, and the texts stay as they are, where the locale has none.
bool installToolkitTranslations(const QLocale& locale = QLocale());

}  // namespace forms
