#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ole_date.h"
#include "toolkit/control_view.h"

namespace tavrin {

class Form;

// What every control has: an enabled and a visible state and an optional
// on-screen twin. A click from the user (the methods named Click) reaches a
// control only while it is enabled, as on screen.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    bool Visible() const { return visible_; }
    void SetVisible(bool on);

    // Attaches the twin and shows it the whole state; nullptr detaches.
    void Bind(ControlView* view);
    // Gives the control the keyboard focus within its window.
    void SetFocus() {
        if (view_ != nullptr) view_->TakeFocus();
    }

protected:
    virtual void ShowState(ControlView& view) const;
    ControlView* view_ = nullptr;

private:
    bool enabled_ = true;
    bool visible_ = true;
};

class Label : public Control {
public:
    explicit Label(std::string caption = {}) : caption_(std::move(caption)) {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

protected:
    void ShowState(ControlView& view) const override;

private:
    std::string caption_;
};

// A frame draws a caption around a group of controls; its option buttons
// form one group.
class Frame : public Label {
public:
    using Label::Label;
};

class CommandButton : public Label {
public:
    using Label::Label;
    std::function<void()> onClick;
    // Esc in its window clicks it.
    bool Cancel = false;
    // Its work needs administrator rights that this process lacks: Windows
    // will ask first, and the button says so with the shield.
    bool Shield = false;
    void Click();
};

// Value 0 clear, 1 ticked, 2 grey. Code and user take the same path: a change
// runs onClick once, before returning; setting the current value runs nothing.
// The value is stored first, so handlers that set each other stop by themselves.
class CheckBox : public Label {
public:
    explicit CheckBox(std::string caption = {}, int value = 0) : Label(std::move(caption)), value_(value) {}
    std::function<void()> onClick;

    int Value() const { return value_; }
    void SetValue(int value);
    void Click();  // a click turns a ticked or grey box clear, a clear one ticked

protected:
    void ShowState(ControlView& view) const override;

private:
    int value_;
};

class OptionButton;

// The option buttons of one frame: selecting one clears the others, silently.
class OptionGroup {
public:
    OptionGroup() = default;
    OptionGroup(const OptionGroup&) = delete;
    OptionGroup& operator=(const OptionGroup&) = delete;
    OptionButton* Selected() const;

private:
    friend class OptionButton;
    std::vector<OptionButton*> members_;
};

class OptionButton : public Label {
public:
    OptionButton(OptionGroup& group, std::string caption = {}, bool selected = false);
    std::function<void()> onClick;

    bool Value() const { return value_; }
    // Selecting an unselected button runs its onClick once; selecting the
    // selected one runs nothing.
    void Select();
    void Click() {
        if (Enabled()) Select();
    }

protected:
    void ShowState(ControlView& view) const override;

private:
    void Show(bool selected);
    OptionGroup& group_;
    bool value_;
};

// A drop-down list without free text.
class ComboBox : public Control {
public:
    std::function<void()> onClick;  // the selection changed

    void AddItem(std::string text);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int index) const;  // empty outside the list
    int ListIndex() const { return index_; }
    // An index the list cannot show selects nothing (-1).
    void SetListIndex(int index);
    // The selected entry's text; empty with nothing selected.
    const std::string& Text() const { return List(index_); }
    void Choose(int index) {
        if (Enabled()) SetListIndex(index);
    }  // the user's pick

protected:
    void ShowState(ControlView& view) const override;

private:
    std::vector<std::string> items_;
    int index_ = -1;
};

class TextBox : public Control {
public:
    explicit TextBox(std::string text = {}) : text_(std::move(text)) {}
    std::function<void()> onChange;

    const std::string& Text() const { return text_; }
    void SetText(std::string text);  // from code or from typing alike
    std::string passwordChar;        // empty: the text is shown as it is

protected:
    void ShowState(ControlView& view) const override;

private:
    std::string text_;
};

// A date-time picker. With a check box (showNone) its value may be null,
// which clears the box; any date ticks it again.
class DTPicker : public Control {
public:
    enum class Format { LongDate, ShortDate, Time, Custom };
    Format format = Format::ShortDate;
    std::string customFormat;  // the platform's format string, for Format::Custom
    bool upDown = false;       // up-down buttons instead of a drop-down calendar
    bool showNone = false;     // carries a check box
    std::function<void()> onChange;

    std::optional<OleDate> Value() const { return value_; }
    // Null is ignored by a picker without a check box.
    void SetValue(std::optional<OleDate> value);
    void Edit(std::optional<OleDate> value) {
        if (Enabled()) SetValue(value);
    }  // the user's change

protected:
    void ShowState(ControlView& view) const override;

private:
    std::optional<OleDate> value_ = kDayZero;
};

// A window timer. Ticks come from the platform; a tick that arrives after the
// timer was switched off, or after its window was unloaded, is dropped.
class Timer {
public:
    explicit Timer(Form& owner, unsigned intervalMs = 1000);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::function<void()> onTick;
    // Asks the view for ticks just after each second boundary of the wall
    // clock rather than one interval after the previous tick, so a form that
    // shows the clock's seconds shows each once and acts within its second.
    // Meant for 1000 ms timers.
    bool alignToSecond = false;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    unsigned Interval() const { return intervalMs_; }
    void SetInterval(unsigned ms);
    void Tick();
    void Bind(TimerView* view);

private:
    unsigned intervalMs_;
    bool enabled_ = false;
    TimerView* view_ = nullptr;
};

}  // namespace tavrin
