#include "elevated/logon_task_registration.h"

#include "elevated/logon_task_definition.h"
#include "ports/application.h"
#include "ports/logon_task.h"
#include "startup/start_with_windows.h"

namespace tavrin {

std::string RegisterLogonTask(LogonTask& task, const Application& app, std::string_view user) {
    if (!app.InProtectedFolder()) return std::string(kUnprotectedProgram);
    const Outcome outcome = task.Register(user, LogonTaskDefinition(user, StartWithWindows::ExePath(app)));
    return outcome ? std::string{} : outcome.Reason();
}

}  // namespace tavrin
