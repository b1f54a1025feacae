#include "platform/win32/main_window.h"

#include <commctrl.h>

#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"
#include "platform/win32/resources/resource_ids.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/text.h"
#include "platform/win32/window_class.h"
#include "script/script_command.h"

namespace tavrin::win32 {

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kIdleTimer = 2;  // timers come after every other message, paints included
constexpr int kFirstButtonId = 1000;
constexpr int kToolbarIcons[] = {IDI_TOOL_EXIT,       IDI_TOOL_SCHEDULE,  IDI_TOOL_POWER_KEYS, IDI_TOOL_VOLUME_KEYS,
                                 IDI_TOOL_AUTO_LOGON, IDI_TOOL_TIME_SYNC, IDI_TOOL_HOME_PAGE};
// The client area the panes are laid out for, in pixels at 96 DPI.
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 380;
// The requester takes the reply within its own wait; any other window named
// as the requester holds this one up no longer than this.
constexpr UINT kReplyWaitMs = 5000;

const wchar_t* ClientAreaClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;  // it only hosts the panes
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"TavrinClientArea";
        return RegisterClassExW(&wc);
    }();
    (void)atom;
    return L"TavrinClientArea";
}

}  // namespace

MainWindow::MainWindow(frmMain& model) : model_(model) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    const wchar_t* cls = RegisterForwardingClass<MainWindow>(L"TavrinMain", icon);
    CreateWindowExW(0, cls, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                    nullptr, instance, this);
    dpi_ = DpiOf(hwnd_);
    // A copy started by the logon task runs elevated; the user's own start must still reach it.
    restoreMessage_ = RegisterWindowMessageW(kRestoreMessage);
    ChangeWindowMessageFilterEx(hwnd_, restoreMessage_, MSGFLT_ALLOW, nullptr);
    // Commands from scripts too, but only a copy with full rights needs them
    // from below: a limited one would admit sandboxed programs as well.
    if (model.AdmitsCommandsFromBelow) ChangeWindowMessageFilterEx(hwnd_, WM_COPYDATA, MSGFLT_ALLOW, nullptr);

    client_ = CreateWindowExW(WS_EX_CONTROLPARENT, ClientAreaClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                              0, 0, 0, hwnd_, nullptr, instance, nullptr);
    CreateToolbar();
    CreateStatusBar();

    // Outer size from the client area the panes need.
    RECT toolbar{}, status{};
    GetWindowRect(toolbar_, &toolbar);
    GetWindowRect(status_, &status);
    RECT r{0, 0, Scale(kClientWidth, dpi_),
           Scale(kClientHeight, dpi_) + (toolbar.bottom - toolbar.top) + (status.bottom - status.top)};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();

    model_.Bind(this);
    model_.sbStatusBar.Bind(&statusTwin_);
    clockTimer_.Attach(hwnd_, kClockTimer);
}

MainWindow::~MainWindow() {
    model_.sbStatusBar.Bind(nullptr);
    model_.Bind(nullptr);
    clockTimer_.Detach();
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void MainWindow::AddPane(FormWindow& pane) {
    pane.DeferControls();
    panes_.push_back(&pane);
    SetTimer(hwnd_, kIdleTimer, USER_TIMER_MINIMUM, nullptr);
}

void MainWindow::CreateToolbar() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0,
                               0, 0, hwnd_, nullptr, instance, nullptr);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int size = Scale(32, dpi_);
    images_.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 7, 0));
    for (int id : kToolbarIcons) {
        HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images_.get(), icon);
        DestroyIcon(icon);
    }
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));

    const auto& buttons = model_.tbToolBar.Buttons();
    std::vector<std::wstring> captions;
    for (const auto& b : buttons) captions.push_back(Widen(b.caption));
    std::vector<TBBUTTON> tb(buttons.size());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        tb[i].iBitmap = static_cast<int>(i);
        tb[i].idCommand = kFirstButtonId + static_cast<int>(i);
        tb[i].fsState = TBSTATE_ENABLED;
        tb[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        tb[i].iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
}

void MainWindow::CreateStatusBar() {
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
}

void MainWindow::Layout() {
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT client{}, toolbar{}, status{};
    GetClientRect(hwnd_, &client);
    GetWindowRect(toolbar_, &toolbar);
    GetWindowRect(status_, &status);
    const int top = toolbar.bottom - toolbar.top;
    const int bottom = client.bottom - (status.bottom - status.top);
    SetWindowPos(client_, nullptr, 0, top, client.right, bottom > top ? bottom - top : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    const int dateWidth = Scale(110, dpi_), timeWidth = Scale(90, dpi_);
    int parts[3] = {client.right - dateWidth - timeWidth, client.right - timeWidth, -1};
    if (parts[0] < 0) parts[0] = 0;
    SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    for (FormWindow* pane : panes_) pane->FitToParent();
}

// The reply goes back the way the request came, to the window it names.
// True once the request was carried out, whether or not the reply got there.
bool MainWindow::AnswerRequest(HWND replyTo, const COPYDATASTRUCT& request) {
    if (request.dwData != kScriptRequestTag || request.cbData > kLongestScriptCommand || !IsWindow(replyTo) ||
        !model_.onRequest)
        return false;
    std::string reply = model_.onRequest(std::string_view(static_cast<const char*>(request.lpData), request.cbData));
    COPYDATASTRUCT data{kScriptReplyTag, static_cast<DWORD>(reply.size()), reply.data()};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd_), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, kReplyWaitMs, &result);
    return true;
}

void MainWindow::StatusTwin::ShowItems(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i)
        SendMessageW(owner_.status_, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(Widen(texts[i]).c_str()));
}

void MainWindow::ShowCaption(const std::string& caption) { SetWindowTextW(hwnd_, Widen(caption).c_str()); }

void MainWindow::ShowWindow(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

void MainWindow::Center() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::BringToFront() { SetForegroundWindow(hwnd_); }

void MainWindow::Destroy() {
    clockTimer_.Detach();
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT MainWindow::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == restoreMessage_ && msg != 0) {
        ::ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
        return 0;
    }
    switch (msg) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_COPYDATA:
            return AnswerRequest(reinterpret_cast<HWND>(wp), *reinterpret_cast<const COPYDATASTRUCT*>(lp)) ? TRUE
                                                                                                           : FALSE;
        case WM_COMMAND: {
            const int index = LOWORD(wp) - kFirstButtonId;
            const auto& buttons = model_.tbToolBar.Buttons();
            if (lp != 0 && index >= 0 && index < static_cast<int>(buttons.size())) {
                model_.tbToolBar.Click(buttons[static_cast<std::size_t>(index)].key);
                return 0;
            }
            break;
        }
        case WM_TIMER:
            if (wp == kClockTimer) {
                clockTimer_.OnTimer();
                return 0;
            }
            if (wp == kIdleTimer) {
                KillTimer(hwnd, kIdleTimer);
                for (FormWindow* pane : panes_) pane->CreateControls();
                return 0;
            }
            break;
        case WM_SHOWWINDOW:
            model_.VisibilityChanged(wp != FALSE);
            break;
        case WM_ACTIVATE:
        case WM_CLOSE:
            if (ForwardTopLevelMessage(model_, msg, wp)) return 0;
            break;
        case WM_QUERYENDSESSION:
            return frmMain::QueryEndSession() ? TRUE : FALSE;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wp);
            const RECT* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            for (FormWindow* pane : panes_) pane->DpiChanged(dpi_);
            Layout();
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace tavrin::win32
