#include "platform/win32/application_win32.h"

#include <windows.h>

#include "app/command_line.h"
#include "platform/win32/text.h"

namespace tavrin::win32 {

namespace {

constexpr wchar_t kSingleCopyMutex[] = L"Local\\Tavrin.SingleCopy";

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

Win32Application::Win32Application() {
    mutex_.reset(CreateMutexW(nullptr, FALSE, kSingleCopyMutex));
    previousInstance_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;

    const std::wstring path = ModulePath();
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring dir = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    if (dir.size() == 2 && dir[1] == L':') dir += L'\\';  // a drive's root keeps its backslash
    std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = file.find_last_of(L'.');
    if (dot != std::wstring::npos) file.resize(dot);

    directory_ = Narrow(dir);
    baseName_ = Narrow(file);
    arguments_ = ArgumentString(Narrow(GetCommandLineW()));
}

void Win32Application::End() { ExitProcess(0); }

}  // namespace tavrin::win32
