#pragma once
#include <optional>
#include <string>

#include "settings/setup_store.h"

namespace tavrin {

class Application;
class Elevation;
class LogonTask;
class MessageBoxPort;
class Registry;

// How Windows starts the program at this user's logon: the per-user Run
// entry, or, where automatic time sync needs full rights, a logon task. Only
// one of the two exists at a time, so a logon starts one copy.
class StartWithWindows final : public RecordFollower {
public:
    StartWithWindows(Registry& registry, const Application& app, LogonTask& task, Elevation& elevation,
                     MessageBoxPort& messageBox);

    // Brings the entry and the task into line with the settings, and says in
    // a message box whatever could not be done, after `report` (the record's
    // own trouble, if any). Windows asks before a task is deleted only when
    // a change made in this run stopped needing it, never at start-up.
    void Follow(const SetupInfo& info, std::string report = {}) override;
    // After the user chose automatic sync: an administrator whose logon
    // start will lack the right to set the clock gets the logon task, made
    // by an elevated copy when this one is not. Returns what the sync pane
    // says about it; empty when there is nothing to say.
    std::string OfferLogonTask(const SetupInfo& info);

    // True when some setting needs the program running from logon on.
    static bool NeedsRunEntry(const SetupInfo& info);
    // The Run entry's command: the quoted executable path, then " /run".
    static std::string RunCommand(const Application& app);
    static std::string ExePath(const Application& app);

private:
    bool TaskExists();
    void RememberTask(bool exists);
    void RemoveMachineEntry(std::string& report);
    void DeleteTask(std::string& report);
    void SetRunEntry(bool wanted, std::string& report);

    Registry& registry_;
    const Application& app_;
    LogonTask& task_;
    Elevation& elevation_;
    MessageBoxPort& messageBox_;
    std::optional<bool> taskExists_;  // asked once a run, then kept up to date
    std::optional<bool> wasNeeded_;   // at the last Follow of this run
};

// Where things are kept; other programs and earlier versions rely on them.
inline constexpr const char* kRunKey = "software\\microsoft\\windows\\currentversion\\run";
inline constexpr const char* kRunValue = "Dormalix";
// Beside the settings record: set while this user has a logon task, so that
// no one else pays for asking Task Scheduler at start-up.
inline constexpr const char* kLogonTaskValue = "logontask";

}  // namespace tavrin
