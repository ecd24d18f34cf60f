// The controls of the forms run-time on Qt widgets: placed in twips inside their container,
// with the properties and events that the windows of this program use. Visible and Enabled are
// each control's own settings, also while its window is not shown.
#pragma once
#include "forms/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <string>

namespace forms {

// The fonts of the forms: the system's sans-serif face. The default is 8.25 pt.
inline constexpr double defaultFontPoints = 8.25;
QFont sansSerifFont(double points, bool bold);
// The font in which a text is drawn into a room of the given width [pixels]: the font itself
// when the text fits, else the same font condensed until it fits (down to half its width). The
// sizes in twips were chosen for a narrower face than the system's may be, so a caption or a
// cell text is drawn narrower rather than cut off.
QFont fittingFont(const QFont& font, const QString& text, int room);

struct Rgb {
    int red, green, blue;
};

template <class QtWidget>
class Control : public QtWidget {
public:
    explicit Control(QWidget* container) : QtWidget(container) {}

    // Left, top, width, height in twips inside the container.
    void place(int left, int top, int width, int height)
    {
        rect_ = {left, top, width, height};
        this->setGeometry(px(left), px(top), px(width), px(height));
    }
    int left() const { return rect_.left; }
    int top() const { return rect_.top; }
    int width() const { return rect_.width; }
    int height() const { return rect_.height; }

    bool visible() const { return !this->isHidden(); }
    bool enabled() const { return !this->testAttribute(Qt::WA_ForceDisabled); }
    void setFontPoints(double points, bool bold) { this->setFont(sansSerifFont(points, bold)); }

private:
    TwipsRect rect_;
};

class Button : public Control<QPushButton> {
public:
    Button(QWidget* container, const std::string& caption);
    std::string caption() const;
    void setBackColor(Rgb colour);
    std::function<void()> Click;
};

// A label shows its whole caption on one line, condensed where it must be (fittingFont).
class Label : public Control<QLabel> {
public:
    Label(QWidget* container, const std::string& caption);
    std::string caption() const;
    void setCaption(const std::string& caption);
    void setForeColor(Rgb colour);
    bool bold() const { return font().bold(); }
    // The font in which the caption is drawn: the label's own, condensed where it needs to be.
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A one-line text box. KeyDown gets the key code and shift state (a key code set to 0 does
// nothing more); KeyPress then gets the character code of a key that types one (Enter 13,
// Esc 27, Backspace 8 included): set to 0 the key is swallowed, set to another code that
// character is typed instead. Change follows every change of the text, typed or set.
class TextBox : public Control<QLineEdit> {
public:
    explicit TextBox(QWidget* container);
    std::string text() const;
    void setText(const std::string& text);
    // Place of the text cursor, in characters; a start beyond the text puts it at the end.
    int selStart() const;
    void setSelStart(int start);

    std::function<void()> Change;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyAscii)> KeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A combo box with an editable text and a list, or (as a drop-down list) a list only, whose text
// until an item is chosen is the one set.
class ComboBox : public Control<QComboBox> {
public:
    explicit ComboBox(QWidget* container);
    // The drop-down list style: nothing can be typed, only an item chosen.
    void setDropDownList();
    std::string text() const;
    void setText(const std::string& text);
    // Adds an item at a list position, or at the end for -1.
    void addItem(const std::string& item, int index = -1);
    int listCount() const { return count(); }
    std::string list(int index) const;
    // The selected list position, -1 when none.
    int listIndex() const { return currentIndex(); }
    void setListIndex(int index) { setCurrentIndex(index); }
};

class ListBox : public Control<QListWidget> {
public:
    explicit ListBox(QWidget* container);
    void addItem(const std::string& item);
    int listCount() const { return count(); }
    std::string list(int index) const;
};

class CheckBox : public Control<QCheckBox> {
public:
    explicit CheckBox(QWidget* container);
    std::function<void()> Click;
};

// A picture box used as a container: controls placed in it take its own coordinates.
class PictureBox : public Control<QFrame> {
public:
    explicit PictureBox(QWidget* container);
};

}  // namespace forms
