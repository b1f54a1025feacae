#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_registry.h"
#include "fakes/recording_registry.h"
#include "tweaks/registry_tweak.h"

namespace tavrin {
namespace {

using testing::FakeRegistry;
using testing::RecordingRegistry;
using Row = RegistryTweakRow;
constexpr auto Set = Row::Action::SetDword;
constexpr auto Delete = Row::Action::Delete;

class RegistryTweakLoop : public ::testing::Test {
protected:
    FakeRegistry fake;
    RecordingRegistry registry{fake};
};

TEST_F(RegistryTweakLoop, OpensEachKeyOnceForItsRunOfRowsAndClosesItBeforeTheNext) {
    const Row rows[] = {
        {Hive::LocalMachine, "A", "one", Set, 1},
        {Hive::LocalMachine, "A", "two", Delete},
        {Hive::LocalMachine, "B", "three", Set, 3},
        {Hive::ClassesRoot, "B", "four", Set, 4},
        {Hive::LocalMachine, "A", "five", Set, 5},  // a key seen before is opened again
    };
    EXPECT_TRUE(ApplyRegistryTweak(registry, rows));
    EXPECT_EQ(registry.trace, (std::vector<std::string>{
                                  "open HKLM\\A", "write one", "delete two", "close HKLM\\A",
                                  "open HKLM\\B", "write three", "close HKLM\\B",
                                  "open HKCR\\B", "write four", "close HKCR\\B",
                                  "open HKLM\\A", "write five", "close HKLM\\A"}));
    EXPECT_EQ(fake.Dword(Hive::LocalMachine, "a", "ONE"), 1u);
    EXPECT_EQ(fake.Dword(Hive::ClassesRoot, "b", "four"), 4u);
    EXPECT_FALSE(fake.Has(Hive::ClassesRoot, "b", "three"));
}

TEST_F(RegistryTweakLoop, SetOverwritesAndDeleteOfAnAbsentValueIsHarmless) {
    fake.PutDword(Hive::LocalMachine, "A", "one", 7);
    fake.PutText(Hive::LocalMachine, "A", "text", "was a text");
    const Row rows[] = {
        {Hive::LocalMachine, "A", "one", Set, 0xFFFFFFFF},
        {Hive::LocalMachine, "A", "text", Set, 0},
        {Hive::LocalMachine, "A", "never there", Delete},
    };
    EXPECT_TRUE(ApplyRegistryTweak(registry, rows));
    EXPECT_EQ(fake.Dword(Hive::LocalMachine, "A", "one"), 0xFFFFFFFFu);
    EXPECT_EQ(fake.Dword(Hive::LocalMachine, "A", "text"), 0u);  // now a DWORD, 4 bytes
    EXPECT_EQ(fake.Find(Hive::LocalMachine, "A", "text")->bytes.size(), 4u);
}

TEST_F(RegistryTweakLoop, AFailureDoesNotStopTheRowsAfterIt) {
    const Row rows[] = {
        {Hive::LocalMachine, "A", "one", Set, 1},
        {Hive::ClassesRoot, "B", "two", Set, 2},
        {Hive::LocalMachine, "A", "three", Delete},
        {Hive::CurrentUser, "C", "four", Set, 4},
    };
    struct {
        const char* name;
        void (FakeRegistry::*deny)(Hive);
    } denials[] = {{"writes refused", &FakeRegistry::DenyWrites}, {"key cannot open", &FakeRegistry::DenyOpen}};
    for (const auto& d : denials) {
        fake = FakeRegistry{};
        fake.PutDword(Hive::LocalMachine, "A", "three", 3);
        (fake.*d.deny)(Hive::LocalMachine);
        EXPECT_FALSE(ApplyRegistryTweak(registry, rows)) << "case: " << d.name;
        EXPECT_FALSE(fake.Has(Hive::LocalMachine, "A", "one")) << "case: " << d.name;
        EXPECT_EQ(fake.Dword(Hive::LocalMachine, "A", "three"), 3u) << "case: " << d.name;
        EXPECT_EQ(fake.Dword(Hive::ClassesRoot, "B", "two"), 2u) << "case: " << d.name;
        EXPECT_EQ(fake.Dword(Hive::CurrentUser, "C", "four"), 4u) << "case: " << d.name;
    }
}

TEST_F(RegistryTweakLoop, NoRowsTouchNothing) {
    EXPECT_TRUE(ApplyRegistryTweak(registry, {}));
    EXPECT_TRUE(registry.trace.empty());
}

}  // namespace
}  // namespace tavrin
