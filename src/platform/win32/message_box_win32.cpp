#include "platform/win32/message_box_win32.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace tavrin::win32 {

void Win32MessageBox::ShowMessage(std::string_view text, std::string_view title) {
    // Task-modal: every window of the program waits, hidden main window or not.
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace tavrin::win32
