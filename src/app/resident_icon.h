#pragma once
#include <cstdint>
#include <string_view>

#include "toolkit/notify_icon.h"

namespace tavrin {

class FormShutdown;
class Registry;
class frmMain;

// The program's sign of life in the notification area: a tooltip that
// follows the schedule, a click that brings the main window, a menu with the
// pane's stop button and the toolbar's exit, and notices when a hidden start
// armed a task, five minutes before an action, and the first time the user
// closes the window.
class ResidentIcon {
public:
    ResidentIcon(frmMain& main, FormShutdown& schedule, Registry& registry);
    ~ResidentIcon();
    ResidentIcon(const ResidentIcon&) = delete;
    ResidentIcon& operator=(const ResidentIcon&) = delete;

    NotifyIcon Icon;

    // Once the main window has loaded, shown or hidden.
    void Start();
    // A task armed while the window is hidden, by a hidden start or a script,
    // is never a surprise: a notice names it.
    void AnnounceArmed();
    // Gone before the process ends.
    void Stop() { Icon.SetVisible(false); }

private:
    void Refresh();
    void ChooseMenuItem(std::string_view item);
    void ShowMainWindow();
    void ClosedToHidden();

    frmMain& main_;
    FormShutdown& schedule_;
    Registry& registry_;
    std::int64_t lastSecondsLeft_ = -1;  // -1 while nothing is due
};

// Set once the first-close notice was shown to this user.
inline constexpr const char* kCloseNoticeValue = "closenotice";

}  // namespace tavrin
