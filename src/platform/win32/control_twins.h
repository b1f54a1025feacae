#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dpi.h"
#include "toolkit/bars.h"
#include "toolkit/controls.h"

namespace tavrin::win32 {

// The on-screen twin of one model control: shows what the model says and
// hands the user's input back to the model. It decides nothing.
class ControlTwin : public ControlView {
public:
    ControlTwin(Control& model, TwipsRect rect) : model_(model), rect_(rect) {}
    ~ControlTwin() override { model_.Bind(nullptr); }
    ControlTwin(const ControlTwin&) = delete;
    ControlTwin& operator=(const ControlTwin&) = delete;

    // Creates the control window as a child of parent, then shows the model's state.
    void Create(HWND parent, int id, int dpi, HFONT font);
    void Relayout(int dpi, HFONT font);
    HWND Hwnd() const { return hwnd_; }

    virtual void OnCommand(WORD /*code*/) {}
    virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
    virtual bool IsCancel() const { return false; }

    void ShowEnabled(bool on) override { EnableWindow(hwnd_, on); }
    void ShowVisible(bool on) override { ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE); }
    void TakeFocus() override { ::SetFocus(hwnd_); }
    void ShowCaption(const std::string& text) override;

protected:
    virtual const wchar_t* ClassName() const = 0;
    virtual DWORD Style() const = 0;
    virtual void AfterCreate() {}
    virtual int HeightFor(int pixels) const { return pixels; }
    Control& model_;
    HWND hwnd_ = nullptr;
    bool syncing_ = false;  // set while the model's state is pushed to the window

private:
    TwipsRect rect_;
};

class LabelTwin final : public ControlTwin {
public:
    explicit LabelTwin(Label& m, TwipsRect r) : ControlTwin(m, r) {}

protected:
    const wchar_t* ClassName() const override { return L"STATIC"; }
    DWORD Style() const override { return SS_LEFT | SS_NOPREFIX; }
};

class FrameTwin final : public ControlTwin {
public:
    explicit FrameTwin(Frame& m, TwipsRect r) : ControlTwin(m, r) {}

protected:
    const wchar_t* ClassName() const override { return L"BUTTON"; }
    DWORD Style() const override { return BS_GROUPBOX; }
};

class ButtonTwin final : public ControlTwin {
public:
    ButtonTwin(CommandButton& m, TwipsRect r) : ControlTwin(m, r), button_(m) {}
    void OnCommand(WORD code) override;
    bool IsCancel() const override { return button_.Cancel; }

protected:
    const wchar_t* ClassName() const override { return L"BUTTON"; }
    DWORD Style() const override { return BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP; }
    void AfterCreate() override;

private:
    CommandButton& button_;
};

// BS_3STATE, not an AUTO style: Windows never flips the state behind the model.
class CheckBoxTwin final : public ControlTwin {
public:
    CheckBoxTwin(CheckBox& m, TwipsRect r) : ControlTwin(m, r), box_(m) {}
    void OnCommand(WORD code) override;
    void ShowValue(int value) override;

protected:
    const wchar_t* ClassName() const override { return L"BUTTON"; }
    DWORD Style() const override { return BS_3STATE | WS_TABSTOP | WS_GROUP; }

private:
    CheckBox& box_;
};

class OptionTwin final : public ControlTwin {
public:
    OptionTwin(OptionButton& m, TwipsRect r, bool firstOfGroup) : ControlTwin(m, r), option_(m), first_(firstOfGroup) {}
    void OnCommand(WORD code) override;
    void ShowValue(int value) override;

protected:
    const wchar_t* ClassName() const override { return L"BUTTON"; }
    DWORD Style() const override { return BS_RADIOBUTTON | (first_ ? WS_GROUP | WS_TABSTOP : 0); }

private:
    OptionButton& option_;
    bool first_;
};

class ComboTwin final : public ControlTwin {
public:
    ComboTwin(ComboBox& m, TwipsRect r) : ControlTwin(m, r), combo_(m) {}
    void OnCommand(WORD code) override;
    void ShowItems(const std::vector<std::string>& items) override;
    void ShowSelection(int index) override;

protected:
    const wchar_t* ClassName() const override { return L"COMBOBOX"; }
    DWORD Style() const override { return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP; }
    int HeightFor(int pixels) const override { return pixels * 8; }  // room for the drop-down

private:
    ComboBox& combo_;
};

class TextTwin final : public ControlTwin {
public:
    TextTwin(TextBox& m, TwipsRect r) : ControlTwin(m, r), text_(m) {}
    void OnCommand(WORD code) override;
    // The model echoes what the user typed; writing it back would move the caret.
    void ShowCaption(const std::string& text) override;

protected:
    const wchar_t* ClassName() const override { return L"EDIT"; }
    DWORD Style() const override {
        return ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | (text_.passwordChar.empty() ? 0 : ES_PASSWORD);
    }
    void AfterCreate() override;

private:
    std::wstring Current() const;
    TextBox& text_;
};

class DatePickerTwin final : public ControlTwin {
public:
    DatePickerTwin(DTPicker& m, TwipsRect r) : ControlTwin(m, r), picker_(m) {}
    LRESULT OnNotify(const NMHDR& header) override;
    void ShowDate(std::optional<OleDate> value) override;

protected:
    const wchar_t* ClassName() const override { return DATETIMEPICK_CLASSW; }
    DWORD Style() const override;
    void AfterCreate() override;

private:
    DTPicker& picker_;
};

// A window timer of the form's window: SetTimer / KillTimer, WM_TIMER to Tick.
class TimerTwin final : public TimerView {
public:
    explicit TimerTwin(Timer& model) : model_(model) {}
    ~TimerTwin() override;
    TimerTwin(const TimerTwin&) = delete;
    TimerTwin& operator=(const TimerTwin&) = delete;

    void Attach(HWND owner, UINT_PTR id);
    // The window is going: no more ticks, but the object stays until its
    // window object goes, since a tick handler may still be running.
    void Detach();
    void Apply(bool enabled, unsigned intervalMs) override;
    void OnTimer();

private:
    void Arm(unsigned intervalMs);
    Timer& model_;
    HWND owner_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace tavrin::win32
