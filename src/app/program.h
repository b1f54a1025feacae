#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "app/frm_main.h"
#include "app/resident_icon.h"
#include "countdown/countdown_dialogs.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "mixer/module_sound.h"
#include "power/module_shut_down.h"
#include "schedule/form_shutdown.h"
#include "script/script_host.h"
#include "settings/setup_store.h"
#include "startup/start_with_windows.h"
#include "timesync/frm_sync.h"
#include "tweaks/form_easy_login.h"

namespace tavrin {

class AudioEndpoint;
class Browser;
class ClockSetter;
class Console;
class DateTimeText;
class HotkeyRegistrar;
class RunningCopy;
class TcpClient;
class Workstation;

// Every port the program uses; the platform builds them before anything else.
struct ProgramPorts {
    Application& app;
    Registry& registry;
    Clock& clock;
    RunningCopy& runningCopy;
    Console& console;
    Workstation& workstation;
    Browser& browser;
    MessageBoxPort& messageBox;
    TcpClient& tcpClient;
    ClockSetter& clockSetter;
    Power& power;
    DateTimeText& dateTimeText;
    Elevation& elevation;
    LogonTask& logonTask;
    AudioEndpoint& audio;
    HotkeyRegistrar& powerKeys;
    HotkeyRegistrar& volumeKeys;
    CountdownDialogs::ViewFactory countdownView;
};

// The window models, built once this copy is the one that runs and the
// settings are loaded, and wired to each other.
struct Models {
    Models(ProgramPorts& p, SetupStore& store, StartWithWindows& startUp, CountdownDialogs& countdowns,
           ModuleShutDown& shutDown, ModuleSound& sound);
    Models(const Models&) = delete;
    Models& operator=(const Models&) = delete;

    FormShutdown shutdown;
    FormKeyOff keyOff;
    FormKeyVol keyVol;
    FormEasyLogin easyLogin;
    frmSync sync;
    frmMain main;
    ScriptHost script;
    ResidentIcon icon;
};

// What the platform keeps of the windows it gave the models; it goes before
// the models do.
class ModelViews {
public:
    virtual ~ModelViews() = default;
};

// The composition root: the modules without a window, then whatever this
// start asks for.
class Program {
public:
    // Gives the models their windows, after they are wired and before the
    // main window loads.
    using ShowModels = std::function<std::unique_ptr<ModelViews>(Models&)>;

    Program(ProgramPorts ports, ShowModels showModels = {});
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The elevated copy's one operation, a command from a script, or the
    // program's start. An exit code means the process ends now; none means
    // the program runs until its message loop ends.
    std::optional<int> Start();

    SetupStore& Store() { return store_; }
    CountdownDialogs& Countdowns() { return countdowns_; }
    // Null until Start has built them.
    Models* Windows() { return models_.get(); }

private:
    ProgramPorts ports_;
    ShowModels showModels_;
    StartWithWindows startUp_;
    SetupStore store_;
    ModuleShutDown shutDown_;
    CountdownDialogs countdowns_;
    ModuleSound sound_;
    std::unique_ptr<Models> models_;
    std::unique_ptr<ModelViews> views_;
};

}  // namespace tavrin
