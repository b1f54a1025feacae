// The second yardstick: a window made of what Tavrin.exe's window shows
// first, with no program behind it: themed common controls (a toolbar with
// seven icons, a status bar, the schedule pane's date pickers and buttons),
// Chinese text in the message font and a notification icon. Tavrin.exe also
// makes the four panes behind (about 45 more controls) once it is idle.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "plain_window.h"

namespace {

constexpr wchar_t kCaption[] = L"ControlsWindow";

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, HFONT font) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

    HWND hwnd = MakePlainWindow(instance, kCaption);

    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 0, 0,
                                   hwnd, nullptr, instance, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 7, 0);
    TBBUTTON buttons[7]{};
    for (int i = 0; i < 7; ++i) {
        ImageList_AddIcon(images, LoadIconW(nullptr, IDI_APPLICATION));
        buttons[i] = {i, 100 + i, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(L"定时关机")};
    }
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(toolbar, TB_ADDBUTTONSW, 7, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                  hwnd, nullptr, instance, nullptr);
    const int parts[] = {200, 400, -1};
    SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"定时关机任务未启动"));

    Child(hwnd, L"BUTTON", L"定时关机", BS_GROUPBOX, 8, 60, 580, 340, font);
    Child(hwnd, L"COMBOBOX", nullptr, CBS_DROPDOWNLIST, 24, 84, 160, 200, font);
    Child(hwnd, L"BUTTON", L"关机时间：", BS_GROUPBOX, 24, 120, 548, 124, font);
    const wchar_t* options[] = {L"指定时间", L"倒计时", L"每天"};
    for (int i = 0; i < 3; ++i) {
        Child(hwnd, L"BUTTON", options[i], BS_AUTORADIOBUTTON, 40, 142 + 34 * i, 124, 22, font);
        Child(hwnd, DATETIMEPICK_CLASSW, nullptr, i == 0 ? DTS_SHORTDATEFORMAT : DTS_TIMEFORMAT, 168, 140 + 34 * i, 200,
              24, font);
    }
    Child(hwnd, DATETIMEPICK_CLASSW, nullptr, DTS_TIMEFORMAT, 376, 140, 120, 24, font);
    Child(hwnd, DATETIMEPICK_CLASSW, nullptr, DTS_TIMEFORMAT, 24, 254, 344, 24, font);
    Child(hwnd, L"BUTTON", L"执行前倒计时30秒提醒", BS_AUTOCHECKBOX, 24, 290, 344, 22, font);
    Child(hwnd, L"BUTTON", L"启动定时关机任务", BS_PUSHBUTTON, 240, 334, 120, 30, font);
    ShowWindow(hwnd, SW_SHOW);

    // As Tavrin.exe does, the shell loads once the window shows.
    using NotifyIcon = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    const auto notify = reinterpret_cast<NotifyIcon>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "Shell_NotifyIconW")));
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = hwnd;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(icon.szTip, kCaption);
    if (notify != nullptr) notify(NIM_ADD, &icon);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (notify != nullptr) notify(NIM_DELETE, &icon);
    return 0;
}
