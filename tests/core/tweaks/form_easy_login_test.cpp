#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/settings_rig.h"
#include "tweaks/form_easy_login.h"
#include "tweaks/leading_whole_number.h"
#include "tweaks/system_tweaks.h"

namespace tavrin {
namespace {

using testing::FakeRegistry;
using Text = std::optional<std::string>;
constexpr Hive HKLM = Hive::LocalMachine;
constexpr const char* kOff = "取消自动登录";
constexpr const char* kOn = "开机自动登录";
constexpr const char* kOnLocked = "开机自动登录后锁定电脑";

class EasyLogin : public ::testing::Test, public testing::SettingsRig {
protected:
    // One start of the program as far as this window goes: the record is
    // loaded before the window, as at start-up.
    FormEasyLogin& Start() {
        store.Info() = {};
        store.LoadSetupInfo();
        form = std::make_unique<FormEasyLogin>(registry, store);
        form->Load();
        return *form;
    }
    void Restart() { registry = FakeRegistry{}; }

    void StoreLogon(Text user, Text password, Text autoLogon, std::int16_t lock = 0) {
        if (user) registry.PutText(HKLM, kWinlogonKey, kDefaultUserName, *user);
        if (password) registry.PutText(HKLM, kWinlogonKey, kDefaultPassword, *password);
        if (autoLogon) registry.PutText(HKLM, kWinlogonKey, kAutoAdminLogon, *autoLogon);
        SetupInfo info;
        info.AutoLogonLock = lock;
        Store(info);
    }
    Text Winlogon(const char* name) const { return registry.Text(HKLM, kWinlogonKey, name); }
    std::string Shown(const FormEasyLogin& f) const {
        const OptionButton* b = f.LogonChoices.Selected();
        return (b ? b->Caption() : "none") + (f.TextUserName.Enabled() && f.TextUserPassWord.Enabled() ? " enabled" : "") +
               (!f.TextUserName.Enabled() && !f.TextUserPassWord.Enabled() ? " disabled" : "") + " [" +
               f.TextUserName.Text() + "] [" + f.TextUserPassWord.Text() + "]";
    }

    std::unique_ptr<FormEasyLogin> form;
};

TEST_F(EasyLogin, StartsWithTheDefaultChoicesAMaskedPasswordAndTheWindowTopLeftAndOptionsOnlySwitchTheBoxes) {
    FormEasyLogin f(registry, store);
    EXPECT_EQ(f.Label3.Caption(), "密\u3000码：");
    EXPECT_EQ(f.TextUserPassWord.passwordChar, "*");
    EXPECT_EQ(f.TextUserName.passwordChar, "");
    EXPECT_EQ(f.AutoPlayChoices.Selected(), &f.OptionAllButCD);
    EXPECT_EQ(std::pair(f.CheckShareMode.Value(), f.Check2003.Value()), std::pair(1, 1));
    EXPECT_EQ(Shown(f), std::string(kOff) + " enabled [administrator] []");
    f.Move(40, 30);
    f.Load();
    EXPECT_EQ(std::pair(f.Left(), f.Top()), std::pair(0, 0));
    const std::size_t writes = registry.log.size();
    f.OptionLogin.Click();
    EXPECT_EQ(Shown(f), std::string(kOn) + " enabled [administrator] []");
    f.OptionCancle.Click();
    EXPECT_EQ(Shown(f), std::string(kOff) + " disabled [administrator] []");
    f.OptionLock.Click();
    EXPECT_EQ(Shown(f), std::string(kOnLocked) + " enabled [administrator] []");
    EXPECT_EQ(registry.log.size(), writes);
}

TEST_F(EasyLogin, LoadShowsTheStoredLogonChoiceAndWritesNothing) {
    const Text none;
    const struct {
        const char* name;
        Text user, password, autoLogon;
        std::int16_t lock;
        std::string shown;
    } cases[] = {
        {"nothing stored", none, none, none, 0, " disabled [administrator] []"},
        {"on", "bob", "pw", "1", 0, std::string(kOn) + " enabled [bob] [pw]"},
        {"on, lock", "bob", "pw", "1", 1, std::string(kOnLocked) + " enabled [bob] [pw]"},
        {"on, lock field any non-zero", "bob", "pw", "1", -1, std::string(kOnLocked) + " enabled [bob] [pw]"},
        {"off with an account stored", "bob", "pw", "0", 1, " disabled [bob] [pw]"},
        {"on as 2", "bob", none, "2", 0, std::string(kOn) + " enabled [bob] []"},
        {"empty user name", "", none, "1", 0, std::string(kOn) + " enabled [] []"},
        {"missing user name", none, "pw", "1", 0, std::string(kOn) + " enabled [administrator] [pw]"},
        {"spaces around", "  bob ", " pw  ", "1", 0, std::string(kOn) + " enabled [bob] [ pw  ]"},
        {"fraction dropped", none, none, "1.9", 0, std::string(kOn) + " enabled [administrator] []"},
    };
    for (const auto& c : cases) {
        Restart();
        StoreLogon(c.user, c.password, c.autoLogon, c.lock);
        const std::size_t writes = registry.log.size();
        const std::string shown = Shown(Start());
        EXPECT_EQ(shown, (c.shown[0] == ' ' ? kOff : "") + c.shown) << "case: " << c.name;
        EXPECT_EQ(registry.log.size(), writes) << "case: " << c.name;
    }
}

TEST_F(EasyLogin, DamagedOrOversizedValuesReadSafely) {
    const auto typed = [this](const char* name, FakeRegistry::Type type, std::vector<std::uint8_t> bytes) {
        registry.Put(HKLM, kWinlogonKey, name, type, std::move(bytes));
    };
    const std::string cut = std::string(kOn) + " enabled [" + std::string(255, 'u') + "] [" + std::string(255, 'p') + "]";
    const struct {
        const char* name;
        std::function<void()> store;
        std::string shown;
    } cases[] = {
        {"a text with no data at all", [&] { typed(kDefaultUserName, FakeRegistry::Type::Text, {}); },
         std::string(kOff) + " disabled [administrator] []"},
        {"values that are not texts", [&] {
             typed(kDefaultUserName, FakeRegistry::Type::Binary, {'b', 'o', 'b', 0});
             typed(kAutoAdminLogon, FakeRegistry::Type::Dword, {1, 0, 0, 0});
         }, std::string(kOff) + " disabled [] []"},
        {"10,000 characters", [&] { StoreLogon(std::string(10000, 'u'), std::string(10000, 'p'), "1" + std::string(9999, '0')); }, cut},
        {"only the first nine characters count", [&] { StoreLogon("u", "p", std::string(9, '0') + std::string(9991, '1')); },
         std::string(kOff) + " disabled [u] [p]"},
        {"Winlogon key cannot open", [&] { StoreLogon("bob", "pw", "1"); registry.DenyOpen(HKLM); },
         std::string(kOff) + " disabled [] []"},
    };
    for (const auto& c : cases) {
        Restart();
        c.store();
        EXPECT_EQ(Shown(Start()), c.shown) << "case: " << c.name;
    }
}

TEST_F(EasyLogin, SaveWritesTheAccountAsTypedOrDropsThePassword) {
    const struct {
        OptionButton FormEasyLogin::*option;
        Text user, password, autoLogon;
        std::int16_t lock;
    } cases[] = {
        {&FormEasyLogin::OptionLogin, " 用户 ", " p w ", "1", 0},
        {&FormEasyLogin::OptionLock, " 用户 ", " p w ", "1", 1},
        {&FormEasyLogin::OptionCancle, "bob", std::nullopt, "0", 0},  // the stored name stays
    };
    for (const auto& c : cases) {
        Restart();
        StoreLogon("bob", "pw", "1", c.lock == 1 ? 0 : 1);
        FormEasyLogin& f = Start();
        (f.*c.option).Click();
        f.TextUserName.SetText(" 用户 ");
        f.TextUserPassWord.SetText(" p w ");
        f.CommandSave.Click();
        const std::string name = (f.*c.option).Caption();
        EXPECT_EQ(Winlogon(kDefaultUserName), c.user) << "case: " << name;
        EXPECT_EQ(Winlogon(kDefaultPassword), c.password) << "case: " << name;
        EXPECT_EQ(Winlogon(kAutoAdminLogon), c.autoLogon) << "case: " << name;
        EXPECT_EQ(Stored().AutoLogonLock, c.lock) << "case: " << name;
    }
}

TEST_F(EasyLogin, UntouchedSaveWritesTheLogonPartTheRecordThenTheThreeTweaksInOrder) {
    registry.PutDword(HKLM, kExplorerPoliciesKey, "NoDriveAutoRun", 0x3FFFFFF);
    FormEasyLogin& f = Start();
    registry.log.clear();
    f.CommandSave.Click();
    std::vector<std::string> expected;
    const auto at = [&](const char* root, std::string_view key, std::vector<std::string> changes) {
        for (const std::string& change : changes) expected.push_back(root + ("\\" + std::string(key)) + ": " + change);
    };
    at("HKLM", kWinlogonKey, {"delete DefaultPassword", "write AutoadminLogon"});
    at("HKCU", kSettingsKey, {"write setupinfo"});
    at("HKLM", kRunKey, {"write Dormalix"});
    at("HKLM", kLanmanServerKey, {"write autoshareserver", "write autoShareWks"});
    at("HKLM", kLsaKey, {"write RestrictAnonymous"});
    at("HKLM", kReliabilityKey, {"write ShutdownReasonUI", "write ShutdownReasonOn"});
    at("HKLM", kSystemPoliciesKey, {"write disablecad"});
    at("HKLM", kExplorerPoliciesKey, {"write NoDriveTypeAutoRun"});
    at("HKLM", kCdromKey, {"write Autorun"});
    at("HKCR", kAudioCdShellKey, {"write play"});
    EXPECT_EQ(registry.log, expected);
    EXPECT_EQ(registry.Dword(HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun"), 0xFFFFFFDFu);
    EXPECT_EQ(registry.Dword(HKLM, kExplorerPoliciesKey, "NoDriveAutoRun"), 0x3FFFFFFu);
    EXPECT_EQ(Winlogon(kAutoAdminLogon), "0");
}

TEST_F(EasyLogin, TheTweakControlsChooseWhatSaveApplies) {
    const struct {
        std::function<void(FormEasyLogin&)> change;
        Hive root;
        std::string_view key;
        const char* value;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {[](FormEasyLogin& f) { f.CheckShareMode.Click(); }, HKLM, kLsaKey, "RestrictAnonymous", std::nullopt},
        {[](FormEasyLogin& f) { f.Check2003.Click(); }, HKLM, kSystemPoliciesKey, "disablecad", std::nullopt},
        {[](FormEasyLogin& f) { f.OptionAutoPlay.Click(); }, HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun", 0x95u},
        {[](FormEasyLogin& f) { f.OptionAllDisk.Click(); }, Hive::ClassesRoot, kAudioCdShellKey, "play", std::nullopt},
    };
    for (const auto& c : cases) {
        Restart();
        registry.PutDword(c.root, c.key, c.value, 0x5EED);
        FormEasyLogin& f = Start();
        c.change(f);
        f.CommandSave.Click();
        EXPECT_EQ(registry.Dword(c.root, c.key, c.value), c.expected) << "case: " << c.value;
        FormEasyLogin& again = Start();  // the next start shows the initial states, not the saved ones
        EXPECT_EQ(std::pair(again.CheckShareMode.Value(), again.Check2003.Value()), std::pair(1, 1));
        EXPECT_EQ(again.AutoPlayChoices.Selected(), &again.OptionAllButCD);
    }
}

TEST_F(EasyLogin, WithoutMachineRightsTheLockChoiceIsStillStored) {
    for (auto deny : {&FakeRegistry::DenyWrites, &FakeRegistry::DenyOpen}) {
        Restart();
        StoreLogon("bob", "pw", "0");
        FormEasyLogin& f = Start();
        (registry.*deny)(HKLM);
        f.OptionLock.Click();
        f.TextUserName.SetText("alice");
        f.CommandSave.Click();
        EXPECT_EQ(Winlogon(kDefaultUserName), "bob");
        EXPECT_EQ(Winlogon(kAutoAdminLogon), "0");
        EXPECT_FALSE(registry.Has(HKLM, kLanmanServerKey, "autoshareserver"));
        EXPECT_EQ(registry.Dword(Hive::ClassesRoot, kAudioCdShellKey, "play"), 1u);  // not a machine key
        EXPECT_EQ(Stored().AutoLogonLock, 1);
    }
}

TEST(LeadingWholeNumber, TakesTheNumberATextStartsWithAndDropsItsFraction) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::string_view text;
        std::int64_t expected;
    } cases[] = {
        {"1", 1},         {"0", 0},        {"2", 2},       {" 1", 1},     {"\t 7", 7},   {"1 ", 1},
        {"1.9", 1},       {"0.9", 0},      {"-0.5", 0},    {".5", 0},     {"-1", -1},    {"+3", 3},
        {"0x1", 0},       {"2abc", 2},     {"abc2", 0},    {"", 0},       {" ", 0},      {"-", 0},
        {"+-1", 0},       {"- 1", 0},      {"00012", 12},  {"1e5", 1},    {"１", 0},
        {"999999999", 999999999},          {"99999999999999999999999", kMax},
        {"-99999999999999999999999", -kMax},                {"00000000000000000000000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingWholeNumber(c.text), c.expected) << "case: \"" << c.text << '"';
}

}  // namespace
}  // namespace tavrin
