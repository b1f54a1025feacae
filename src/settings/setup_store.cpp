#include "settings/setup_store.h"

#include "ports/clock.h"
#include "ports/registry.h"

namespace tavrin {

SetupStore::SetupStore(Registry& registry, const Clock& clock, RecordFollower& follower)
    : registry_(registry), clock_(clock), follower_(follower) {}

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
    const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey);
    const SetupInfo::Bytes bytes = info_.ToBytes();
    const RegStatus status = key ? key->WriteBinary(kSettingsValue, bytes) : RegStatus::Failed;
    follower_.Follow(info_,
                     status == RegStatus::Ok ? std::string{} : "设置未保存：" + std::string(RegFailureText(status)));
}

}  // namespace tavrin
