#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

class Timer;
class FormHost;

// A window's on-screen twin. None of these may report back into the model.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void ShowCaption(const std::string&) {}
    virtual void ShowWindow(bool /*visible*/) {}
    virtual void MoveTo(int /*left*/, int /*top*/) {}
    virtual void Center() {}        // on the screen, by the window's outer size
    virtual void BringToFront() {}  // and give it the keyboard focus
    virtual void ShowOnTop(bool /*onTop*/) {}
    virtual void Destroy() {}
};

// The lifecycle every window shares: loaded once before it is first shown,
// shown and hidden, activated, unloaded. Subclasses fill in the events.
class Form {
public:
    explicit Form(std::string caption = {});
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    int Left() const { return left_; }
    int Top() const { return top_; }

    void Load();  // runs the load event the first time only
    void Show();  // loads, shows, then activates
    void Hide();
    void SetFocus();  // activates
    void Unload();    // unload event, timers off, window gone; a later Load starts afresh
    void Move(int left, int top);
    void Center();
    // Kept above every other window, whichever is active.
    void SetOnTop(bool on);

    // From the platform: the close box, the system menu, Alt+F4.
    void RequestClose();
    // From the platform: the window became, or stopped being, the active one.
    void Activated();
    void Deactivated();
    // From the platform: the window was shown or hidden from outside, as when
    // a second copy of the program restores it.
    void VisibilityChanged(bool visible) { visible_ = visible && loaded_; }
    // From the platform: a system-wide key registered on this window was
    // pressed; lParam as the hotkey message carries it.
    virtual void HotkeyPressed(std::intptr_t /*lParam*/) {}

    // A child window lives inside a host and takes its activation from it.
    void SetHost(FormHost* host) { host_ = host; }
    FormHost* Host() const { return host_; }

    void Bind(FormView* view);

protected:
    virtual void OnLoad() {}
    virtual void OnActivate() {}
    virtual bool OnCloseRequest() { return true; }  // false cancels the close
    virtual void OnUnload() {}

private:
    friend class Timer;
    friend class FormHost;
    void AddTimer(Timer& timer) { timers_.push_back(&timer); }
    void RunActivate();

    std::string caption_;
    bool loaded_ = false;
    bool visible_ = false;
    bool active_ = false;
    bool onTop_ = false;
    int left_ = 0;
    int top_ = 0;
    FormHost* host_ = nullptr;
    FormView* view_ = nullptr;
    std::vector<Timer*> timers_;
};

// Holds child windows stacked in one client area; exactly one of them is the
// active child. Giving a child the focus activates it once; giving it to the
// active child again runs nothing.
class FormHost {
public:
    void ActivateChild(Form& child);
    void Release(Form& child);  // the child was unloaded
    Form* ActiveChild() const { return active_; }

private:
    Form* active_ = nullptr;
};

}  // namespace tavrin
