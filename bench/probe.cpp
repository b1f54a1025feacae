// What the benchmarks time from outside, beside Tavrin under the same
// wineserver: how long a program takes to show its window, and when a
// dialog or a pane's first control appears, changes its text and goes; and
// closes a message box as its close box would.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/window_search.h"
#include "platform/win32/text.h"

namespace {

using namespace tavrin::outside;

HWND Pane(HWND main, const std::wstring& caption) {
    HWND client = FindWindowExW(main, nullptr, L"TavrinClientArea", nullptr);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc >= 3 ? argv[1] : L"";
    if (command == L"close" && argc >= 3) {
        // What the close box sends, to each window with the caption.
        for (HWND w : TopLevel(argv[2])) PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (command == L"launch" && argc >= 4) return Launch(argv[2], argc - 3, argv + 3);
    if (command == L"watch" && argc >= 4) {
        const std::wstring pane = argc >= 5 ? argv[4] : L"";
        return Watch(argv[2], argc >= 5 ? &pane : nullptr, static_cast<DWORD>(_wtoi(argv[3])));
    }
    std::fputs("usage: probe watch CAPTION MS [PANE] | launch CAPTION EXE [ARGS] | close CAPTION\n", stderr);
    return 2;
}
