// Reading another process's windows from outside: shared by the end-to-end
// driver and the benchmark probe.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/text.h"

namespace tavrin::outside {

// WM_GETTEXT itself: GetWindowText does not ask a control of another process.
// A slow machine may keep the target busy for seconds; a hung one answers at once.
inline std::wstring Text(HWND hwnd) {
    wchar_t buffer[512] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 10000, &copied);
    buffer[511] = L'\0';
    return buffer;
}

inline void Print(const std::wstring& s) { std::puts(tavrin::win32::Narrow(s).c_str()); }

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[128] = L"";
    GetClassNameW(hwnd, buffer, 128);
    return buffer;
}

// Top-level windows by caption, or by class (a pop-up menu has no caption).
inline std::vector<HWND> TopLevel(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        std::vector<HWND> found;
    } search{&caption, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (Text(hwnd) == *s->caption || ClassOf(hwnd) == *s->caption) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace tavrin::outside
