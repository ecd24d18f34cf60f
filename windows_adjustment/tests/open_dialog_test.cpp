// The toolkit's Open dialog itself, offscreen: what a typed name gives the program, and its
// texts under a Czech locale (run by the test kavon.czech_locale, which sets one).
#include "forms/common_dialog.h"
#include "forms/runtime.h"
#include "forms/translations.h"
#include "session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

namespace kavon {
namespace {

// Runs `act` on the Open dialog once it is shown; any message box that the dialog then puts up
// in front of it is refused, and a dialog still open afterwards is cancelled, so that a dialog
// that refuses never stops the test.
void whenTheDialogShows(std::function<void(QFileDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no Open dialog";
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
        });
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

QAbstractButton* acceptButton(QFileDialog& dialog)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    if (buttons == nullptr) return nullptr;
    if (auto* open = buttons->button(QDialogButtonBox::Open)) return open;
    return buttons->button(QDialogButtonBox::Save);
}

TEST(KavonOpenDialog, TypedNameThatDoesNotExistGoesToTheReading)
{
    test::Session s;
    forms::runtimeSeam().openDialog = nullptr;  // the toolkit's own dialog
    whenTheDialogShows([](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("NOFILE.TXT");
        QAbstractButton* open = acceptButton(dialog);
        ASSERT_NE(open, nullptr);
        ASSERT_TRUE(open->isEnabled());
        QTest::mouseClick(open, Qt::LeftButton);
    });
    s.form1->Command4_Click();
    EXPECT_EQ(s.messages.size(), 1u);  // the information message only: no refusal
    const std::string name = s.form1->data.inputFileName;
    ASSERT_GE(name.size(), 10u);
    EXPECT_EQ(name.substr(name.size() - 10), "NOFILE.TXT");
    EXPECT_FALSE(s.form1->Command4->enabled());
    ASSERT_TRUE(s.form1->Command5->enabled());  // "Čtení ze souboru"
    s.form1->Command5_Click();
    ASSERT_EQ(s.messages.size(), 2u);
    EXPECT_EQ(s.messages.back(), "Chyba ve čtení souboru");
    EXPECT_TRUE(s.form1->Command5->enabled());
}

TEST(KavonOpenDialog, CancelLeavesTheNameEmpty)
{
    forms::CommonDialog dialog;
    dialog.fileName = "DEMO.TXT";
    dialog.filter = "All Files (*.*)|*.*|Geo data (*.txt)|*.txt";
    whenTheDialogShows([](QFileDialog& shown) { shown.reject(); });
    dialog.setAction(1);
    EXPECT_EQ(dialog.fileName, "");
}

// Under a Czech locale the dialog's buttons carry the Czech texts of the toolkit's own
// translations; elsewhere (the other runs of the tests) there is nothing to check.
TEST(KavonToolkitTexts, CzechOpenDialogUnderACzechLocale)
{
    if (QLocale::system().language() != QLocale::Czech) {
        // kavon.czech_locale sets KAVON_CZECH_LOCALE: there the locale must have taken effect.
        ASSERT_EQ(std::getenv("KAVON_CZECH_LOCALE"), nullptr) << "the Czech locale did not take effect";
        GTEST_SKIP() << "not a Czech locale";
    }
    ASSERT_TRUE(forms::installToolkitTranslations());
    forms::CommonDialog dialog;
    dialog.filter = "All Files (*.*)|*.*|Geo data (*.txt)|*.txt";
    QString open, cancel;
    whenTheDialogShows([&](QFileDialog& shown) {
        auto* buttons = shown.findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        if (QAbstractButton* b = acceptButton(shown)) open = b->text();
        if (QAbstractButton* b = buttons->button(QDialogButtonBox::Cancel)) cancel = b->text();
    });
    dialog.setAction(1);
    EXPECT_EQ(open.toStdString(), "&Otevřít");
    EXPECT_EQ(cancel.toStdString(), "Zrušit");
}

TEST(KavonToolkitTexts, NoTranslationsForALocaleWithoutThem)
{
    EXPECT_FALSE(forms::installToolkitTranslations(QLocale(QLocale::Zulu)));
}

}  // namespace
}  // namespace kavon
