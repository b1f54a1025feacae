#pragma once
#include <cstdint>
#include <string_view>

#include "tweaks/registry_tweak.h"

namespace tavrin {

// Keys spelled as earlier versions wrote them; registry names ignore case.
inline constexpr std::string_view kLanmanServerKey = "system\\currentcontrolset\\services\\lanmanserver\\parameters";
inline constexpr std::string_view kLsaKey = "system\\currentcontrolset\\control\\lsa";
inline constexpr std::string_view kReliabilityKey = "Software\\Policies\\Microsoft\\Windows NT\\Reliability";
inline constexpr std::string_view kSystemPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\system";
inline constexpr std::string_view kExplorerPoliciesKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr std::string_view kCdromKey = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";
inline constexpr std::string_view kAudioCdShellKey = "AudioCD\\shell";

namespace tweak_rows {
using Row = RegistryTweakRow;
inline constexpr auto Set = Row::Action::SetDword;
inline constexpr auto Delete = Row::Action::Delete;
inline constexpr Hive HKLM = Hive::LocalMachine;
inline constexpr Hive HKCR = Hive::ClassesRoot;

// No administrative shares (C$, ADMIN$) and no anonymous listing of accounts.
inline constexpr Row kShareOff[] = {
    {HKLM, kLanmanServerKey, "autoshareserver", Set, 0},
    {HKLM, kLanmanServerKey, "autoShareWks", Set, 0},
    {HKLM, kLsaKey, "RestrictAnonymous", Set, 1},
};
inline constexpr Row kShareDefault[] = {
    {HKLM, kLanmanServerKey, "autoshareserver", Delete},
    {HKLM, kLanmanServerKey, "autoShareWks", Delete},
    {HKLM, kLsaKey, "restrictanonymous", Delete},
};

// No "why are you shutting down" prompt, and no Ctrl+Alt+Del before logon.
inline constexpr Row kTrackerOff[] = {
    {HKLM, kReliabilityKey, "ShutdownReasonUI", Set, 0},
    {HKLM, kReliabilityKey, "ShutdownReasonOn", Set, 0},
    {HKLM, kSystemPoliciesKey, "disablecad", Set, 1},
};
inline constexpr Row kTrackerDefault[] = {
    {HKLM, kReliabilityKey, "ShutdownReasonUI", Delete},
    {HKLM, kReliabilityKey, "ShutdownReasonOn", Delete},
    {HKLM, kSystemPoliciesKey, "disablecad", Delete},
};

// "NoDriveTypeAutoRun" is a mask of drive types without autorun: 0x01 unknown,
// 0x04 removable, 0x08 fixed, 0x10 network, 0x20 optical, 0x40 RAM disk, 0x80 other.
inline constexpr Row kAutoPlayOn[] = {
    {HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun", Set, 0x95},
    {HKLM, kExplorerPoliciesKey, "NoDriveAutoRun", Delete},
    {HKLM, kCdromKey, "Autorun", Set, 1},
    {HKCR, kAudioCdShellKey, "play", Set, 1},
};
inline constexpr Row kAutoPlayOpticalOnly[] = {
    {HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun", Set, 0xFFFFFFDF},
    {HKLM, kCdromKey, "Autorun", Set, 1},
    {HKCR, kAudioCdShellKey, "play", Set, 1},
};
inline constexpr Row kAutoPlayOff[] = {
    {HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun", Set, 0xFFFFFFFF},
    {HKLM, kCdromKey, "Autorun", Set, 0},
    {HKCR, kAudioCdShellKey, "play", Delete},
};
}  // namespace tweak_rows

// `checked` is a check box value: only 1 counts as ticked, so a clear or a
// grey box puts the Windows defaults back.
bool ApplyShareTweak(Registry& registry, std::int16_t checked);
bool ApplyTrackerTweak(Registry& registry, std::int16_t checked);

enum AutoPlaySelector : std::int16_t { kAutoPlayEnabled = 0, kAutoPlayAllButCD = 1, kAutoPlayAllDisks = 2 };
// Any selector other than the three above changes nothing.
bool ApplyAutoPlayTweak(Registry& registry, std::int16_t selector);

}  // namespace tavrin
