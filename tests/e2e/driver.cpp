// A small Windows program the end-to-end tests run beside Tavrin, under the
// same wineserver, to read its windows from outside. It never changes the
// program's state except through the messages a user's action would send.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/elevation_win32.h"
#include "platform/win32/text.h"

namespace {

// WM_GETTEXT itself: GetWindowText does not ask a control of another process.
std::wstring Text(HWND hwnd) {
    wchar_t buffer[512] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &copied);
    buffer[511] = L'\0';
    return buffer;
}

void Print(const std::wstring& s) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, out.data(), n, nullptr, nullptr);
    std::fputs(out.c_str(), stdout);
    std::fputs("\n", stdout);
}

std::vector<HWND> TopLevel(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        std::vector<HWND> found;
    } search{&caption, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (Text(hwnd) == *s->caption) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Child(HWND parent, const wchar_t* cls) { return FindWindowExW(parent, nullptr, cls, nullptr); }

// Reads a structure the target fills in its own address space.
template <class T>
bool AskRemote(HWND hwnd, UINT msg, WPARAM wp, T& out, std::size_t extra = 0) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return false;
    const std::size_t size = sizeof(T) + extra;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &out, sizeof(T), nullptr);
    SendMessageW(hwnd, msg, wp, reinterpret_cast<LPARAM>(remote));
    const bool ok = ReadProcessMemory(process, remote, &out, sizeof(T), nullptr) != FALSE;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[128] = L"";
    GetClassNameW(hwnd, buffer, 128);
    return buffer;
}

// One line a control: class|enabled|checked|x|y|text, with x and y
// the screen coordinates of its centre, for a real click.
void PrintControls(HWND window) {
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(c, &r);
        const std::wstring cls = ClassOf(c);
        std::wstring text = Text(c);
        if (cls == L"ComboBox") {  // the selected entry
            const LRESULT sel = SendMessageW(c, CB_GETCURSEL, 0, 0);
            wchar_t item[512] = L"";
            if (sel >= 0 && SendMessageW(c, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0) < 511)
                SendMessageW(c, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(item));
            text = item;
        }
        const LRESULT checked = cls == L"Button" ? SendMessageW(c, BM_GETCHECK, 0, 0) : 0;
        wchar_t line[160];
        std::swprintf(line, 160, L"%ls|%d|%d|%ld|%ld|", cls.c_str(), IsWindowEnabled(c) ? 1 : 0,
                      static_cast<int>(checked), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Print(line + text);
    }
}

HWND Pane(HWND main, const std::wstring& caption) {
    HWND client = Child(main, L"TavrinClientArea");
    for (HWND pane = GetWindow(client, GW_CHILD); pane != nullptr; pane = GetWindow(pane, GW_HWNDNEXT))
        if (Text(pane) == caption) return pane;
    return nullptr;
}

// Wall-clock time of day with milliseconds, for timing what the program shows.
std::wstring Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    wchar_t text[32];
    std::swprintf(text, 32, L"%02u:%02u:%02u.%03u", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

// Watches a top-level window (a dialog, by its exact caption) or, with a pane
// caption, the first control of that pane of the main window: prints when it
// appears, every change of its text (the dialog's first label, or the
// control's own text) and when it goes, each with the time of day. Polls
// every 2 ms until the window is gone or the time is up.
int Watch(const std::wstring& caption, const std::wstring* pane, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    bool seen = false;
    std::wstring last;
    while (GetTickCount64() < end) {
        HWND target = nullptr;
        const std::vector<HWND> found = TopLevel(caption);
        if (!found.empty()) {
            if (pane == nullptr) {
                target = FindWindowExW(found.front(), nullptr, L"Static", nullptr);
            } else if (HWND p = Pane(found.front(), *pane)) {
                target = GetWindow(p, GW_CHILD);
            }
        }
        if (target == nullptr) {
            if (seen) {
                Print(L"gone " + Now());
                return 0;
            }
        } else {
            if (!seen) Print(L"appear " + Now());
            seen = true;
            const std::wstring text = Text(target);
            if (text != last) {
                Print(L"text " + Now() + L" " + text);
                last = text;
            }
        }
        std::fflush(stdout);
        Sleep(2);
    }
    Print(L"timeout " + Now());
    return seen ? 0 : 1;
}

// Starts a program and measures, in milliseconds, how long until a visible
// top-level window with the caption exists. The program keeps running.
int Launch(const std::wstring& caption, int argc, wchar_t** argv) {
    std::wstring line = L"\"" + std::wstring(argv[0]) + L"\"";
    for (int i = 1; i < argc; ++i) line += L" " + std::wstring(argv[i]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    for (;;) {
        HWND w = FindWindowW(nullptr, caption.c_str());
        QueryPerformanceCounter(&now);
        const double ms =
            1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        if (w != nullptr && IsWindowVisible(w)) {
            std::printf("%.1f\n", ms);
            break;
        }
        if (ms > 30000) return 1;
        Sleep(1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// The first copy's side of an elevated operation, through the program's own
// adapter: the input comes from stdin, so that it is on no command line.
int Elevate(const std::wstring& exe, const std::wstring& operation) {
    std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    tavrin::win32::Win32Elevation elevation(exe);
    const tavrin::ElevatedResult result = elevation.RunElevated(tavrin::win32::Narrow(operation), input);
    std::printf("%d %s\n", static_cast<int>(result.end), result.report.c_str());
    return 0;
}

// The texts of every tooltip tool of every process, the taskbar's tips
// among them, one line each ("|" for a line break), through a block in the target.
BOOL CALLBACK PrintTips(HWND tips, LPARAM) {
    struct Block {
        TTTOOLINFOW info;
        wchar_t text[1024];
    };
    if (ClassOf(tips) != TOOLTIPS_CLASSW) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(tips, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return TRUE;
    auto* remote = static_cast<Block*>(VirtualAllocEx(process, nullptr, sizeof(Block), MEM_COMMIT, PAGE_READWRITE));
    for (LRESULT i = 0, n = SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0); i < n; ++i) {
        Block block{};
        block.info.cbSize = sizeof(TTTOOLINFOW);
        block.info.lpszText = remote->text;
        WriteProcessMemory(process, remote, &block, sizeof block, nullptr);
        if (!SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote)) ||
            !ReadProcessMemory(process, remote, &block, sizeof block, nullptr))
            continue;
        std::wstring text(block.text, wcsnlen(block.text, 1023));
        for (wchar_t& c : text) c = c == L'\n' ? L'|' : c;
        Print(text);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return TRUE;
}

int Usage() {
    std::fputs(
        "usage: driver find|panes|close CAPTION | toolbar CAPTION INDEX | controls CAPTION [PANE] |\n"
        "       watch CAPTION MS [PANE] | launch CAPTION EXE [ARGS] | tips | menu | ticks |\n"
        "       elevate EXE OPERATION < INPUT\n",
        stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    if (command == L"ticks") {
        std::printf("%llu\n", static_cast<unsigned long long>(GetTickCount64()));
        return 0;
    }
    if (command == L"elevate" && argc >= 4) return Elevate(argv[2], argv[3]);
    if (command == L"tips") return EnumWindows(PrintTips, 0) ? 0 : 1;
    if (command == L"menu") {
        // The screen rectangle of the open pop-up menu: left top right bottom.
        HWND menu = FindWindowW(L"#32768", nullptr);
        RECT r{};
        if (menu == nullptr || !IsWindowVisible(menu) || !GetWindowRect(menu, &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (argc < 3) return Usage();
    if (command == L"launch" && argc >= 4) return Launch(argv[2], argc - 3, argv + 3);
    if (command == L"watch" && argc >= 4) {
        const std::wstring pane = argc >= 5 ? argv[4] : L"";
        return Watch(argv[2], argc >= 5 ? &pane : nullptr, static_cast<DWORD>(_wtoi(argv[3])));
    }
    const std::vector<HWND> windows = TopLevel(argv[2]);

    if (command == L"find") {
        // One line a window: visible (0/1), foreground (0/1).
        for (HWND w : windows) std::printf("%d %d\n", IsWindowVisible(w) ? 1 : 0, GetForegroundWindow() == w ? 1 : 0);
        return windows.empty() ? 1 : 0;
    }
    if (windows.empty()) return 1;
    HWND main = windows.front();

    if (command == L"panes") {
        // The panes of the client area, front to back: visible (0/1) and caption.
        HWND client = Child(main, L"TavrinClientArea");
        for (HWND pane = GetWindow(client, GW_CHILD); pane != nullptr; pane = GetWindow(pane, GW_HWNDNEXT)) {
            Print(std::wstring(IsWindowVisible(pane) ? L"1 " : L"0 ") + Text(pane));
        }
        return 0;
    }
    if (command == L"toolbar" && argc >= 4) {
        // Screen coordinates of a toolbar button's centre, for a real click.
        HWND toolbar = Child(main, TOOLBARCLASSNAMEW);
        RECT r{};
        if (!AskRemote(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(_wtoi(argv[3])), r)) return 1;
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(toolbar, &centre);
        std::printf("%ld %ld\n", centre.x, centre.y);
        return 0;
    }
    if (command == L"controls") {
        // The controls of a pane of the main window, or of a dialog by its caption.
        HWND window = argc >= 4 ? Pane(main, argv[3]) : main;
        if (window == nullptr) return 1;
        PrintControls(window);
        return 0;
    }
    if (command == L"close") {
        // What the close box and the system menu's Close send.
        PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    return Usage();
}
