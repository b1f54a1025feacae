#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "toolkit/notify_icon.h"

namespace tavrin::win32 {

// The notification-area icon's twin. A hidden top-level window of its own
// takes the icon's messages and Explorer's "TaskbarCreated" broadcast, which
// a message-only window would never see.
class NotifyIconWindow final : public NotifyIconView {
public:
    explicit NotifyIconWindow(NotifyIcon& model);
    ~NotifyIconWindow() override;
    NotifyIconWindow(const NotifyIconWindow&) = delete;
    NotifyIconWindow& operator=(const NotifyIconWindow&) = delete;

    // NotifyIconView
    bool ShowIcon(bool shown, const std::string& tip) override;
    bool ShowTip(const std::string& tip) override;
    bool ShowNotice(const std::string& title, const std::string& text) override;

    void AttachHwnd(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    NOTIFYICONDATAW Data(UINT flags) const;
    void ShowMenu(int x, int y);

    NotifyIcon& model_;
    HWND hwnd_ = nullptr;
    UINT taskbarCreated_ = 0;
    HICON icon_ = nullptr;  // shared with the class; never destroyed
    UniqueWindow window_;   // last: it goes first
};

}  // namespace tavrin::win32
