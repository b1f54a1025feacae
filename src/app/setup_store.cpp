#include "app/setup_store.h"

#include "ports/application.h"
#include "ports/clock.h"
#include "ports/registry.h"

namespace tavrin {

SetupStore::SetupStore(Registry& registry, const Application& app, const Clock& clock)
    : registry_(registry), app_(app), clock_(clock) {}

void SetupStore::LoadSetupInfo() {
    const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey);
    if (!key) return;  // the record stays as it is
    if (key->ValueSize(kSettingsValue) == 0) {
        ResetSetupInfo(info_, clock_);
        unstoredDefaults_ = info_;
        return;
    }
    if (const auto stored = key->ReadBytes(kSettingsValue, SetupInfo::kSize)) info_.Overlay(*stored);
}

void SetupStore::SaveSetupInfo() {
    if (unstoredDefaults_ && info_ == *unstoredDefaults_) return;
    unstoredDefaults_.reset();
    if (const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey)) {
        const SetupInfo::Bytes bytes = info_.ToBytes();
        (void)key->WriteBinary(kSettingsValue, bytes);
    }

    const auto run = registry_.OpenKey(Hive::LocalMachine, kRunKey);
    if (!run) return;
    if (NeedsRunEntry(info_))
        (void)run->WriteText(kRunValue, RunCommand(app_));
    else
        (void)run->DeleteValue(kRunValue);
}

bool SetupStore::NeedsRunEntry(const SetupInfo& info) {
    return info.StartCloseTask == 1 || info.AutoLogonLock == 1 || info.SyncMode == 1 || info.SyncMode == 2 ||
           info.PowerKeysEnabled != 0 || info.VolumeKeysEnabled != 0;
}

std::string SetupStore::RunCommand(const Application& app) {
    std::string path = app.ExeDirectory();
    if (path.empty() || path.back() != '\\') path += '\\';
    // Quoted: unquoted, a path with blanks would let Windows try "C:\Program.exe" first.
    return "\"" + path + app.ExeBaseName() + ".exe\" /run";
}

}  // namespace tavrin
