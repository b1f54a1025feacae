// The composition root: builds the adapters, the form models and their
// windows, runs the entry routine and then the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "app/frm_main.h"
#include "app/module_main.h"
#include "app/resident_icon.h"
#include "countdown/countdown_dialogs.h"
#include "countdown/form_count30.h"
#include "elevated/run_elevated_call.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "hotkeys/hidden_start.h"
#include "mixer/module_sound.h"
#include "platform/win32/application_win32.h"
#include "platform/win32/audio_endpoint_win32.h"
#include "platform/win32/clock_setter_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/console_win32.h"
#include "platform/win32/date_time_text_win32.h"
#include "platform/win32/elevation_win32.h"
#include "platform/win32/form_window.h"
#include "platform/win32/hotkey_registrar_win32.h"
#include "platform/win32/layouts.h"
#include "platform/win32/logon_task_win32.h"
#include "platform/win32/main_window.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/notify_icon_win32.h"
#include "platform/win32/power_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/tcp_client_win32.h"
#include "platform/win32/workstation_win32.h"
#include "power/module_shut_down.h"
#include "schedule/form_shutdown.h"
#include "script/script_client.h"
#include "script/script_host.h"
#include "settings/setup_store.h"
#include "startup/start_with_windows.h"
#include "timesync/frm_sync.h"
#include "tweaks/form_easy_login.h"

namespace tavrin::win32 {
namespace {

// Every port the windows use, and the modules without a window, built
// before any window.
struct Platform {
    Win32Application app;
    Win32Registry registry;
    Win32Clock clock;
    Win32RunningCopy runningCopy;
    Win32Console console;
    Win32Workstation workstation;
    Win32Browser browser;
    Win32MessageBox messageBox;
    Win32TcpClient tcpClient;
    Win32ClockSetter clockSetter;
    Win32Power power;  // learns the main window once it exists
    Win32DateTimeText dateTimeText;
    Win32Elevation elevation;
    Win32LogonTask logonTask;
    StartWithWindows startUp{registry, app, logonTask, elevation, messageBox};
    SetupStore store{registry, clock, startUp};
    ModuleShutDown shutDown{power, workstation, messageBox};
    CountdownDialogs countdowns{
        shutDown, [](FormCount30& dialog) -> std::unique_ptr<FormView> { return MakeCountdownDialog(dialog); }};
    Win32AudioEndpoint audio;
    ModuleSound sound{audio};
    Win32HotkeyRegistrar powerKeys;   // on the power pane's window once it exists
    Win32HotkeyRegistrar volumeKeys;  // on the volume pane's window
};

// The models and their windows. Built only once the entry routine knows this
// copy is the one that runs and the settings are loaded.
class Program {
public:
    explicit Program(Platform& p)
        : shutdown_(p.store, p.clock, p.dateTimeText, p.countdowns, p.shutDown),
          keyOff_(p.store, p.powerKeys, p.countdowns, p.shutDown),
          keyVol_(p.store, p.volumeKeys, p.sound),
          easyLogin_(p.registry, p.store, p.elevation),
          sync_(p.store, p.startUp, p.tcpClient, p.clockSetter, p.clock, p.elevation),
          main_({shutdown_, keyOff_, keyVol_, easyLogin_, sync_}, p.browser, p.app, p.clock, p.dateTimeText),
          script_(shutdown_, p.countdowns, p.store, p.clock),
          mainWindow_(main_, p.elevation.Elevated()),
          shutdownPane_(shutdown_, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          keyOffPane_(keyOff_, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          keyVolPane_(keyVol_, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          easyLoginPane_(easyLogin_, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          syncPane_(sync_, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          icon_(main_, shutdown_, p.registry),
          iconWindow_(icon_.Icon) {
        for (FormWindow* pane : {&shutdownPane_, &keyOffPane_, &keyVolPane_, &easyLoginPane_, &syncPane_})
            mainWindow_.AddPane(*pane);
        LayOutShutdown(shutdownPane_, shutdown_);
        LayOutKeyOff(keyOffPane_, keyOff_);
        LayOutKeyVol(keyVolPane_, keyVol_);
        LayOutEasyLogin(easyLoginPane_, easyLogin_);
        LayOutSync(syncPane_, sync_);
        p.power.SetMainWindow([this] { return mainWindow_.Hwnd(); });
        keyOff_.Connect(keyVol_);
        keyVol_.Connect(keyOff_);
        p.powerKeys.Attach(keyOffPane_.Hwnd());
        p.volumeKeys.Attach(keyVolPane_.Hwnd());
        p.countdowns.SetPostponer(&shutdown_);
        script_.onArmed = [this] { icon_.AnnounceArmed(); };
    }

    frmMain& Main() { return main_; }
    FormKeyOff& KeyOff() { return keyOff_; }
    FormKeyVol& KeyVol() { return keyVol_; }
    HWND MainHwnd() const { return mainWindow_.Hwnd(); }
    ResidentIcon& Icon() { return icon_; }
    ScriptHost& Script() { return script_; }

private:
    FormShutdown shutdown_;
    FormKeyOff keyOff_;
    FormKeyVol keyVol_;
    FormEasyLogin easyLogin_;
    frmSync sync_;
    frmMain main_;
    ScriptHost script_;

    MainWindow mainWindow_;
    FormWindow shutdownPane_;
    FormWindow keyOffPane_;
    FormWindow keyVolPane_;
    FormWindow easyLoginPane_;
    FormWindow syncPane_;
    ResidentIcon icon_;
    NotifyIconWindow iconWindow_;
};

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab and arrow keys move between the controls of a pane or dialog.
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (root != nullptr && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace tavrin::win32

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace tavrin::win32;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Platform platform;
    if (const auto exitCode = tavrin::RunIfElevatedCall(
            platform.app.Arguments(), {platform.registry, platform.clockSetter, platform.clock, platform.logonTask,
                                       platform.app, platform.elevation}))
        return *exitCode;
    if (const auto exitCode = tavrin::RunScriptCommand(
            {platform.app, platform.runningCopy, platform.console, platform.messageBox, platform.clock}))
        return *exitCode;
    std::unique_ptr<Program> program;
    const bool runs = tavrin::RunStartUp({platform.app, platform.runningCopy, platform.workstation, platform.store},
                                         [&]() -> tavrin::frmMain& {
                                             program = std::make_unique<Program>(platform);
                                             return program->Main();
                                         });
    if (!runs) return 0;
    program->Main().onRequest = [&program](std::string_view request) { return program->Script().Handle(request); };
    tavrin::RegisterAllAfterHiddenLoad(program->KeyOff(), program->KeyVol());
    program->Icon().Start();
    return RunMessageLoop();
}
