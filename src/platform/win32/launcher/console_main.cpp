// Tavrin.com, the way in from a console prompt. cmd.exe prefers it to
// Tavrin.exe, and a windowed program can neither hold the prompt until its
// answer is printed nor set ERRORLEVEL. It hands its arguments and standard
// handles to Tavrin.exe beside it and returns that run's exit code. No
// library: it stays a few kilobytes.
#include <windows.h>

#include "common/command_line.h"
#include "script/script_command.h"
#include "script/script_switches.h"

namespace {

constexpr DWORD kLongest = 32768;  // a command line's, and a long path's, limit

// Appends `text` at `at`; false when it does not fit.
bool Append(wchar_t* buffer, DWORD& at, const wchar_t* text, DWORD size) {
    if (at + size >= 2 * kLongest) return false;
    for (DWORD i = 0; i < size; ++i) buffer[at++] = text[i];
    buffer[at] = L'\0';
    return true;
}

int Fail() {
    static const wchar_t text[] = L"无法启动 Tavrin.exe。\r\n";
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(error, &mode)) {
        WriteConsoleW(error, text, sizeof text / sizeof text[0] - 1, &written, nullptr);
    } else {
        char bytes[64];
        const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
        if (n > 1) WriteFile(error, bytes, static_cast<DWORD>(n - 1), &written, nullptr);
    }
    return static_cast<int>(tavrin::ScriptExit::NoAnswer);
}

}  // namespace

int wmain() {
    // Both gone with the process.
    auto* program = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, 2 * kLongest * sizeof(wchar_t)));
    auto* commandLine = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, 2 * kLongest * sizeof(wchar_t)));
    if (program == nullptr || commandLine == nullptr) return Fail();

    // Tavrin.exe in this program's folder.
    DWORD folder = GetModuleFileNameW(nullptr, program, kLongest);
    if (folder == 0 || folder >= kLongest) return Fail();
    while (folder > 0 && program[folder - 1] != L'\\' && program[folder - 1] != L'/') --folder;
    static const wchar_t exe[] = L"Tavrin.exe";
    if (!Append(program, folder, exe, sizeof exe / sizeof exe[0] - 1)) return Fail();

    const wchar_t* line = GetCommandLineW();
    const DWORD size = lstrlenW(line);
    const DWORD start = static_cast<DWORD>(tavrin::ArgumentsStart(line, size));
    DWORD at = 0;
    if (!Append(commandLine, at, L"\"", 1) || !Append(commandLine, at, program, folder) ||
        !Append(commandLine, at, L"\" ", 2) || !Append(commandLine, at, line + start, size - start))
        return Fail();

    // Without a command the program opens its window and keeps running: the
    // prompt has nothing to wait for, and the program gets none of its
    // handles, or a script reading this output would wait for it to end.
    const bool command = tavrin::StartsWithScriptSwitch(line + start, size - start);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    if (command) {
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program, commandLine, nullptr, nullptr, command ? TRUE : FALSE, 0, nullptr, nullptr, &startup,
                        &created))
        return Fail();
    CloseHandle(created.hThread);
    DWORD code = 0;
    if (command) {
        WaitForSingleObject(created.hProcess, INFINITE);
        if (!GetExitCodeProcess(created.hProcess, &code)) code = static_cast<DWORD>(tavrin::ScriptExit::NoAnswer);
    }
    CloseHandle(created.hProcess);
    return static_cast<int>(code);
}
