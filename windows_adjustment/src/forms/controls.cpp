// Buttons, labels, text boxes, combo, list and check boxes, picture boxes.
#include "forms/controls.h"

#include "forms/keys.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace forms {

namespace {
QString qs(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

QFont sansSerifFont(double points, bool bold)
{
    QFont font(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

Button::Button(QWidget* container, const std::string& caption) : Control(container)
{
    setText(qs(caption));
    QObject::connect(this, &QPushButton::clicked, [this] {
        if (Click) Click();
    });
}

std::string Button::caption() const { return text().toStdString(); }

void Button::setBackColor(Rgb colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Button, QColor(colour.red, colour.green, colour.blue));
    setPalette(palette);
}

Label::Label(QWidget* container, const std::string& caption) : Control(container)
{
    setText(qs(caption));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

std::string Label::caption() const { return text().toStdString(); }

void Label::setCaption(const std::string& caption) { setText(qs(caption)); }

QFont fittingFont(const QFont& font, const QString& text, int room)
{
    if (QFontMetrics(font).horizontalAdvance(text) <= room) return font;
    QFont condensed = font;
    // Narrower step by step, down to half the width at most.
    for (int stretch = 98; stretch >= 50; stretch -= 2) {
        condensed.setStretch(stretch);
        if (QFontMetrics(condensed).horizontalAdvance(text) <= room) break;
    }
    return condensed;
}

QFont Label::captionFont() const { return fittingFont(font(), text(), contentsRect().width()); }

void Label::paintEvent(QPaintEvent* event)
{
    const QFont shown = captionFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(shown);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

void Label::setForeColor(Rgb colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(colour.red, colour.green, colour.blue));
    setPalette(palette);
}

TextBox::TextBox(QWidget* container) : Control(container)
{
    // A thin frame and no inner margin, so a text box of one cell's height shows its text.
    setStyleSheet("QLineEdit { border: 1px solid gray; padding: 0px; }");
    QObject::connect(this, &QLineEdit::textChanged, [this] {
        if (Change) Change();
    });
}

std::string TextBox::text() const { return QLineEdit::text().toStdString(); }

void TextBox::setText(const std::string& text) { QLineEdit::setText(qs(text)); }

int TextBox::selStart() const { return cursorPosition(); }

void TextBox::setSelStart(int start) { setCursorPosition(std::min(start, static_cast<int>(QLineEdit::text().size()))); }

void TextBox::keyPressEvent(QKeyEvent* event)
{
    int keyCode = keyCodeOf(event->key());
    if (KeyDown) KeyDown(keyCode, shiftStateOf(event->modifiers()));
    if (keyCode == 0 && keyCodeOf(event->key()) != 0) return;
    const QString typed = event->text();
    if (!typed.isEmpty() && KeyPress) {
        int keyAscii = typed.at(0).unicode();
        const int original = keyAscii;
        KeyPress(keyAscii);
        if (keyAscii == 0) return;
        if (keyAscii != original) {
            insert(QString(QChar(keyAscii)));
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

ComboBox::ComboBox(QWidget* container) : Control(container)
{
    setEditable(true);
    // A narrow drop-down button, so a combo box 615 twips wide still shows its text.
    setStyleSheet("QComboBox { padding: 0px 0px 0px 1px; } QComboBox::drop-down { width: 12px; }");
}

std::string ComboBox::text() const { return currentText().toStdString(); }

void ComboBox::setText(const std::string& text)
{
    if (isEditable()) setEditText(qs(text));
    else setPlaceholderText(qs(text));
}

void ComboBox::setDropDownList()
{
    const QString shown = currentText();
    setEditable(false);
    setCurrentIndex(-1);
    setPlaceholderText(shown);
}

void ComboBox::addItem(const std::string& item, int index)
{
    // Adding an item must not change the text shown.
    const QString shown = currentText();
    insertItem(index < 0 ? count() : index, qs(item));
    setCurrentIndex(-1);
    if (isEditable()) setEditText(shown);
}

std::string ComboBox::list(int index) const { return itemText(index).toStdString(); }

ListBox::ListBox(QWidget* container) : Control(container) {}

void ListBox::addItem(const std::string& item) { QListWidget::addItem(qs(item)); }

std::string ListBox::list(int index) const { return item(index) ? item(index)->text().toStdString() : std::string(); }

CheckBox::CheckBox(QWidget* container) : Control(container)
{
    QObject::connect(this, &QCheckBox::clicked, [this] {
        if (Click) Click();
    });
}

PictureBox::PictureBox(QWidget* container) : Control(container) { setFrameStyle(QFrame::Panel | QFrame::Sunken); }

}  // namespace forms
