#include "platform/win32/logon_task_win32.h"

#include <windows.h>
#include <taskschd.h>
#include <wrl/client.h>

#include "platform/win32/com_apartment.h"
#include "platform/win32/system_reason.h"
#include "platform/win32/text.h"
#include "platform/win32/token_user.h"

namespace tavrin::win32 {

using Microsoft::WRL::ComPtr;

namespace {

// The BSTR functions, loaded on first use: an import would load their
// library at every start, for a task that most users never have.
struct BstrFunctions {
    BSTR(WINAPI* alloc)(const OLECHAR*, UINT) = nullptr;
    void(WINAPI* free)(BSTR) = nullptr;
};

const BstrFunctions& Functions() {
    static const BstrFunctions functions = [] {
        BstrFunctions f;
        if (const HMODULE library = LoadLibraryW(L"oleaut32.dll")) {
            f.alloc = reinterpret_cast<decltype(f.alloc)>(
                reinterpret_cast<void*>(GetProcAddress(library, "SysAllocStringLen")));
            f.free =
                reinterpret_cast<decltype(f.free)>(reinterpret_cast<void*>(GetProcAddress(library, "SysFreeString")));
        }
        return f;
    }();
    return functions;
}

// Owns a BSTR for the length of one call; null when the library is missing.
class Bstr {
public:
    explicit Bstr(const std::wstring& text)
        : text_(Functions().alloc ? Functions().alloc(text.data(), static_cast<UINT>(text.size())) : nullptr) {}
    ~Bstr() {
        if (Functions().free) Functions().free(text_);
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return text_; }

private:
    BSTR text_;
};

// The root folder, or the reason there is none.
HRESULT RootFolder(ComPtr<ITaskFolder>& folder) {
    ComPtr<ITaskService> service;
    HRESULT hr = CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&service));
    if (FAILED(hr)) return hr;
    const VARIANT none{};  // VT_EMPTY: this computer, this user
    hr = service->Connect(none, none, none, none);
    if (FAILED(hr)) return hr;
    return service->GetFolder(Bstr(L"\\"), &folder);
}

Outcome OutcomeOfResult(HRESULT hr) {
    if (SUCCEEDED(hr)) return Outcome::Done();
    // Win32 errors wrapped in an HRESULT read as the system's own text.
    return Outcome::Refused(
        SystemReason(HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : static_cast<DWORD>(hr)));
}

}  // namespace

std::wstring LogonTaskName(std::string_view user) { return L"Dormalix " + Widen(user); }

bool Win32LogonTask::Exists(std::string_view user) {
    const ComApartment com;
    ComPtr<ITaskFolder> folder;
    ComPtr<IRegisteredTask> task;
    return com.Usable() && SUCCEEDED(RootFolder(folder)) &&
           SUCCEEDED(folder->GetTask(Bstr(LogonTaskName(user)), &task));
}

Outcome Win32LogonTask::Register(std::string_view user, std::string_view definition) {
    const ComApartment com;
    ComPtr<ITaskFolder> folder;
    HRESULT hr = RootFolder(folder);
    if (FAILED(hr)) return OutcomeOfResult(hr);
    const VARIANT none{};
    ComPtr<IRegisteredTask> task;
    hr = folder->RegisterTask(Bstr(LogonTaskName(user)), Bstr(Widen(definition)), TASK_CREATE_OR_UPDATE, none, none,
                              TASK_LOGON_INTERACTIVE_TOKEN, none, &task);
    return OutcomeOfResult(hr);
}

Outcome Win32LogonTask::Delete(std::string_view user) {
    const ComApartment com;
    ComPtr<ITaskFolder> folder;
    HRESULT hr = RootFolder(folder);
    if (FAILED(hr)) return OutcomeOfResult(hr);
    hr = folder->DeleteTask(Bstr(LogonTaskName(user)), 0);
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) return Outcome::Done();
    return OutcomeOfResult(hr);
}

std::string Win32LogonTask::CurrentUser() const { return Narrow(TokenUserSid()); }

}  // namespace tavrin::win32
