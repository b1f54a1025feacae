#pragma once
#include <optional>
#include <string>

#include "app/setup_info.h"

namespace tavrin {

class Application;
class Clock;
class Registry;

// Where SetupInfo lives between runs, and the start-with-Windows entry that
// follows it. Holds the process's one record; every window shares it.
class SetupStore {
public:
    SetupStore(Registry& registry, const Application& app, const Clock& clock);

    SetupInfo& Info() { return info_; }
    const SetupInfo& Info() const { return info_; }

    // Once, before any window: the stored record, or the defaults when
    // nothing is stored. Writes nothing.
    void LoadSetupInfo();
    // After every change: the whole record, then the Run entry brought into
    // line with it. Failures are silent and never stop the other half. While
    // nothing is stored and the record still holds the defaults, a save
    // writes nothing: the windows save as they show the settings at start-up,
    // and a first start must leave no record and no Run entry behind.
    void SaveSetupInfo();

    // True when some setting needs the program running from logon on.
    static bool NeedsRunEntry(const SetupInfo& info);
    // The Run entry's command: the quoted executable path, then " /run".
    static std::string RunCommand(const Application& app);

private:
    Registry& registry_;
    const Application& app_;
    const Clock& clock_;
    SetupInfo info_;
    std::optional<SetupInfo> unstoredDefaults_;
};

// Where things are kept; other programs and earlier versions rely on them.
inline constexpr const char* kSettingsKey = "Software\\Dormalix";
inline constexpr const char* kSettingsValue = "setupinfo";
inline constexpr const char* kRunKey = "software\\microsoft\\windows\\currentversion\\run";
inline constexpr const char* kRunValue = "Dormalix";

}  // namespace tavrin
