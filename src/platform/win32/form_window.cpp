#include "platform/win32/form_window.h"

#include "platform/win32/resources/resource_ids.h"
#include "platform/win32/text.h"
#include "platform/win32/window_class.h"

namespace tavrin::win32 {

namespace {

// No WS_CLIPCHILDREN: a group box does not paint its inside, so the window
// under it must, or a pane raised over another shows the other through it.
constexpr DWORD kPaneStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kPaneExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

}  // namespace

bool ForwardTopLevelMessage(Form& form, UINT msg, WPARAM wp) {
    if (msg == WM_CLOSE) {
        form.RequestClose();
        return true;
    }
    if (msg == WM_ACTIVATE) {
        if (LOWORD(wp) == WA_INACTIVE)
            form.Deactivated();
        else
            form.Activated();
    }
    return false;
}

FormWindow::FormWindow(Form& model, Kind kind, HWND parent, int widthTwips, int heightTwips)
    : model_(model), kind_(kind), widthTwips_(widthTwips), heightTwips_(heightTwips) {
    const wchar_t* cls = RegisterForwardingClass<FormWindow>(
        L"TavrinForm", LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP)));
    const bool pane = kind_ == Kind::Pane;
    CreateWindowExW(pane ? kPaneExStyle : kDialogExStyle, cls, L"", pane ? kPaneStyle : kDialogStyle, 0, 0, 0, 0,
                    pane ? parent : nullptr, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = DpiOf(hwnd_);
    font_.reset(CreateUiFont(dpi_));
    Relayout(dpi_);
    model_.Bind(this);
}

FormWindow::~FormWindow() {
    model_.Bind(nullptr);
    timers_.clear();
    twins_.clear();
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void FormWindow::Add(Timer& t) {
    const UINT_PTR id = timers_.size() + 1;
    auto twin = std::make_unique<TimerTwin>(t);
    twin->Attach(hwnd_, id);
    timers_[id] = std::move(twin);
}

void FormWindow::Relayout(int dpi) {
    if (kind_ == Kind::Dialog) {
        RECT r{0, 0, TwipsToPixels(widthTwips_, dpi), TwipsToPixels(heightTwips_, dpi)};
        AdjustWindowRectEx(&r, kDialogStyle, FALSE, kDialogExStyle);
        SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        FitToParent();
    }
    for (auto& [id, twin] : twins_)
        if (twin->Hwnd() != nullptr) twin->Relayout(dpi, font_.get());
}

void FormWindow::CreateControls() {
    std::vector<int> ids;
    ids.swap(pending_);
    for (int id : ids) twins_[id]->Create(hwnd_, id, dpi_, font_.get());
}

void FormWindow::DpiChanged(int dpi) {
    dpi_ = dpi;
    const UniqueFont old = std::move(font_);  // in use until the controls have the new one
    font_.reset(CreateUiFont(dpi_));
    Relayout(dpi_);
}

void FormWindow::FitToParent() {
    if (kind_ != Kind::Pane || hwnd_ == nullptr) return;
    RECT r{};
    GetClientRect(GetParent(hwnd_), &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ShowCaption(const std::string& caption) { SetWindowTextW(hwnd_, Widen(caption).c_str()); }

void FormWindow::ShowWindow(bool visible) {
    ::ShowWindow(hwnd_, visible ? (kind_ == Kind::Pane ? SW_SHOWNA : SW_SHOW) : SW_HIDE);
}

void FormWindow::MoveTo(int left, int top) {
    SetWindowPos(hwnd_, nullptr, TwipsToPixels(left, dpi_), TwipsToPixels(top, dpi_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::Center() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcMonitor;
    const int w = window.right - window.left, h = window.bottom - window.top;
    SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - w) / 2,
                 area.top + (area.bottom - area.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::BringToFront() {
    if (kind_ == Kind::Pane) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetFocus(hwnd_);
        return;
    }
    // Windows may refuse the foreground to a program the user is not using;
    // the taskbar button then flashes until the window is looked at.
    if (!SetForegroundWindow(hwnd_) || GetForegroundWindow() != hwnd_) {
        FLASHWINFO flash{sizeof flash, hwnd_, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
        FlashWindowEx(&flash);
    }
    ::SetFocus(hwnd_);
}

void FormWindow::ShowOnTop(bool onTop) {
    SetWindowPos(hwnd_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::Destroy() {
    // The twins stay (the model's controls still point at them, and a tick
    // handler may be running right now) but show nothing.
    for (auto& [id, timer] : timers_) timer->Detach();
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT FormWindow::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_HOTKEY:
            model_.HotkeyPressed(lp);
            return 0;
        case WM_COMMAND:
            if (lp != 0) {
                if (auto it = twins_.find(LOWORD(wp)); it != twins_.end()) it->second->OnCommand(HIWORD(wp));
                return 0;
            }
            if (LOWORD(wp) == IDCANCEL) {  // Esc, through the dialog manager
                for (auto& [id, twin] : twins_) {
                    if (!twin->IsCancel()) continue;
                    twin->OnCommand(BN_CLICKED);  // may close the window: nothing after it
                    break;
                }
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (auto it = twins_.find(static_cast<int>(header->idFrom)); it != twins_.end())
                return it->second->OnNotify(*header);
            break;
        }
        case WM_TIMER:
            if (auto it = timers_.find(wp); it != timers_.end()) it->second->OnTimer();
            return 0;
        case WM_PAINT:
            if (!pending_.empty()) CreateControls();
            break;
        case WM_ACTIVATE:
            if (kind_ == Kind::Dialog) ForwardTopLevelMessage(model_, msg, wp);  // panes: through their host
            break;
        case WM_CLOSE:
            ForwardTopLevelMessage(model_, msg, wp);
            return 0;
        case WM_DPICHANGED:
            if (kind_ == Kind::Dialog) {
                const RECT* suggested = reinterpret_cast<const RECT*>(lp);
                SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                             suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
                DpiChanged(HIWORD(wp));
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace tavrin::win32
