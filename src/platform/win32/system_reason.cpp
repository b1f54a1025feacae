#include "platform/win32/system_reason.h"

#include <cwctype>
#include <iterator>

#include "platform/win32/text.h"

namespace tavrin::win32 {

// No text is looked up for 0: the system's "done" would contradict the refusal.
std::string SystemReason(DWORD code) {
    wchar_t text[512] = L"";
    DWORD length = 0;
    if (code != 0)
        length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                static_cast<DWORD>(std::size(text)), nullptr);
    while (length > 0 && std::iswspace(text[length - 1])) --length;
    const std::string number = std::to_string(code);
    if (length == 0) return number;
    return Narrow(std::wstring_view(text, length)) + " (" + number + ")";
}

Outcome OutcomeOf(BOOL succeeded) {
    if (succeeded) return Outcome::Done();
    return Outcome::Refused(SystemReason(::GetLastError()));
}

}  // namespace tavrin::win32
