#pragma once
#include <windows.h>

#include <functional>

#include "ports/power.h"

namespace tavrin::win32 {

class Win32Power final : public Power {
public:
    // The main window is asked for at each monitor request: it may not exist
    // yet when this is built.
    explicit Win32Power(std::function<HWND()> mainWindow = {});
    void SetMainWindow(std::function<HWND()> mainWindow) { mainWindow_ = std::move(mainWindow); }

    std::unique_ptr<PrivilegeSteps> BeginPrivilegeSteps() override;
    Outcome EndSession(SessionEnd how) override;
    Outcome Hibernate() override;
    bool HibernationAvailable() override;
    bool MonitorOff() override;

private:
    std::function<HWND()> mainWindow_;
};

}  // namespace tavrin::win32
