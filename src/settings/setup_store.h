#pragma once
#include <optional>
#include <string>

#include "settings/setup_info.h"

namespace tavrin {

class Clock;
class Registry;

// Told after every save: what else follows the record (the start at logon),
// and what went wrong writing it, if anything.
class RecordFollower {
public:
    virtual ~RecordFollower() = default;
    virtual void Follow(const SetupInfo& info, std::string report) = 0;
};

// Where SetupInfo lives between runs, and the start-with-Windows entry that
// follows it. Holds the process's one record; every window shares it.
class SetupStore {
public:
    SetupStore(Registry& registry, const Clock& clock, RecordFollower& follower);

    SetupInfo& Info() { return info_; }
    const SetupInfo& Info() const { return info_; }

    // Once, before any window: the stored record, or the defaults when
    // nothing is stored. Writes nothing.
    void LoadSetupInfo();
    // After every change: the whole record, then the start at logon brought
    // into line with it. While nothing is stored and the record still holds
    // the defaults, a save writes nothing: the windows save as they show the
    // settings at start-up, and a first start must leave nothing behind.
    void SaveSetupInfo();

private:
    Registry& registry_;
    const Clock& clock_;
    RecordFollower& follower_;
    SetupInfo info_;
    std::optional<SetupInfo> unstoredDefaults_;
};

// Where things are kept; other programs and earlier versions rely on them.
inline constexpr const char* kSettingsKey = "Software\\Dormalix";
inline constexpr const char* kSettingsValue = "setupinfo";

}  // namespace tavrin
