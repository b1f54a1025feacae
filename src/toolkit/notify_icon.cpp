#include "toolkit/notify_icon.h"

#include <algorithm>

namespace tavrin {

void NotifyIcon::SetVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    if (on) {
        Add();
    } else if (shown_) {
        shown_ = false;
        if (view_ != nullptr) (void)view_->ShowIcon(false, tip_);
    }
}

void NotifyIcon::TaskbarCreated() {
    shown_ = false;  // the new taskbar knows no icon
    Add();
}

void NotifyIcon::Add() {
    if (view_ != nullptr && visible_ && !shown_) shown_ = view_->ShowIcon(true, tip_);
}

void NotifyIcon::SetTip(std::string tip) {
    if (tip == tip_) return;
    tip_ = std::move(tip);
    if (view_ == nullptr || !visible_) return;
    if (shown_)
        (void)view_->ShowTip(tip_);
    else
        Add();
}

bool NotifyIcon::Notify(const std::string& title, const std::string& text) {
    return view_ != nullptr && shown_ && view_->ShowNotice(title, text);
}

void NotifyIcon::Click() {
    if (visible_ && onClick) onClick();
}

void NotifyIcon::ChooseMenuItem(std::string_view item) {
    if (visible_ && onMenuItem && std::find(menu_.begin(), menu_.end(), item) != menu_.end()) onMenuItem(item);
}

void NotifyIcon::Bind(NotifyIconView* view) {
    view_ = view;
    shown_ = false;
    Add();
}

}  // namespace tavrin
