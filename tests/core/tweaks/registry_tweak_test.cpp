#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_registry.h"
#include "fakes/recording_registry.h"
#include "tweaks/registry_tweak.h"

namespace tavrin {
namespace {

using testing::FakeRegistry;
using Row = RegistryTweakRow;
constexpr auto Set = Row::Action::SetDword;
constexpr auto Delete = Row::Action::Delete;

TEST(RegistryTweakLoop, OpensEachKeyOnceForItsRunOfRowsAndClosesItBeforeTheNext) {
    FakeRegistry fake;
    testing::RecordingRegistry registry{fake};
    const Row rows[] = {
        {Hive::LocalMachine, "A", "one", Set, 1}, {Hive::LocalMachine, "A", "two", Delete},
        {Hive::LocalMachine, "B", "three", Set, 3}, {Hive::ClassesRoot, "B", "four", Set, 4},
        {Hive::LocalMachine, "A", "five", Set, 5},  // a key seen before is opened again
    };
    EXPECT_TRUE(ApplyRegistryTweak(registry, rows));
    EXPECT_EQ(registry.trace, (std::vector<std::string>{"open HKLM\\A", "write one", "delete two", "close HKLM\\A",
                                                        "open HKLM\\B", "write three", "close HKLM\\B",
                                                        "open HKCR\\B", "write four", "close HKCR\\B",
                                                        "open HKLM\\A", "write five", "close HKLM\\A"}));
    EXPECT_EQ(fake.Dword(Hive::ClassesRoot, "b", "FOUR"), 4u);
    EXPECT_FALSE(fake.Has(Hive::ClassesRoot, "B", "three"));
}

TEST(RegistryTweakLoop, AFailureDoesNotStopTheRowsAfterIt) {
    const Row rows[] = {
        {Hive::LocalMachine, "A", "one", Set, 1},
        {Hive::ClassesRoot, "B", "two", Set, 2},
        {Hive::LocalMachine, "A", "three", Delete},
        {Hive::CurrentUser, "C", "four", Set, 4},
    };
    const struct {
        const char* name;
        void (FakeRegistry::*deny)(Hive);
    } denials[] = {{"writes refused", &FakeRegistry::DenyWrites}, {"key cannot open", &FakeRegistry::DenyOpen}};
    for (const auto& d : denials) {
        FakeRegistry fake;
        fake.PutDword(Hive::LocalMachine, "A", "three", 3);
        (fake.*d.deny)(Hive::LocalMachine);
        EXPECT_FALSE(ApplyRegistryTweak(fake, rows)) << "case: " << d.name;
        EXPECT_FALSE(fake.Has(Hive::LocalMachine, "A", "one")) << "case: " << d.name;
        EXPECT_EQ(fake.Dword(Hive::LocalMachine, "A", "three"), 3u) << "case: " << d.name;
        EXPECT_EQ(fake.Dword(Hive::ClassesRoot, "B", "two"), 2u) << "case: " << d.name;
        EXPECT_EQ(fake.Dword(Hive::CurrentUser, "C", "four"), 4u) << "case: " << d.name;
    }
}

}  // namespace
}  // namespace tavrin
