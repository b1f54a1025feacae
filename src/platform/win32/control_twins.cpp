#include "platform/win32/control_twins.h"

#include "platform/win32/system_time.h"
#include "platform/win32/text.h"

namespace tavrin::win32 {

void ControlTwin::Create(HWND parent, int id, int dpi, HFONT font) {
    hwnd_ = CreateWindowExW(0, ClassName(), L"", WS_CHILD | WS_VISIBLE | Style(), 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    Relayout(dpi, font);
    AfterCreate();
    syncing_ = true;
    model_.Bind(this);
    syncing_ = false;
}

void ControlTwin::Relayout(int dpi, HFONT font) {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(hwnd_, nullptr, TwipsToPixels(rect_.left, dpi), TwipsToPixels(rect_.top, dpi),
                 TwipsToPixels(rect_.width, dpi), HeightFor(TwipsToPixels(rect_.height, dpi)),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlTwin::ShowCaption(const std::string& text) {
    const bool was = syncing_;
    syncing_ = true;  // an edit control answers WM_SETTEXT with EN_CHANGE
    SetWindowTextW(hwnd_, Widen(text).c_str());
    syncing_ = was;
}

void ButtonTwin::OnCommand(WORD code) {
    if (code == BN_CLICKED) button_.Click();
}

void ButtonTwin::AfterCreate() { Button_SetElevationRequiredState(hwnd_, button_.Shield); }

void CheckBoxTwin::OnCommand(WORD code) {
    if (code == BN_CLICKED) box_.Click();
}

void CheckBoxTwin::ShowValue(int value) {
    SendMessageW(hwnd_, BM_SETCHECK, value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

void OptionTwin::OnCommand(WORD code) {
    if (code == BN_CLICKED) option_.Click();
}

void OptionTwin::ShowValue(int value) { SendMessageW(hwnd_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0); }

void ComboTwin::OnCommand(WORD code) {
    if (code != CBN_SELCHANGE || syncing_) return;
    combo_.Choose(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    // The model may refuse the pick (a disabled list): show what it holds.
    ShowSelection(combo_.ListIndex());
}

void ComboTwin::ShowItems(const std::vector<std::string>& items) {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
}

void ComboTwin::ShowSelection(int index) { SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void TextTwin::AfterCreate() {
    if (!text_.passwordChar.empty()) {
        const std::wstring c = Widen(text_.passwordChar);
        SendMessageW(hwnd_, EM_SETPASSWORDCHAR, c.empty() ? L'*' : c[0], 0);
    }
}

std::wstring TextTwin::Current() const {
    const int n = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(hwnd_, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

void TextTwin::OnCommand(WORD code) {
    if (code != EN_CHANGE || syncing_) return;
    text_.SetText(Narrow(Current()));
}

void TextTwin::ShowCaption(const std::string& text) {
    if (Current() != Widen(text)) ControlTwin::ShowCaption(text);
}

DWORD DatePickerTwin::Style() const {
    DWORD style = WS_TABSTOP;
    if (picker_.upDown) style |= DTS_UPDOWN;
    if (picker_.showNone) style |= DTS_SHOWNONE;
    switch (picker_.format) {
        case DTPicker::Format::LongDate:
            style |= DTS_LONGDATEFORMAT;
            break;
        case DTPicker::Format::Time:
            style |= DTS_TIMEFORMAT;
            break;
        case DTPicker::Format::ShortDate:
        case DTPicker::Format::Custom:
            style |= DTS_SHORTDATEFORMAT;
            break;
    }
    return style;
}

void DatePickerTwin::AfterCreate() {
    if (picker_.format == DTPicker::Format::Custom)
        SendMessageW(hwnd_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(Widen(picker_.customFormat).c_str()));
}

LRESULT DatePickerTwin::OnNotify(const NMHDR& header) {
    if (header.code != DTN_DATETIMECHANGE || syncing_) return 0;
    const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
    if (change.dwFlags == GDT_NONE)
        picker_.Edit(std::nullopt);
    else
        picker_.Edit(FromSystemTime(change.st));
    return 0;
}

void DatePickerTwin::ShowDate(std::optional<OleDate> value) {
    const bool was = syncing_;
    syncing_ = true;
    // A fresh picker with a check box may start cleared: always say which.
    if (value) {
        // Day zero (1899-12-30) is inside the picker's range, so a time of day
        // keeps its date and comes back as a time of day.
        if (auto t = ToSystemTime(*value))
            SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&*t));
    } else {
        SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    }
    syncing_ = was;
}

TimerTwin::~TimerTwin() {
    if (owner_ != nullptr) KillTimer(owner_, id_);
    model_.Bind(nullptr);
}

void TimerTwin::Attach(HWND owner, UINT_PTR id) {
    owner_ = owner;
    id_ = id;
    model_.Bind(this);
}

void TimerTwin::Detach() {
    if (owner_ != nullptr) KillTimer(owner_, id_);
    owner_ = nullptr;
}

void TimerTwin::Apply(bool enabled, unsigned intervalMs) {
    if (owner_ == nullptr) return;
    if (enabled)
        Arm(intervalMs);
    else
        KillTimer(owner_, id_);
}

// An aligned timer is a one-shot set again at every tick for just past the
// wall clock's next second, so it never drifts and never ticks early.
void TimerTwin::Arm(unsigned intervalMs) {
    if (!model_.alignToSecond) {
        SetTimer(owner_, id_, intervalMs, nullptr);
        return;
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SetTimer(owner_, id_, 1000u - now.wMilliseconds + 15u, nullptr);
}

void TimerTwin::OnTimer() {
    if (owner_ == nullptr) return;
    if (model_.alignToSecond && model_.Enabled()) Arm(model_.Interval());
    model_.Tick();  // which may switch it off again
}

}  // namespace tavrin::win32
