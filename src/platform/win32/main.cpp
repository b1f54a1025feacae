// Builds the adapters, hands them to the program, gives its models their
// windows and runs the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "app/program.h"
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

namespace tavrin::win32 {
namespace {

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
    Win32AudioEndpoint audio;
    Win32HotkeyRegistrar powerKeys;   // on the power pane's window once it exists
    Win32HotkeyRegistrar volumeKeys;  // on the volume pane's window

    ProgramPorts Ports() {
        return {
            app,        registry,
            clock,      runningCopy,
            console,    workstation,
            browser,    messageBox,
            tcpClient,  clockSetter,
            power,      dateTimeText,
            elevation,  logonTask,
            audio,      powerKeys,
            volumeKeys, [](FormCount30& dialog) -> std::unique_ptr<FormView> { return MakeCountdownDialog(dialog); }};
    }
};

// The windows that show the models.
class Windows final : public ModelViews {
public:
    Windows(Models& m, Platform& p)
        : mainWindow_(m.main),
          shutdownPane_(m.shutdown, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          keyOffPane_(m.keyOff, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          keyVolPane_(m.keyVol, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          easyLoginPane_(m.easyLogin, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          syncPane_(m.sync, FormWindow::Kind::Pane, mainWindow_.ClientArea(), 0, 0),
          iconWindow_(m.icon.Icon) {
        for (FormWindow* pane : {&shutdownPane_, &keyOffPane_, &keyVolPane_, &easyLoginPane_, &syncPane_})
            mainWindow_.AddPane(*pane);
        LayOutShutdown(shutdownPane_, m.shutdown);
        LayOutKeyOff(keyOffPane_, m.keyOff);
        LayOutKeyVol(keyVolPane_, m.keyVol);
        LayOutEasyLogin(easyLoginPane_, m.easyLogin);
        LayOutSync(syncPane_, m.sync);
        p.power.SetMainWindow([this] { return mainWindow_.Hwnd(); });
        p.powerKeys.Attach(keyOffPane_.Hwnd());
        p.volumeKeys.Attach(keyVolPane_.Hwnd());
    }

private:
    MainWindow mainWindow_;
    FormWindow shutdownPane_;
    FormWindow keyOffPane_;
    FormWindow keyVolPane_;
    FormWindow easyLoginPane_;
    FormWindow syncPane_;
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
    tavrin::Program program(
        platform.Ports(), [&platform](tavrin::Models& models) { return std::make_unique<Windows>(models, platform); });
    if (const auto exitCode = program.Start()) return *exitCode;
    return RunMessageLoop();
}
