#include "platform/win32/token_user.h"

#include <windows.h>
#include <sddl.h>

#include <array>
#include <cstdint>

#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

std::wstring TokenUserSid() {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
    std::array<std::uint8_t, 256> buffer{};  // TOKEN_USER with the longest SID fits
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size))
        return {};
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return {};
    std::wstring sid = text;
    LocalFree(text);
    return sid;
}

}  // namespace tavrin::win32
