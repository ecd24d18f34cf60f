// Editing the point table through keys and clicks as a user gives them, and writing it back.
#include "session.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace kavon {
namespace {

class KavonEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.openAndRead(s.file("net.txt", test::readingExample));
        f.showForm();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        f.Fl1->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(f.Fl1->hasFocus());
    }

    // Keys go where the focus is, as a user's keys do.
    void type(const char* keys)
    {
        for (const char* k = keys; *k; ++k) QTest::keyClick(QApplication::focusWidget(), *k);
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    QPoint centre(int row, int col) const { return f.Fl1->cellRect(row, col).center(); }
    void moveTo(int row, int col)
    {
        f.Fl1->setRow(row);
        f.Fl1->setCol(col);
    }

    test::Session s;
    Form1& f = *s.form1;
};

TEST_F(KavonEditing, PrintableKeyOpensTheEditorWithIt)
{
    moveTo(2, 1);
    type("5");
    ASSERT_TRUE(f.TxtEdit->isVisible());
    EXPECT_TRUE(f.TxtEdit->hasFocus());
    EXPECT_EQ(f.TxtEdit->text(), "5");
    EXPECT_EQ(f.TxtEdit->selStart(), 1);
    type("07");
    EXPECT_EQ(f.TxtEdit->text(), "507");
    // Over the cell, inside its grid lines.
    EXPECT_EQ(f.TxtEdit->left(), f.Fl1->left() + f.Fl1->cellLeft());
    EXPECT_EQ(f.TxtEdit->top(), f.Fl1->top() + f.Fl1->cellTop());
    EXPECT_EQ(f.TxtEdit->width(), 1400 - 8);
    EXPECT_EQ(f.TxtEdit->height(), f.Fl1->rowHeight() - 8);
    EXPECT_EQ(f.Fl1->textMatrix(2, 1), "1350.0") << "nothing stored while typing";
}

TEST_F(KavonEditing, DoubleClickSpaceAndEnterOpenWithTheCellsText)
{
    QTest::mouseClick(f.Fl1->viewport(), Qt::LeftButton, {}, centre(3, 2));
    QTest::mouseDClick(f.Fl1->viewport(), Qt::LeftButton, {}, centre(3, 2));
    ASSERT_TRUE(f.TxtEdit->isVisible());
    EXPECT_EQ(f.TxtEdit->text(), "2419.8");
    EXPECT_EQ(f.TxtEdit->selStart(), 6);
    key(Qt::Key_Escape);

    for (const Qt::Key k : {Qt::Key_Space, Qt::Key_Return}) {
        moveTo(1, 3);
        ASSERT_TRUE(f.Fl1->hasFocus());
        key(k);
        ASSERT_TRUE(f.TxtEdit->isVisible()) << k;
        EXPECT_EQ(f.TxtEdit->text(), "300.0");
        EXPECT_EQ(f.TxtEdit->selStart(), 5);
        key(Qt::Key_Escape);
    }
}

TEST_F(KavonEditing, EnterStoresWithoutACharacter)
{
    moveTo(2, 4);
    type("3");
    key(Qt::Key_Return);
    EXPECT_FALSE(f.TxtEdit->isVisible());
    EXPECT_TRUE(f.Fl1->hasFocus());
    EXPECT_EQ(f.Fl1->textMatrix(2, 4), "3");
    // Enter reaches the editor's KeyPress as 13 and is swallowed there (no character, no beep).
    int keyAscii = 13;
    f.TxtEdit_KeyPress(keyAscii);
    EXPECT_EQ(keyAscii, 0);
    keyAscii = '7';
    f.TxtEdit_KeyPress(keyAscii);
    EXPECT_EQ(keyAscii, '7');
}

TEST_F(KavonEditing, EscLeavesTheCellUnchanged)
{
    moveTo(2, 1);
    type("999");
    key(Qt::Key_Escape);
    EXPECT_FALSE(f.TxtEdit->isVisible());
    EXPECT_TRUE(f.Fl1->hasFocus());
    EXPECT_EQ(f.Fl1->textMatrix(2, 1), "1350.0");
}

TEST_F(KavonEditing, UpAndDownStoreAndMoveWithinTheDataRows)
{
    struct Case {
        int row;
        Qt::Key key;
        int rowAfter;
    };
    const Case cases[] = {{1, Qt::Key_Up, 1}, {3, Qt::Key_Down, 3}, {2, Qt::Key_Up, 1}, {2, Qt::Key_Down, 3}};
    for (const auto& c : cases) {
        moveTo(c.row, 3);
        type("4");
        key(c.key);
        EXPECT_FALSE(f.TxtEdit->isVisible());
        EXPECT_EQ(f.Fl1->textMatrix(c.row, 3), "4") << "row " << c.row;
        EXPECT_EQ(f.Fl1->row(), c.rowAfter) << "row " << c.row;
        EXPECT_EQ(f.Fl1->col(), 3);
    }
}

TEST_F(KavonEditing, ClickOnAnotherCellStoresIntoTheEditedOne)
{
    moveTo(1, 2);
    type("2222");
    QTest::mouseClick(f.Fl1->viewport(), Qt::LeftButton, {}, centre(3, 4));
    EXPECT_FALSE(f.TxtEdit->isVisible());
    EXPECT_EQ(f.Fl1->textMatrix(1, 2), "2222");
    EXPECT_EQ(f.Fl1->textMatrix(3, 4), "0");
    EXPECT_EQ(f.Fl1->row(), 3);
    EXPECT_EQ(f.Fl1->col(), 4);
}

TEST_F(KavonEditing, FixedCellsAreNeverCurrent)
{
    QTest::mouseClick(f.Fl1->viewport(), Qt::LeftButton, {}, f.Fl1->cellRect(2, 0).center());
    QTest::mouseClick(f.Fl1->viewport(), Qt::LeftButton, {}, f.Fl1->cellRect(0, 2).center());
    EXPECT_EQ(f.Fl1->row(), 1);
    EXPECT_EQ(f.Fl1->col(), 1);
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    EXPECT_EQ(f.Fl1->row(), 1);
    EXPECT_EQ(f.Fl1->col(), 1);
}

TEST_F(KavonEditing, ZapsatZmenyWritesTheTableBack)
{
    f.Fl1->setTextArray(1 * 5, "12.7");
    f.Fl1->setTextArray(2 * 5, "-3.5");
    moveTo(3, 1);
    type("1179.9");
    key(Qt::Key_Return);
    ASSERT_TRUE(f.Command6->enabled());
    const double rc = f.data.RC;
    f.Command6->click();
    const ModuleData& d = f.data;
    EXPECT_EQ(d.pointNumber[1], 12);
    EXPECT_EQ(d.pointNumber[2], -4);
    EXPECT_EQ(d.pointNumber[3], 3);
    EXPECT_EQ(std::get<std::string>(d.pointX[3]), "1179.9");
    // Cells not edited come back as their text.
    EXPECT_EQ(std::get<std::string>(d.pointX[1]), "1000.0");
    EXPECT_EQ(std::get<std::string>(d.pointZ[2]), "310.5");
    EXPECT_EQ(std::get<std::string>(d.pointCode[1]), "7");
    EXPECT_EQ(d.RC, rc);
    EXPECT_EQ(d.dirValue[6], 1347752);
    EXPECT_EQ(d.sigma0, 1.5);
    EXPECT_FALSE(f.Command6->enabled());
    key(Qt::Key_Up);
    EXPECT_TRUE(f.Command6->enabled());
}

}  // namespace
}  // namespace kavon
