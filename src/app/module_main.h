#pragma once
#include <functional>

namespace tavrin {

class Application;
class RunningCopy;
class SetupStore;
class Workstation;
class frmMain;

struct StartUpPorts {
    Application& app;
    RunningCopy& runningCopy;
    Workstation& workstation;
    SetupStore& store;
};

// The entry routine. Returns false when another copy is running: that copy's
// window was brought forward (unless this is a hidden start; a logon start
// still locks when asked to) and this one must end without any window. The
// main window is created through the factory only after the settings are
// loaded (so every window's load sees them) and after the lock of a hidden
// start (so no window exists before it).
bool RunStartUp(StartUpPorts ports, const std::function<frmMain&()>& createMainWindow);

}  // namespace tavrin
