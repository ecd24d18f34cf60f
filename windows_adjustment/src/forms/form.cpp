// Windows of the forms run-time.
#include "forms/form.h"

#include "forms/controls.h"
#include "forms/twips.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>

namespace forms {

Form::Form(const std::string& caption, int clientWidth, int clientHeight)
{
    setWindowTitle(QString::fromStdString(caption));
    setFont(sansSerifFont(defaultFontPoints, false));
    resize(px(clientWidth), px(clientHeight));
}

std::string Form::caption() const { return windowTitle().toStdString(); }

void Form::load()
{
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void Form::showForm()
{
    load();
    show();
    raise();
    activateWindow();
}

void Form::hideForm() { hide(); }

void Form::unload()
{
    if (!loaded_) return;
    loaded_ = false;
    hide();
    Form_Unload();
}

void Form::print(const std::string& text)
{
    printed_.push_back(text);
    update();
}

void Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    unload();
}

void Form::paintEvent(QPaintEvent*)
{
    // The printed texts, one line below the other from the top-left corner.
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    int y = metrics.ascent();
    for (const auto& line : printed_) {
        painter.drawText(0, y, QString::fromStdString(line));
        y += metrics.height();
    }
}

}  // namespace forms
