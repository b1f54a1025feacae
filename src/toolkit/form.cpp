#include "toolkit/form.h"

#include <utility>

#include "toolkit/controls.h"

namespace tavrin {

Form::Form(std::string caption) : caption_(std::move(caption)) {}

Form::~Form() {
    if (host_ != nullptr) host_->Release(*this);
}

void Form::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (view_ != nullptr) view_->ShowCaption(caption_);
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    OnLoad();
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // the load event unloaded it again
    if (!visible_) {
        visible_ = true;
        if (view_ != nullptr) view_->ShowWindow(true);
    }
    SetFocus();
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (view_ != nullptr) view_->ShowWindow(false);
}

void Form::SetFocus() {
    if (!loaded_) return;
    if (host_ != nullptr) {
        host_->ActivateChild(*this);
        return;
    }
    if (view_ != nullptr) view_->BringToFront();
    Activated();
}

void Form::Unload() {
    if (!loaded_) return;
    OnUnload();
    for (Timer* t : timers_) t->SetEnabled(false);
    loaded_ = false;
    visible_ = false;
    active_ = false;
    if (host_ != nullptr) host_->Release(*this);
    if (view_ != nullptr) view_->Destroy();
}

void Form::Move(int left, int top) {
    left_ = left;
    top_ = top;
    if (view_ != nullptr) view_->MoveTo(left, top);
}

void Form::SetOnTop(bool on) {
    onTop_ = on;
    if (view_ != nullptr) view_->ShowOnTop(on);
}

void Form::Center() {
    if (view_ != nullptr) view_->Center();
}

void Form::RequestClose() {
    if (!loaded_) return;
    if (OnCloseRequest()) Unload();
}

void Form::Activated() {
    if (active_ || !loaded_) return;
    RunActivate();
}

void Form::Deactivated() { active_ = false; }

void Form::RunActivate() {
    active_ = true;
    OnActivate();
}

void Form::Bind(FormView* view) {
    view_ = view;
    if (view_ == nullptr) return;
    view_->ShowCaption(caption_);
    if (onTop_) view_->ShowOnTop(true);  // windows start below the top-most ones
    view_->ShowWindow(visible_);
}

void FormHost::ActivateChild(Form& child) {
    if (child.view_ != nullptr) child.view_->BringToFront();
    if (active_ == &child) return;
    if (active_ != nullptr) active_->active_ = false;
    active_ = &child;
    child.RunActivate();
}

void FormHost::Release(Form& child) {
    if (active_ == &child) active_ = nullptr;
}

}  // namespace tavrin
