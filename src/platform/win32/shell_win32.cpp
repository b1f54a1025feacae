#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "platform/win32/module_path.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_class.h"

namespace tavrin::win32 {

namespace {

// The running copy may wait for a countdown to be armed and shown.
constexpr UINT kAnswerWaitMs = 60000;
// A copy started hidden is slow only on a loaded or cold machine.
constexpr ULONGLONG kStartWaitMs = 60000;
constexpr DWORD kStartPollMs = 50;
constexpr UINT kProbeWaitMs = 1000;

// A message-only window that takes the running copy's reply, which arrives
// as a sent message while SendMessageTimeoutW waits for the request.
class ReplyWindow {
public:
    explicit ReplyWindow(HWND from) : from_(from) {
        window_.reset(CreateWindowExW(0, RegisterForwardingClass<ReplyWindow>(L"Tavrin.ScriptReply"), L"", 0, 0, 0, 0,
                                      0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this));
        // The running copy may run at a lower integrity level than this start.
        if (window_) ChangeWindowMessageFilterEx(window_.get(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    }
    ReplyWindow(const ReplyWindow&) = delete;
    ReplyWindow& operator=(const ReplyWindow&) = delete;

    HWND Hwnd() const { return window_.get(); }
    const std::optional<std::string>& Reply() const { return reply_; }

    void AttachHwnd(HWND) {}  // window_ owns the handle
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg != WM_COPYDATA) return DefWindowProcW(hwnd, msg, wp, lp);
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (reinterpret_cast<HWND>(wp) != from_ || data->dwData != kScriptReplyTag) return FALSE;
        reply_.emplace(data->cbData != 0 ? std::string(static_cast<const char*>(data->lpData), data->cbData) : "");
        return TRUE;
    }

private:
    HWND from_;
    std::optional<std::string> reply_;
    UniqueWindow window_;  // last: it goes first
};

// Hands `request` to the window and waits up to `waitMs` for its reply.
RunningCopy::Relayed Send(HWND target, std::string_view request, UINT waitMs) {
    using Outcome = RunningCopy::Relayed::Outcome;
    ReplyWindow reply(target);
    if (reply.Hwnd() == nullptr) return {Outcome::NoAnswer, {}};
    COPYDATASTRUCT data{kScriptRequestTag, static_cast<DWORD>(request.size()), const_cast<char*>(request.data())};
    DWORD_PTR taken = FALSE;
    const LRESULT sent = SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Hwnd()),
                                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, waitMs, &taken);
    if (reply.Reply()) return {Outcome::Answered, *reply.Reply()};
    // Refused at once (a window of higher rights that admits nothing from
    // here, or one that did not take it): certainly not carried out.
    if ((sent == 0 && GetLastError() != ERROR_TIMEOUT) || (sent != 0 && taken == FALSE)) return {Outcome::Refused, {}};
    return {Outcome::NoAnswer, {}};
}

}  // namespace

bool Win32RunningCopy::Restore(std::string_view mainWindowCaption) {
    HWND window = FindWindowW(nullptr, Widen(mainWindowCaption).c_str());
    if (window == nullptr) return false;
    // Asked, not done from here: the window may belong to an elevated copy,
    // which admits this one message. The user's start may hand it the foreground.
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    AllowSetForegroundWindow(owner);
    return PostMessageW(window, RegisterWindowMessageW(kRestoreMessage), 0, 0) != FALSE;
}

RunningCopy::Relayed Win32RunningCopy::Relay(std::string_view mainWindowCaption, std::string_view request) {
    HWND target = FindWindowW(nullptr, Widen(mainWindowCaption).c_str());
    if (target == nullptr) return {Relayed::Outcome::NotRunning, {}};
    return Send(target, request, kAnswerWaitMs);
}

bool Win32RunningCopy::Start(std::string_view arguments, std::string_view mainWindowCaption) {
    const std::wstring path = ModulePath();
    std::wstring commandLine = L"\"" + path + L"\" " + Widen(arguments);
    // Its own folder, so the copy left running holds no script's folder open.
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    // No handle of this start's: the copy outlives it, and a script reading
    // this start's output waits until every holder of its pipe is gone.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &created))
        return false;
    const UniqueKernelHandle process(created.hProcess), thread(created.hThread);
    // Ready once its window takes requests: an empty one, which it reads as
    // malformed and so changes nothing. Until its start-up is over it takes
    // none, even when a modal loop in the start-up (a message box, a COM
    // call) lets the message through.
    const std::wstring caption = Widen(mainWindowCaption);
    const auto ready = [&caption] {
        HWND window = FindWindowW(nullptr, caption.c_str());
        return window != nullptr && Send(window, {}, kProbeWaitMs).outcome == Relayed::Outcome::Answered;
    };
    const ULONGLONG deadline = GetTickCount64() + kStartWaitMs;
    while (!ready()) {
        // Ended without a window: another copy may have won the race.
        if (WaitForSingleObject(process.get(), kStartPollMs) == WAIT_OBJECT_0 || GetTickCount64() > deadline)
            return ready();
    }
    return true;
}

bool Win32Browser::Open(std::string_view address) {
    const std::wstring target = Widen(address);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

}  // namespace tavrin::win32
