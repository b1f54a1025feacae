#include "tweaks/system_tweaks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "fakes/fake_registry.h"

namespace tavrin {
namespace {

using testing::FakeRegistry;

constexpr std::uint32_t kUntouched = 0x5EED;

// Every value any tweak touches, plus "NoDriveAutoRun", which only one does.
struct Place {
    Hive root;
    const char* key;
    const char* name;
};
const Place kPlaces[] = {
    {Hive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters", "AutoShareServer"},
    {Hive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters", "AutoShareWks"},
    {Hive::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Lsa", "RestrictAnonymous"},
    {Hive::LocalMachine, "SOFTWARE\\Policies\\Microsoft\\Windows NT\\Reliability", "ShutdownReasonUI"},
    {Hive::LocalMachine, "SOFTWARE\\Policies\\Microsoft\\Windows NT\\Reliability", "ShutdownReasonOn"},
    {Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "DisableCAD"},
    {Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoDriveTypeAutoRun"},
    {Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoDriveAutoRun"},
    {Hive::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\CDRom", "AutoRun"},
    {Hive::ClassesRoot, "AudioCD\\Shell", "Play"},
};

// What each place holds afterwards: a DWORD, nothing (nullopt), or kUntouched.
using Outcome = std::vector<std::optional<std::uint32_t>>;
constexpr std::uint32_t U = kUntouched;
constexpr std::nullopt_t Gone = std::nullopt;

Outcome Now(const FakeRegistry& registry) {
    Outcome now;
    for (const Place& p : kPlaces)
        now.push_back(registry.Has(p.root, p.key, p.name) ? registry.Dword(p.root, p.key, p.name).value_or(0xBAD)
                                                          : std::optional<std::uint32_t>());
    return now;
}

TEST(SystemTweaks, EachVariantLeavesExactlyItsValues) {
    const struct {
        const char* name;
        bool (*apply)(Registry&);
        Outcome expected;
        bool applied = true;
    } cases[] = {
        {"shares off", [](Registry& r) { return ApplyShareTweak(r, 1); }, {0u, 0u, 1u, U, U, U, U, U, U, U}},
        {"shares back to default",
         [](Registry& r) { return ApplyShareTweak(r, 0); },
         {Gone, Gone, Gone, U, U, U, U, U, U, U}},
        {"grey share box counts as clear",
         [](Registry& r) { return ApplyShareTweak(r, 2); },
         {Gone, Gone, Gone, U, U, U, U, U, U, U}},
        {"tracker and Ctrl+Alt+Del off",
         [](Registry& r) { return ApplyTrackerTweak(r, 1); },
         {U, U, U, 0u, 0u, 1u, U, U, U, U}},
        {"tracker back to default",
         [](Registry& r) { return ApplyTrackerTweak(r, 0); },
         {U, U, U, Gone, Gone, Gone, U, U, U, U}},
        {"grey tracker box counts as clear",
         [](Registry& r) { return ApplyTrackerTweak(r, 2); },
         {U, U, U, Gone, Gone, Gone, U, U, U, U}},
        {"autoplay on", [](Registry& r) { return ApplyAutoPlayTweak(r, 0); }, {U, U, U, U, U, U, 0x95u, Gone, 1u, 1u}},
        {"autoplay off but optical drives",
         [](Registry& r) { return ApplyAutoPlayTweak(r, 1); },
         {U, U, U, U, U, U, 0xFFFFFFDFu, U, 1u, 1u}},
        {"autoplay off on every drive",
         [](Registry& r) { return ApplyAutoPlayTweak(r, 2); },
         {U, U, U, U, U, U, 0xFFFFFFFFu, U, 0u, Gone}},
        {"unknown autoplay selectors",
         [](Registry& r) { return ApplyAutoPlayTweak(r, -1) || ApplyAutoPlayTweak(r, 3); },
         {U, U, U, U, U, U, U, U, U, U},
         false},
    };
    for (const auto& c : cases) {
        for (bool filled : {true, false}) {
            FakeRegistry fake;
            for (const Place& p : kPlaces)
                if (filled) fake.PutDword(p.root, p.key, p.name, kUntouched);
            EXPECT_EQ(c.apply(fake), c.applied) << "case: " << c.name;
            Outcome expected = c.expected;
            if (!filled)
                for (auto& v : expected)
                    if (v == kUntouched) v = std::nullopt;
            EXPECT_EQ(Now(fake), expected)
                << "case: " << c.name << (filled ? ", values there before" : ", empty registry");
        }
    }
}

}  // namespace
}  // namespace tavrin
