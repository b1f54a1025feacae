#include "platform/win32/console_win32.h"

#include <windows.h>

#include <string>

#include "platform/win32/text.h"

namespace tavrin::win32 {

namespace {

bool IsGiven(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Refused when this process is attached already.
bool AttachParentConsole() { return AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED; }

std::wstring WithCrLf(std::string_view text) {
    std::wstring wide;
    for (wchar_t c : Widen(text)) {
        if (c == L'\n' && (wide.empty() || wide.back() != L'\r')) wide += L'\r';
        wide += c;
    }
    return wide;
}

// Writes in as many calls as the handle takes; false when one writes nothing.
template <typename Text, typename WriteCall>
bool WriteAll(const Text& text, WriteCall write) {
    for (std::size_t at = 0; at < text.size();) {
        DWORD written = 0;
        if (!write(text.data() + at, static_cast<DWORD>(text.size() - at), &written) || written == 0) return false;
        at += written;
    }
    return true;
}

std::string Encoded(const std::wstring& text, UINT codePage) {
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

}  // namespace

bool Win32Console::Write(std::string_view text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsGiven(out)) {
        // A console's handle handed down by a console parent (Tavrin.com)
        // serves only a process attached to that console.
        if (GetFileType(out) == FILE_TYPE_CHAR) (void)AttachParentConsole();
        if (WriteTo(out, text)) return true;
    }
    if (!conout_ && AttachParentConsole()) {
        HANDLE opened = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        conout_.reset(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    }
    return conout_ && WriteTo(conout_.get(), text);
}

bool Win32Console::WriteTo(HANDLE out, std::string_view text) {
    const std::wstring wide = WithCrLf(text);
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode))
        return WriteAll(wide, [out](const wchar_t* data, DWORD size, DWORD* written) {
            return WriteConsoleW(out, data, size, written, nullptr);
        });
    // A file or pipe, read back as the script's console shows text.
    const UINT consolePage = AttachParentConsole() ? GetConsoleOutputCP() : 0;
    return WriteAll(
        Encoded(wide, consolePage != 0 ? consolePage : CP_UTF8),
        [out](const char* data, DWORD size, DWORD* written) { return WriteFile(out, data, size, written, nullptr); });
}

}  // namespace tavrin::win32
