#pragma once
#include <windows.h>

namespace tavrin::win32 {

// Registers a window class once per process whose procedure forwards every
// message to Self::OnMessage. The object is bound at WM_NCCREATE (passed as
// lpCreateParams), so even WM_CREATE reaches it with its hwnd known.
template <class Self>
LRESULT CALLBACK ForwardingWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Self*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->AttachHwnd(hwnd);
    }
    auto* self = reinterpret_cast<Self*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self != nullptr) self->AttachHwnd(nullptr);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self != nullptr ? self->OnMessage(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

template <class Self>
const wchar_t* RegisterForwardingClass(const wchar_t* name, HICON icon = nullptr) {
    static const ATOM atom = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &ForwardingWndProc<Self>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = icon;
        wc.hIconSm = icon;
        wc.lpszClassName = name;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
    return name;
}

}  // namespace tavrin::win32
