#include "startup/start_with_windows.h"

#include "common/identity.h"
#include "common/report_lines.h"
#include "elevated/elevated_call.h"
#include "elevated/logon_task_registration.h"
#include "ports/application.h"
#include "ports/elevation.h"
#include "ports/logon_task.h"
#include "ports/message_box.h"
#include "ports/registry.h"
#include "settings/setup_info.h"
#include "settings/setup_store.h"

namespace tavrin {

namespace {

constexpr const char* kTaskMade = "已创建计划任务：登录时以管理员权限启动，自动校时无需再次确认。";
constexpr const char* kSyncNeedsAdmin = "自动校时需要管理员权限：未创建计划任务，登录后无法修改系统时间。";
constexpr const char* kStandardUser = "自动校时需要管理员权限：此帐户登录后无法修改系统时间。";

bool AutoSync(const SetupInfo& info) {
    return info.SyncMode == SyncMode::StartUpAndHourly || info.SyncMode == SyncMode::StartUp;
}

}  // namespace

StartWithWindows::StartWithWindows(Registry& registry, const Application& app, LogonTask& task, Elevation& elevation,
                                   MessageBoxPort& messageBox)
    : registry_(registry), app_(app), task_(task), elevation_(elevation), messageBox_(messageBox) {}

void StartWithWindows::Follow(const SetupInfo& info, std::string report) {
    if (elevation_.Elevated()) RemoveMachineEntry(report);
    const bool needed = NeedsRunEntry(info);
    if (!needed && TaskExists() && (elevation_.Elevated() || wasNeeded_.value_or(false))) DeleteTask(report);
    SetRunEntry(needed && !TaskExists(), report);
    wasNeeded_ = needed;
    if (!report.empty()) messageBox_.ShowMessage(report, kAppTitle);
}

std::string StartWithWindows::OfferLogonTask(const SetupInfo& info) {
    if (!AutoSync(info)) return {};
    if (!elevation_.SplitToken()) return elevation_.Elevated() ? std::string{} : kStandardUser;
    if (TaskExists()) return {};
    // The elevated copy would refuse too: the user is spared its prompt.
    if (!app_.InProtectedFolder()) return "未创建计划任务：" + std::string(kUnprotectedProgram);
    const std::string user = task_.CurrentUser();
    ElevatedResult result{ElevatedEnd::Done, {}};
    if (elevation_.Elevated()) {
        result.report = RegisterLogonTask(task_, app_, user);
        if (!result.report.empty()) result.end = ElevatedEnd::Refused;
    } else {
        result = elevation_.RunElevated(FormatOperation(TaskRequest{true, user}), {});
    }
    switch (result.end) {
        case ElevatedEnd::Done:
            RememberTask(true);
            Follow(info);  // the Run entry goes
            return kTaskMade;
        case ElevatedEnd::Declined:
            return kSyncNeedsAdmin;
        default:
            return "未创建计划任务：" + result.report;
    }
}

bool StartWithWindows::TaskExists() {
    if (!taskExists_) {
        const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey);
        const bool hinted = key && key->ValueSize(kLogonTaskValue) > 0;
        taskExists_ = hinted && task_.Exists(task_.CurrentUser());
        if (hinted && !*taskExists_) RememberTask(false);  // removed by hand
    }
    return *taskExists_;
}

void StartWithWindows::RememberTask(bool exists) {
    taskExists_ = exists;
    const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey);
    const RegStatus status = !key     ? RegStatus::Failed
                             : exists ? key->WriteDword(kLogonTaskValue, 1)
                                      : key->DeleteValue(kLogonTaskValue);
    // Without the mark the next start would not look for the task and would start the program twice.
    if (status != RegStatus::Ok)
        messageBox_.ShowMessage("无法记录开机计划任务：" + std::string(RegFailureText(status)), kAppTitle);
}

// Earlier versions kept the entry for every user; only full rights can take it away.
void StartWithWindows::RemoveMachineEntry(std::string& report) {
    const auto key = registry_.OpenKey(Hive::LocalMachine, kRunKey);
    if (!key || key->ValueSize(kRunValue) == 0) return;
    if (const RegStatus status = key->DeleteValue(kRunValue); status != RegStatus::Ok)
        AddLine(report, "无法删除旧版本的开机启动项：" + std::string(RegFailureText(status)));
}

void StartWithWindows::DeleteTask(std::string& report) {
    if (elevation_.Elevated()) {
        if (const Outcome outcome = task_.Delete(task_.CurrentUser()); !outcome) {
            AddLine(report, "无法删除开机计划任务：" + outcome.Reason());
            return;
        }
    } else {
        const ElevatedResult result =
            elevation_.RunElevated(FormatOperation(TaskRequest{false, task_.CurrentUser()}), {});
        if (result.end == ElevatedEnd::Declined) {
            AddLine(report, "开机计划任务未删除：已取消");
            return;
        }
        if (result.end != ElevatedEnd::Done) {
            AddLine(report, "无法删除开机计划任务：" + result.report);
            return;
        }
    }
    RememberTask(false);
}

void StartWithWindows::SetRunEntry(bool wanted, std::string& report) {
    const auto key = registry_.OpenKey(Hive::CurrentUser, kRunKey);
    if (!key) {
        AddLine(report, "无法打开开机启动项所在的注册表项");
        return;
    }
    const std::string command = RunCommand(app_);
    RegStatus status = RegStatus::Ok;
    if (wanted && key->ReadText(kRunValue, command.size() + 1) != command)
        status = key->WriteText(kRunValue, command);
    else if (!wanted && key->ValueSize(kRunValue) > 0)
        status = key->DeleteValue(kRunValue);
    if (status != RegStatus::Ok) AddLine(report, "无法更新开机启动项：" + std::string(RegFailureText(status)));
}

bool StartWithWindows::NeedsRunEntry(const SetupInfo& info) {
    return info.StartCloseTask == 1 || info.AutoLogonLock == 1 || AutoSync(info) || info.PowerKeysEnabled != 0 ||
           info.VolumeKeysEnabled != 0;
}

std::string StartWithWindows::ExePath(const Application& app) {
    std::string path = app.ExeDirectory();
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + app.ExeBaseName() + ".exe";
}

std::string StartWithWindows::RunCommand(const Application& app) {
    // Quoted: unquoted, a path with blanks would let Windows try "C:\Program.exe" first.
    return "\"" + ExePath(app) + "\" /run";
}

}  // namespace tavrin
