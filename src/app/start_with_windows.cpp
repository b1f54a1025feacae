#include "app/start_with_windows.h"

#include "app/identity.h"
#include "app/setup_info.h"
#include "app/setup_store.h"
#include "elevated/elevated_call.h"
#include "ports/application.h"
#include "ports/elevation.h"
#include "ports/logon_task.h"
#include "ports/message_box.h"
#include "ports/registry.h"

namespace tavrin {

namespace {

constexpr const char* kOffer =
    "开机自动校时需要管理员权限才能修改系统时间。\n"
    "是否创建计划任务，在您登录时以最高权限启动本程序？Windows 将请求您的许可。";
constexpr const char* kSyncNeedsAdmin =
    "未创建计划任务：开机自动校时需要管理员权限。程序仍会随 Windows 启动，但无法修改系统时间。";

bool AutoSync(const SetupInfo& info) { return info.SyncMode == 1 || info.SyncMode == 2; }

void AddLine(std::string& report, const std::string& line) {
    if (!report.empty()) report += '\n';
    report += line;
}

}  // namespace

StartWithWindows::StartWithWindows(Registry& registry, const Application& app, LogonTask& task, Elevation& elevation,
                                   MessageBoxPort& messageBox)
    : registry_(registry), app_(app), task_(task), elevation_(elevation), messageBox_(messageBox) {}

void StartWithWindows::Follow(const SetupInfo& info) {
    std::string report;
    if (elevation_.Elevated()) RemoveMachineEntry(report);
    const bool needed = NeedsRunEntry(info);
    if (!needed && TaskExists()) DeleteTask(report);
    SetRunEntry(needed && !TaskExists(), report);
    if (!report.empty()) messageBox_.ShowMessage(report, kAppTitle);
}

void StartWithWindows::OfferLogonTask(const SetupInfo& info) {
    if (!AutoSync(info) || elevation_.Elevated() || TaskExists()) return;
    if (!messageBox_.Ask(kOffer, kAppTitle)) {
        messageBox_.ShowMessage(kSyncNeedsAdmin, kAppTitle);
        return;
    }
    const ElevatedResult result = elevation_.RunElevated(FormatOperation(TaskRequest{true, task_.CurrentUser()}), {});
    switch (result.end) {
        case ElevatedEnd::Done:
            RememberTask(true);
            Follow(info);  // the Run entry goes
            return;
        case ElevatedEnd::Declined:
            messageBox_.ShowMessage(kSyncNeedsAdmin, kAppTitle);
            return;
        case ElevatedEnd::Refused:
        case ElevatedEnd::Failed:
            messageBox_.ShowMessage("未创建计划任务：" + result.report, kAppTitle);
            return;
    }
}

bool StartWithWindows::TaskExists() {
    if (!taskExists_) {
        const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey);
        const bool hinted = key && key->ValueSize(kLogonTaskValue) > 0;
        taskExists_ = hinted && task_.Exists();
        if (hinted && !*taskExists_) RememberTask(false);  // removed by hand
    }
    return *taskExists_;
}

void StartWithWindows::RememberTask(bool exists) {
    taskExists_ = exists;
    if (const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey))
        (void)(exists ? key->WriteDword(kLogonTaskValue, 1) : key->DeleteValue(kLogonTaskValue));
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
        if (const Outcome outcome = task_.Delete(); !outcome) {
            AddLine(report, "无法删除开机计划任务：" + outcome.Reason());
            return;
        }
    } else {
        const ElevatedResult result = elevation_.RunElevated(FormatOperation(TaskRequest{false, {}}), {});
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
