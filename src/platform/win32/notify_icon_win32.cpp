#include "platform/win32/notify_icon_win32.h"

#include <windowsx.h>

#include <vector>

#include "platform/win32/resources/resource_ids.h"
#include "platform/win32/text.h"
#include "platform/win32/window_class.h"

namespace tavrin::win32 {

namespace {

constexpr UINT kIconMessage = WM_APP + 1;
constexpr UINT kIconId = 1;

template <std::size_t N>
void CopyCut(wchar_t (&to)[N], const std::string& utf8) {
    lstrcpynW(to, Widen(utf8).c_str(), static_cast<int>(N));  // cut to fit, terminated
}

}  // namespace

NotifyIconWindow::NotifyIconWindow(NotifyIcon& model) : model_(model) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    const wchar_t* cls = RegisterForwardingClass<NotifyIconWindow>(L"TavrinNotifyIcon");
    window_.reset(CreateWindowExW(0, cls, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // An elevated copy still hears a restarted Explorer of normal rights.
    ChangeWindowMessageFilterEx(hwnd_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    model_.Bind(this);
}

NotifyIconWindow::~NotifyIconWindow() {
    model_.SetVisible(false);
    model_.Bind(nullptr);
}

NOTIFYICONDATAW NotifyIconWindow::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd_;
    data.uID = kIconId;
    data.uFlags = flags;
    return data;
}

bool NotifyIconWindow::ShowIcon(bool shown, const std::string& tip) {
    NOTIFYICONDATAW data = Data(shown ? NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP : 0);
    if (!shown) return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
    data.uCallbackMessage = kIconMessage;
    data.hIcon = icon_;
    CopyCut(data.szTip, tip);
    if (!Shell_NotifyIconW(NIM_ADD, &data)) return false;
    data.uVersion = NOTIFYICON_VERSION_4;
    return Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

bool NotifyIconWindow::ShowTip(const std::string& tip) {
    NOTIFYICONDATAW data = Data(NIF_TIP | NIF_SHOWTIP);
    CopyCut(data.szTip, tip);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool NotifyIconWindow::ShowNotice(const std::string& title, const std::string& text) {
    NOTIFYICONDATAW data = Data(NIF_INFO);
    CopyCut(data.szInfoTitle, title);
    CopyCut(data.szInfo, text);
    data.dwInfoFlags = NIIF_INFO;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The items are copied first: ticks run while the menu is open and may
// change the model's menu.
void NotifyIconWindow::ShowMenu(int x, int y) {
    const std::vector<std::string> items = model_.MenuItems();
    UniqueMenu menu(CreatePopupMenu());
    for (std::size_t i = 0; i < items.size(); ++i) AppendMenuW(menu.get(), MF_STRING, i + 1, Widen(items[i]).c_str());
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(hwnd_);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, hwnd_, nullptr));
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= items.size()) model_.ChooseMenuItem(items[chosen - 1]);
}

LRESULT NotifyIconWindow::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        model_.TaskbarCreated();
        return 0;
    }
    if (msg == kIconMessage) {
        switch (LOWORD(lp)) {  // version 4: the event, with the anchor in wParam
            case NIN_SELECT:
            case NIN_KEYSELECT:
                model_.Click();
                break;
            case WM_CONTEXTMENU:
                ShowMenu(GET_X_LPARAM(wp), GET_Y_LPARAM(wp));
                break;
            default:
                break;
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace tavrin::win32
