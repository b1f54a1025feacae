#include "power/module_shut_down.h"

#include <array>
#include <string>
#include <utility>

#include "common/identity.h"
#include "ports/message_box.h"
#include "ports/workstation.h"

namespace tavrin {

namespace {

constexpr std::string_view kFailed = "失败：";
constexpr std::string_view kHibernationOff = "此电脑未启用休眠。";

}  // namespace

ModuleShutDown::ModuleShutDown(Power& power, Workstation& workstation, MessageBoxPort& messageBox)
    : power_(power), workstation_(workstation), messageBox_(messageBox) {}

void ModuleShutDown::RunPowerAction(const ActionLabel& label) {
    using Run = Outcome (*)(ModuleShutDown&);
    // Compared in this order; the first equal label wins.
    static constexpr std::array<std::pair<std::string_view, Run>, 6> kActions{{
        {labels::kShutdown, [](ModuleShutDown& m) { return m.EndSession(SessionEnd::ShutDown); }},
        {labels::kForcedShutdown, [](ModuleShutDown& m) { return m.EndSession(SessionEnd::ForcedShutDown); }},
        {labels::kHibernate, [](ModuleShutDown& m) { return m.Hibernate(); }},
        {labels::kLock, [](ModuleShutDown& m) { return m.workstation_.Lock(); }},
        {labels::kLogOff, [](ModuleShutDown& m) { return m.EndSession(SessionEnd::LogOff); }},
        {labels::kRestart, [](ModuleShutDown& m) { return m.EndSession(SessionEnd::Restart); }},
    }};
    for (const auto& [name, run] : kActions) {
        if (label == name) {
            const Outcome outcome = run(*this);
            if (!outcome)
                messageBox_.ShowMessage(std::string(name) + std::string(kFailed) + outcome.Reason(), kAppTitle);
            return;
        }
    }
}

// The code is cleared once only, so a code an earlier step left behind is
// reported again by every later step; the run goes on after each box. The
// boxes name the system calls the steps make.
void ModuleShutDown::EnableShutdownPrivilege() {
    const auto steps = power_.BeginPrivilegeSteps();
    if (!steps) return;
    steps->ClearLastError();
    ReportStep("GetCurrentProcess", steps->FindOwnProcess());
    ReportStep("OpenProcessToken", steps->OpenOwnToken());
    ReportStep("LookupPrivilegeValue", steps->LookUpShutdownPrivilege());
    ReportStep("AdjustTokenPrivileges", steps->EnableShutdownPrivilege());
}

void ModuleShutDown::ReportStep(std::string_view call, std::uint32_t lastError) {
    if (lastError == 0) return;
    messageBox_.ShowMessage(std::string(call) + "   error==" + std::to_string(lastError), kAppTitle);
}

Outcome ModuleShutDown::EndSession(SessionEnd how) {
    EnableShutdownPrivilege();
    return power_.EndSession(how);
}

// Without hibernation the system may take the request as one to sleep, so
// it is not made at all; nor is the privilege taken for it.
Outcome ModuleShutDown::Hibernate() {
    if (!power_.HibernationAvailable()) return Outcome::Refused(std::string(kHibernationOff));
    EnableShutdownPrivilege();
    return power_.Hibernate();
}

void ModuleShutDown::MonitorOff() { (void)power_.MonitorOff(); }

}  // namespace tavrin
