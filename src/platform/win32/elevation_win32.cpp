#include "platform/win32/elevation_win32.h"

#include <windows.h>
#include <ntsecapi.h>
#include <sddl.h>
#include <shellapi.h>

#include <cstdint>
#include <cwchar>

#include "elevated/elevated_call.h"
#include "platform/win32/module_path.h"
#include "platform/win32/system_reason.h"
#include "platform/win32/text.h"
#include "platform/win32/token_user.h"
#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

namespace {

constexpr wchar_t kPipePrefix[] = L"\\\\.\\pipe\\Tavrin.";
// The prompt is over before these start (ShellExecuteEx waits for it); they
// only bound a copy that hangs, while the window waits unanswered.
constexpr DWORD kConnectWaitMs = 10'000;
constexpr DWORD kWorkWaitMs = 20'000;
constexpr std::uint32_t kLongestMessage = 64 * 1024;

// 128 bits from the system's generator, so that no one can guess the name
// and take the pipe first.
std::wstring RandomPipeName() {
    unsigned int words[4] = {};
    if (!RtlGenRandom(words, sizeof words)) return {};
    std::wstring name = kPipePrefix;
    for (const unsigned int bits : words) {
        wchar_t hex[9];
        std::swprintf(hex, 9, L"%08x", bits);
        name += hex;
    }
    return name;
}

// This user, and administrators: a standard user's copy elevates as another account.
UniqueKernelHandle CreatePrivatePipe(const std::wstring& name) {
    const std::wstring sddl = L"D:P(A;;GA;;;" + TokenUserSid() + L")(A;;GA;;;BA)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE pipe = CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
        PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kLongestMessage, kLongestMessage, 0, &attributes);
    LocalFree(descriptor);
    return UniqueKernelHandle(pipe == INVALID_HANDLE_VALUE ? nullptr : pipe);
}

// One overlapped transfer on the caller's pipe, given up after the wait.
bool Transfer(HANDLE pipe, bool write, void* data, DWORD size, DWORD waitMs) {
    auto* bytes = static_cast<std::uint8_t*>(data);
    while (size > 0) {
        OVERLAPPED overlapped{};
        UniqueKernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        overlapped.hEvent = event.get();
        DWORD done = 0;
        const BOOL started = write ? WriteFile(pipe, bytes, size, nullptr, &overlapped)
                                   : ReadFile(pipe, bytes, size, nullptr, &overlapped);
        if (!started && GetLastError() != ERROR_IO_PENDING) return false;
        if (WaitForSingleObject(event.get(), waitMs) != WAIT_OBJECT_0) {
            CancelIo(pipe);
            GetOverlappedResult(pipe, &overlapped, &done, TRUE);
            return false;
        }
        if (!GetOverlappedResult(pipe, &overlapped, &done, FALSE) || done == 0) return false;
        bytes += done;
        size -= done;
    }
    return true;
}

// Messages are a little-endian length, then UTF-8.
bool SendMessageOn(HANDLE pipe, std::string_view text, bool overlapped) {
    std::uint32_t length = static_cast<std::uint32_t>(text.size());
    std::string frame(reinterpret_cast<const char*>(&length), sizeof length);
    frame += text;
    if (overlapped) return Transfer(pipe, true, frame.data(), static_cast<DWORD>(frame.size()), kWorkWaitMs);
    DWORD written = 0;
    return WriteFile(pipe, frame.data(), static_cast<DWORD>(frame.size()), &written, nullptr) &&
           written == frame.size();
}

std::optional<std::string> ReceiveMessageOn(HANDLE pipe, bool overlapped) {
    const auto read = [&](void* data, DWORD size) {
        if (overlapped) return Transfer(pipe, false, data, size, kWorkWaitMs);
        auto* bytes = static_cast<std::uint8_t*>(data);
        for (DWORD got = 0; size > 0; bytes += got, size -= got)
            if (!ReadFile(pipe, bytes, size, &got, nullptr) || got == 0) return false;
        return true;
    };
    std::uint32_t length = 0;
    if (!read(&length, sizeof length) || length > kLongestMessage) return std::nullopt;
    std::string text(length, '\0');
    if (length > 0 && !read(text.data(), length)) return std::nullopt;
    return text;
}

class PipeToCaller final : public CallerChannel {
public:
    explicit PipeToCaller(UniqueKernelHandle pipe) : pipe_(std::move(pipe)) {}
    std::optional<std::string> Input() override { return ReceiveMessageOn(pipe_.get(), false); }
    void Answer(std::string_view report) override { (void)SendMessageOn(pipe_.get(), report, false); }

private:
    UniqueKernelHandle pipe_;
};

}  // namespace

Win32Elevation::Win32Elevation(std::wstring exePath) : exePath_(exePath.empty() ? ModulePath() : std::move(exePath)) {}

namespace {

template <class T>
bool TokenInformation(TOKEN_INFORMATION_CLASS kind, T& value) {
    UniqueKernelHandle token;
    DWORD size = 0;
    return OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()) &&
           GetTokenInformation(token.get(), kind, &value, sizeof value, &size);
}

}  // namespace

bool Win32Elevation::Elevated() const {
    if (!elevated_) {
        TOKEN_ELEVATION elevation{};
        elevated_ = TokenInformation(TokenElevation, elevation) && elevation.TokenIsElevated != 0;
    }
    return *elevated_;
}

bool Win32Elevation::SplitToken() const {
    if (!splitToken_) {
        TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
        splitToken_ = TokenInformation(TokenElevationType, type) && type != TokenElevationTypeDefault;
    }
    return *splitToken_;
}

ElevatedResult Win32Elevation::RunElevated(std::string_view operation, std::string_view input) {
    return ElevatedResultOf(RunCopy(operation, input));
}

CopyRun Win32Elevation::RunCopy(std::string_view operation, std::string_view input) {
    using Stage = CopyRun::Stage;
    const std::wstring name = RandomPipeName();
    if (name.empty()) return {Stage::NotStarted, "无法生成随机管道名", 0, std::nullopt};
    UniqueKernelHandle pipe = CreatePrivatePipe(name);
    if (!pipe) return {Stage::NotStarted, SystemReason(GetLastError()), 0, std::nullopt};
    UniqueKernelHandle connected(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED connecting{};
    connecting.hEvent = connected.get();
    const DWORD listening = ConnectNamedPipe(pipe.get(), &connecting) ? ERROR_SUCCESS : GetLastError();
    if (listening == ERROR_PIPE_CONNECTED)
        SetEvent(connected.get());
    else if (listening != ERROR_IO_PENDING && listening != ERROR_SUCCESS)
        return {Stage::NotStarted, SystemReason(listening), 0, std::nullopt};
    // The pending connect writes into `connecting`: it must be over before that goes.
    const auto stopListening = [&] {
        DWORD ignored = 0;
        if (CancelIo(pipe.get())) GetOverlappedResult(pipe.get(), &connecting, &ignored, TRUE);
    };

    const std::wstring parameters = Widen(ElevatedArguments(Narrow(name), operation));
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = GetForegroundWindow();  // the window the user just used owns the prompt
    execute.lpVerb = L"runas";
    execute.lpFile = exePath_.c_str();
    execute.lpParameters = parameters.c_str();
    execute.nShow = SW_HIDE;
    if (!ShellExecuteExW(&execute)) {
        const DWORD code = GetLastError();
        stopListening();
        if (code == ERROR_CANCELLED) return {Stage::Declined, {}, 0, std::nullopt};
        return {Stage::NotStarted, SystemReason(code), 0, std::nullopt};
    }
    UniqueKernelHandle process(execute.hProcess);
    if (!process) {
        stopListening();
        return {Stage::NotConnected, {}, 0, std::nullopt};
    }

    // Served only when the other end is the copy just started.
    const HANDLE waits[] = {connected.get(), process.get()};
    const DWORD first = WaitForMultipleObjects(2, waits, FALSE, kConnectWaitMs);
    ULONG client = 0;
    if (first != WAIT_OBJECT_0 || !GetNamedPipeClientProcessId(pipe.get(), &client) ||
        client != GetProcessId(process.get())) {
        stopListening();
        return {Stage::NotConnected, {}, 0, std::nullopt};
    }
    if (!SendMessageOn(pipe.get(), input, true)) return {Stage::NotConnected, {}, 0, std::nullopt};
    std::optional<std::string> report = ReceiveMessageOn(pipe.get(), true);

    DWORD exitCode = 0;
    if (WaitForSingleObject(process.get(), kWorkWaitMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &exitCode))
        return {Stage::Handed, {}, 0, std::nullopt};
    return {Stage::Ended, {}, static_cast<int>(exitCode), std::move(report)};
}

std::unique_ptr<CallerChannel> Win32Elevation::ConnectCaller(std::string_view channelName) {
    const std::wstring name = Widen(channelName);
    if (name.rfind(kPipePrefix, 0) != 0) return nullptr;  // our own pipes only, never a file
    HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<PipeToCaller>(UniqueKernelHandle(pipe));
}

}  // namespace tavrin::win32
