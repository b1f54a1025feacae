#include "power/module_shut_down.h"

#include <array>
#include <string>

#include "common/identity.h"
#include "ports/message_box.h"
#include "ports/power.h"
#include "ports/workstation.h"

namespace tavrin {

namespace {

struct PowerAction {
    std::string_view label;
    Outcome (ModuleShutDown::*run)();
};

// Compared in this order; the first equal label wins.
constexpr std::array<PowerAction, 6> kPowerActions{{
    {labels::kShutdown, &ModuleShutDown::ExitWindowsShutdown},
    {labels::kForcedShutdown, &ModuleShutDown::ExitWindowsForce},
    {labels::kHibernate, &ModuleShutDown::HibernateSystem},
    {labels::kLock, &ModuleShutDown::LockWorkStation},
    {labels::kLogOff, &ModuleShutDown::ExitWindowsLogOff},
    {labels::kRestart, &ModuleShutDown::ExitWindowsReboot},
}};

constexpr std::string_view kFailed = "失败：";
constexpr std::string_view kHibernationOff = "此电脑未启用休眠。";

}  // namespace

ModuleShutDown::ModuleShutDown(Power& power, Workstation& workstation, MessageBoxPort& messageBox)
    : power_(power), workstation_(workstation), messageBox_(messageBox) {}

void ModuleShutDown::RunPowerAction(const ActionLabel& label) {
    for (const PowerAction& action : kPowerActions) {
        if (label == action.label) {
            const Outcome outcome = (this->*action.run)();
            if (!outcome)
                messageBox_.ShowMessage(std::string(action.label) + std::string(kFailed) + outcome.Reason(), kAppTitle);
            return;
        }
    }
}

// The code is cleared once only, so a code an earlier step left behind is
// reported again by every later step; the run goes on after each box.
void ModuleShutDown::EnableShutdownPrivilege() {
    const auto steps = power_.BeginPrivilegeSteps();
    if (!steps) return;
    steps->SetLastError(0);
    ReportStep("GetCurrentProcess", steps->GetCurrentProcess());
    ReportStep("OpenProcessToken", steps->OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery));
    ReportStep("LookupPrivilegeValue", steps->LookupPrivilege(kShutdownPrivilege));
    ReportStep("AdjustTokenPrivileges", steps->AdjustTokenPrivileges(kPrivilegeEnabled));
}

void ModuleShutDown::ReportStep(std::string_view call, std::uint32_t lastError) {
    if (lastError == 0) return;
    messageBox_.ShowMessage(std::string(call) + "   error==" + std::to_string(lastError), kAppTitle);
}

Outcome ModuleShutDown::EndSession(std::uint32_t flags) {
    EnableShutdownPrivilege();
    return power_.EndSession(flags, exit_windows::kAnyReason);
}

Outcome ModuleShutDown::ExitWindowsLogOff() { return EndSession(exit_windows::kLogOff); }
Outcome ModuleShutDown::ExitWindowsShutdown() { return EndSession(exit_windows::kShutdown); }
Outcome ModuleShutDown::ExitWindowsReboot() { return EndSession(exit_windows::kReboot); }
Outcome ModuleShutDown::ExitWindowsForce() { return EndSession(exit_windows::kForcedShutdown); }

// Without hibernation the system may take the request as one to sleep, so
// it is not made at all; nor is the privilege taken for it.
Outcome ModuleShutDown::HibernateSystem() {
    if (!power_.HibernationAvailable()) return Outcome::Refused(std::string(kHibernationOff));
    EnableShutdownPrivilege();
    return power_.SetSuspendState(/*hibernate=*/true, /*forceCritical=*/false, /*disableWakeEvent=*/false);
}

Outcome ModuleShutDown::LockWorkStation() { return workstation_.Lock(); }

void ModuleShutDown::MonitorOff() { (void)power_.SetMonitorPower(MonitorPower::Off); }

}  // namespace tavrin
