// The tabbed control: a row of tabs with captions, each tab holding its own controls. A control
// placed on a tab takes the tabbed control's own coordinates (its top-left corner), as in the
// forms, and is seen only while its tab is the current one.
#pragma once
#include "forms/controls.h"

#include <QTabBar>
#include <string>
#include <vector>

namespace forms {

class TabControl : public Control<QWidget> {
public:
    TabControl(QWidget* container, const std::vector<std::string>& captions);
    int tabs() const { return static_cast<int>(pages_.size()); }
    std::string tabCaption(int tab) const;
    // The container of a tab's controls (tabs counted from 0).
    QWidget* page(int tab) const { return pages_[static_cast<std::size_t>(tab)]; }
    void setCurrentTab(int tab) { bar_->setCurrentIndex(tab); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPage(int tab);

    QTabBar* bar_;
    QFrame* frame_;
    std::vector<QWidget*> pages_;
};

}  // namespace forms
