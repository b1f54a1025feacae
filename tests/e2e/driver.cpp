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
#include "window_search.h"

namespace {

using namespace tavrin::outside;

HWND Child(HWND parent, const wchar_t* cls) { return FindWindowExW(parent, nullptr, cls, nullptr); }

// Reads a structure the target fills in its own address space; fix points
// its pointers into the copy there.
template <class T, class Fix>
bool AskRemote(HWND hwnd, UINT msg, WPARAM wp, T& out, Fix fix) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return false;
    auto* remote = static_cast<T*>(VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE));
    fix(out, remote);
    WriteProcessMemory(process, remote, &out, sizeof(T), nullptr);
    const bool ok = SendMessageW(hwnd, msg, wp, reinterpret_cast<LPARAM>(remote)) &&
                    ReadProcessMemory(process, remote, &out, sizeof(T), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

// One line a control: class|visible|enabled|x|y|text, with x and y the
// screen coordinates of its centre, for a real click.
void PrintControls(HWND window) {
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(c, &r);
        wchar_t line[160];
        std::swprintf(line, 160, L"%ls|%d|%d|%ld|%ld|", ClassOf(c).c_str(), IsWindowVisible(c) ? 1 : 0,
                      IsWindowEnabled(c) ? 1 : 0, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Print(line + Text(c));
    }
}

HWND Pane(HWND main, const std::wstring& caption) {
    HWND client = Child(main, L"TavrinClientArea");
    for (HWND pane = GetWindow(client, GW_CHILD); pane != nullptr; pane = GetWindow(pane, GW_HWNDNEXT))
        if (Text(pane) == caption) return pane;
    return nullptr;
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
// among them, one line each ("|" for a line break).
BOOL CALLBACK PrintTips(HWND tips, LPARAM) {
    struct Block {
        TTTOOLINFOW info;
        wchar_t text[1024];
    };
    if (ClassOf(tips) != TOOLTIPS_CLASSW) return TRUE;
    for (LRESULT i = 0, n = SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0); i < n; ++i) {
        Block block{};
        block.info.cbSize = sizeof(TTTOOLINFOW);
        if (!AskRemote(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), block,
                       [](Block& b, Block* remote) { b.info.lpszText = remote->text; }))
            continue;
        std::wstring text(block.text, wcsnlen(block.text, 1023));
        for (wchar_t& c : text) c = c == L'\n' ? L'|' : c;
        Print(text);
    }
    return TRUE;
}

int Usage() {
    std::fputs("usage: driver find|controls|toolbar CAPTION [PANE|INDEX] | tips | ticks | hold M | elevate EXE OP\n",
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
    if (command == L"hold" && argc >= 3) {
        // Stands in for a running copy: holds its named mutex until the input closes.
        HANDLE mutex = CreateMutexW(nullptr, FALSE, argv[2]);
        std::puts(mutex != nullptr ? "holding" : "failed");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return mutex != nullptr ? 0 : 1;
    }
    if (command == L"tips") return EnumWindows(PrintTips, 0) ? 0 : 1;
    if (argc < 3) return Usage();
    const std::vector<HWND> windows = TopLevel(argv[2]);

    if (command == L"find") {
        // One line a window: visible (0/1), foreground (0/1), left top right bottom.
        for (HWND w : windows) {
            RECT r{};
            GetWindowRect(w, &r);
            std::printf("%d %d %ld %ld %ld %ld\n", IsWindowVisible(w) ? 1 : 0, GetForegroundWindow() == w ? 1 : 0,
                        r.left, r.top, r.right, r.bottom);
        }
        return windows.empty() ? 1 : 0;
    }
    if (windows.empty()) return 1;
    HWND main = windows.front();

    if (command == L"toolbar" && argc >= 4) {
        // Screen coordinates of a toolbar button's centre, for a real click.
        HWND toolbar = Child(main, TOOLBARCLASSNAMEW);
        RECT r{};
        if (!AskRemote(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(_wtoi(argv[3])), r, [](RECT&, RECT*) {})) return 1;
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(toolbar, &centre);
        std::printf("%ld %ld\n", centre.x, centre.y);
        return 0;
    }
    if (command == L"controls") {
        // The controls of a pane, the panes of the main window, or the controls of a dialog.
        HWND client = Child(main, L"TavrinClientArea");
        HWND window = argc >= 4 ? Pane(main, argv[3]) : client != nullptr ? client : main;
        if (window == nullptr) return 1;
        PrintControls(window);
        return 0;
    }
    return Usage();
}
