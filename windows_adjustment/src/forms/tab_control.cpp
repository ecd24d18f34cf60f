// The tabbed control.
#include "forms/tab_control.h"

namespace forms {

TabControl::TabControl(QWidget* container, const std::vector<std::string>& captions)
    : Control(container), bar_(new QTabBar(this)), frame_(new QFrame(this))
{
    frame_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    for (const auto& caption : captions) {
        bar_->addTab(QString::fromStdString(caption));
        auto* page = new QWidget(this);
        page->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        pages_.push_back(page);
    }
    bar_->setExpanding(true);
    QObject::connect(bar_, &QTabBar::currentChanged, [this](int tab) { showPage(tab); });
    showPage(0);
}

std::string TabControl::tabCaption(int tab) const { return bar_->tabText(tab).toStdString(); }

void TabControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int barHeight = bar_->sizeHint().height();
    bar_->setGeometry(0, 0, QWidget::width(), barHeight);
    frame_->setGeometry(0, barHeight - 1, QWidget::width(), QWidget::height() - barHeight + 1);
    // The pages cover the whole control, so their controls take its coordinates; the tab row
    // stays above them.
    for (QWidget* page : pages_) page->setGeometry(0, 0, QWidget::width(), QWidget::height());
    bar_->raise();
}

void TabControl::showPage(int tab)
{
    for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(static_cast<int>(i) == tab);
    bar_->raise();
}

}  // namespace forms
