#include "platform/win32/application_win32.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "common/command_line.h"
#include "platform/win32/module_path.h"
#include "platform/win32/text.h"

namespace tavrin::win32 {

namespace {

constexpr wchar_t kSingleCopyMutex[] = L"Local\\Tavrin.SingleCopy";

}  // namespace

Win32Application::Win32Application() {
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

bool Win32Application::PreviousInstance() const {
    if (!previousInstance_) {
        mutex_.reset(CreateMutexW(nullptr, FALSE, kSingleCopyMutex));
        // A copy started elevated by the logon task owns a mutex that this
        // user's limited token may not open: that refusal means it is running.
        previousInstance_ = GetLastError() == (mutex_ ? ERROR_ALREADY_EXISTS : ERROR_ACCESS_DENIED);
    }
    return *previousInstance_;
}

bool Win32Application::OnUsersDesktop() const {
    USEROBJECTFLAGS flags{};
    return GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, nullptr) &&
           (flags.dwFlags & WSF_VISIBLE) != 0;
}

bool Win32Application::InProtectedFolder() const {
    const std::wstring folder = Widen(directory_) + L"\\";
    for (const KNOWNFOLDERID& id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86}) {
        PWSTR path = nullptr;
        if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) continue;
        const std::wstring root = std::wstring(path) + L"\\";
        CoTaskMemFree(path);
        if (folder.size() > root.size() &&
            CompareStringOrdinal(folder.c_str(), static_cast<int>(root.size()), root.c_str(),
                                 static_cast<int>(root.size()), TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

void Win32Application::End() { ExitProcess(0); }

}  // namespace tavrin::win32
