#include "toolkit/controls.h"

#include <utility>

#include "toolkit/form.h"

namespace tavrin {

void Control::SetEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    if (view_ != nullptr) view_->ShowEnabled(on);
}

void Control::SetVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    if (view_ != nullptr) view_->ShowVisible(on);
}

void Control::Bind(ControlView* view) {
    view_ = view;
    if (view_ != nullptr) ShowState(*view_);
}

void Control::ShowState(ControlView& view) const {
    view.ShowEnabled(enabled_);
    view.ShowVisible(visible_);
}

void Label::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    if (view_ != nullptr) view_->ShowCaption(caption_);
}

void Label::ShowState(ControlView& view) const {
    Control::ShowState(view);
    view.ShowCaption(caption_);
}

void CommandButton::Click() {
    if (Enabled() && onClick) onClick();
}

void CheckBox::SetValue(int value) {
    if (value == value_) return;
    value_ = value;
    if (view_ != nullptr) view_->ShowValue(value_);
    if (onClick) onClick();
}

void CheckBox::Click() {
    if (Enabled()) SetValue(value_ == 0 ? 1 : 0);
}

void CheckBox::ShowState(ControlView& view) const {
    Label::ShowState(view);
    view.ShowValue(value_);
}

OptionButton* OptionGroup::Selected() const {
    for (OptionButton* b : members_)
        if (b->Value()) return b;
    return nullptr;
}

OptionButton::OptionButton(OptionGroup& group, std::string caption, bool selected)
    : Label(std::move(caption)), group_(group), value_(false) {
    group_.members_.push_back(this);
    if (selected) {
        for (OptionButton* b : group_.members_) b->value_ = false;
        value_ = true;
    }
}

void OptionButton::Select() {
    if (value_) return;
    for (OptionButton* b : group_.members_)
        if (b != this && b->value_) b->Show(false);
    Show(true);
    if (onClick) onClick();
}

void OptionButton::Show(bool selected) {
    value_ = selected;
    if (view_ != nullptr) view_->ShowValue(selected ? 1 : 0);
}

void OptionButton::ShowState(ControlView& view) const {
    Label::ShowState(view);
    view.ShowValue(value_ ? 1 : 0);
}

void ComboBox::AddItem(std::string text) {
    items_.push_back(std::move(text));
    if (view_ != nullptr) view_->ShowItems(items_);
}

void ComboBox::Clear() {
    items_.clear();
    index_ = -1;
    if (view_ != nullptr) {
        view_->ShowItems(items_);
        view_->ShowSelection(index_);
    }
}

const std::string& ComboBox::List(int index) const {
    static const std::string kNone;
    return index >= 0 && index < ListCount() ? items_[static_cast<std::size_t>(index)] : kNone;
}

void ComboBox::SetListIndex(int index) {
    if (index < 0 || index >= ListCount()) index = -1;
    if (index == index_) return;
    index_ = index;
    if (view_ != nullptr) view_->ShowSelection(index_);
    if (onClick) onClick();
}

void ComboBox::ShowState(ControlView& view) const {
    Control::ShowState(view);
    view.ShowItems(items_);
    view.ShowSelection(index_);
}

void TextBox::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    if (view_ != nullptr) view_->ShowCaption(text_);
    if (onChange) onChange();
}

void TextBox::ShowState(ControlView& view) const {
    Control::ShowState(view);
    view.ShowCaption(text_);
}

void DTPicker::SetValue(std::optional<OleDate> value) {
    if (!value && !showNone) return;
    if (value == value_) return;
    value_ = value;
    if (view_ != nullptr) view_->ShowDate(value_);
    if (onChange) onChange();
}

void DTPicker::ShowState(ControlView& view) const {
    Control::ShowState(view);
    view.ShowDate(value_);
}

Timer::Timer(Form& owner, unsigned intervalMs) : intervalMs_(intervalMs) { owner.AddTimer(*this); }

void Timer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (view_ != nullptr) view_->Apply(enabled_, intervalMs_);
}

void Timer::SetInterval(unsigned ms) {
    if (ms == intervalMs_) return;
    intervalMs_ = ms;
    if (view_ != nullptr && enabled_) view_->Apply(enabled_, intervalMs_);
}

void Timer::Tick() {
    if (enabled_ && onTick) onTick();
}

void Timer::Bind(TimerView* view) {
    view_ = view;
    if (view_ != nullptr) view_->Apply(enabled_, intervalMs_);
}

}  // namespace tavrin
