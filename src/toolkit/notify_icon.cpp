#include "toolkit/notify_icon.h"

#include <algorithm>

namespace tavrin {

void NotifyIcon::SetVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    if (view_ == nullptr) return;
    view_->ShowIcon(on);
    if (on) view_->ShowTip(tip_);
}

void NotifyIcon::SetTip(std::string tip) {
    if (tip == tip_) return;
    tip_ = std::move(tip);
    if (view_ != nullptr && visible_) view_->ShowTip(tip_);
}

void NotifyIcon::Notify(const std::string& title, const std::string& text) {
    if (view_ != nullptr && visible_) view_->ShowNotice(title, text);
}

void NotifyIcon::Click() {
    if (visible_ && onClick) onClick();
}

void NotifyIcon::ChooseMenuItem(std::string_view item) {
    if (visible_ && onMenuItem && std::find(menu_.begin(), menu_.end(), item) != menu_.end()) onMenuItem(item);
}

void NotifyIcon::Bind(NotifyIconView* view) {
    view_ = view;
    if (view_ == nullptr || !visible_) return;
    view_->ShowIcon(true);
    view_->ShowTip(tip_);
}

}  // namespace tavrin
