#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/win32/control_twins.h"
#include "platform/win32/dpi.h"
#include "platform/win32/unique_handle.h"
#include "toolkit/form.h"

namespace tavrin::win32 {

// What a top-level window tells its form: becoming or ceasing to be the active
// window, and a close request (close box, system menu, Alt+F4). Returns true
// when the message is fully handled.
bool ForwardTopLevelMessage(Form& form, UINT msg, WPARAM wp);

// The window of a form model: a borderless pane inside the main window, or a
// small top-level dialog. It lays out twins of the form's controls and routes
// WM_COMMAND, WM_NOTIFY and WM_TIMER to them by id.
class FormWindow final : public FormView {
public:
    enum class Kind { Pane, Dialog };

    // For a pane, parent is the main window's client area; a dialog has none.
    FormWindow(Form& model, Kind kind, HWND parent, int widthTwips, int heightTwips);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Hwnd() const { return hwnd_; }

    // Controls, in tab order; rectangles in twips from the window's top-left.
    LabelTwin& Add(Label& c, TwipsRect r) { return Keep(std::make_unique<LabelTwin>(c, r)); }
    FrameTwin& Add(Frame& c, TwipsRect r) { return Keep(std::make_unique<FrameTwin>(c, r)); }
    ButtonTwin& Add(CommandButton& c, TwipsRect r) { return Keep(std::make_unique<ButtonTwin>(c, r)); }
    CheckBoxTwin& Add(CheckBox& c, TwipsRect r) { return Keep(std::make_unique<CheckBoxTwin>(c, r)); }
    OptionTwin& Add(OptionButton& c, TwipsRect r, bool firstOfGroup) {
        return Keep(std::make_unique<OptionTwin>(c, r, firstOfGroup));
    }
    ComboTwin& Add(ComboBox& c, TwipsRect r) { return Keep(std::make_unique<ComboTwin>(c, r)); }
    TextTwin& Add(TextBox& c, TwipsRect r) { return Keep(std::make_unique<TextTwin>(c, r)); }
    DatePickerTwin& Add(DTPicker& c, TwipsRect r) { return Keep(std::make_unique<DatePickerTwin>(c, r)); }
    void Add(Timer& t);

    // Controls added from now on wait for CreateControls: the pane's first
    // paint, or the program's first idle moment, whichever comes first.
    // Only what the first paint shows is made before the window appears.
    void DeferControls() { deferred_ = true; }
    void CreateControls();

    // A pane covers its parent's whole client area, so the one in front hides the rest.
    void FitToParent();
    // The monitor's scale changed: new font, every control placed again.
    void DpiChanged(int dpi);

    // FormView
    void ShowCaption(const std::string& caption) override;
    void ShowWindow(bool visible) override;
    void MoveTo(int left, int top) override;
    void Center() override;
    void BringToFront() override;
    void ShowOnTop(bool onTop) override;
    void Destroy() override;

    void AttachHwnd(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    template <class Twin>
    Twin& Keep(std::unique_ptr<Twin> twin) {
        Twin& t = *twin;
        const int id = nextId_++;
        if (deferred_)
            pending_.push_back(id);
        else
            t.Create(hwnd_, id, dpi_, font_.get());
        twins_[id] = std::move(twin);
        return t;
    }
    void Relayout(int dpi);

    Form& model_;
    Kind kind_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    UniqueFont font_;  // outlives the window: its controls use it until they go
    int widthTwips_, heightTwips_;
    int nextId_ = 100;
    bool deferred_ = false;
    std::vector<int> pending_;  // ids of controls not made yet, in tab order
    std::map<int, std::unique_ptr<ControlTwin>> twins_;
    std::map<UINT_PTR, std::unique_ptr<TimerTwin>> timers_;
};

}  // namespace tavrin::win32
