#include "app/module_main.h"

#include "app/frm_main.h"
#include "common/command_line.h"
#include "common/identity.h"
#include "ports/application.h"
#include "ports/running_copy.h"
#include "ports/workstation.h"
#include "settings/setup_store.h"

namespace tavrin {

bool RunStartUp(StartUpPorts ports, const std::function<frmMain&()>& createMainWindow) {
    const bool logonStart = IsHiddenStart(ports.app.Arguments());
    const bool hidden = logonStart || ports.app.Arguments() == kResidentStart;
    if (ports.app.PreviousInstance()) {
        // A start at logon finds a copy when both a task and an old entry
        // start the program, or a logon script's command came first: the
        // user asked for no window, but the lock after an automatic logon
        // still belongs to it.
        if (!hidden) (void)ports.runningCopy.Restore(MainWindowCaption());
        if (logonStart) {
            ports.store.LoadSetupInfo();
            if (ports.store.Info().AutoLogonLock == 1) (void)ports.workstation.Lock();
        }
        return false;
    }
    ports.store.LoadSetupInfo();
    // Locked before any window exists, so nothing of the desktop shows first.
    if (logonStart && ports.store.Info().AutoLogonLock == 1) (void)ports.workstation.Lock();
    frmMain& main = createMainWindow();
    if (hidden)
        main.Load();
    else
        main.Show();
    return true;
}

}  // namespace tavrin
