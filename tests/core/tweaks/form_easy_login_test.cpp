#include "tweaks/form_easy_login.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/settings_rig.h"
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
        form = std::make_unique<FormEasyLogin>(registry, store, elevation);
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
        return (b ? b->Caption() : "none") +
               (f.TextUserName.Enabled() && f.TextUserPassWord.Enabled() ? " enabled" : "") +
               (!f.TextUserName.Enabled() && !f.TextUserPassWord.Enabled() ? " disabled" : "") + " [" +
               f.TextUserName.Text() + "] [" + f.TextUserPassWord.Text() + "]";
    }

    std::unique_ptr<FormEasyLogin> form;
};

TEST_F(EasyLogin, StartsWithTheDefaultChoicesAMaskedPasswordAndTheWindowTopLeftAndOptionsOnlySwitchTheBoxes) {
    FormEasyLogin f(registry, store, elevation);
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

// Reads are bounded; a value that is there but is no text reads as empty, a
// missing one takes its default.
TEST_F(EasyLogin, LoadShowsTheStoredLogonChoiceReadsDamagedValuesSafelyAndWritesNothing) {
    const Text none;
    const std::string on = kOn, u(10000, 'u'), p(10000, 'p');
    const struct {
        const char* name;
        Text user, password, autoLogon;
        std::int16_t lock;
        std::string shown;
        void (*damage)(FakeRegistry&) = nullptr;
    } cases[] = {
        {"nothing stored", none, none, none, 0, " disabled [administrator] []"},
        {"on", "bob", "pw", "1", 0, on + " enabled [bob] [pw]"},
        {"on, lock", "bob", "pw", "1", 1, std::string(kOnLocked) + " enabled [bob] [pw]"},
        {"on, lock field any non-zero", "bob", "pw", "1", -1, std::string(kOnLocked) + " enabled [bob] [pw]"},
        {"off with an account stored", "bob", "pw", "0", 1, " disabled [bob] [pw]"},
        {"on as 2", "bob", none, "2", 0, on + " enabled [bob] []"},
        {"empty user name", "", none, "1", 0, on + " enabled [] []"},
        {"missing user name", none, "pw", "1", 0, on + " enabled [administrator] [pw]"},
        {"spaces around", "  bob ", " pw  ", "1", 0, on + " enabled [bob] [ pw  ]"},
        {"fraction dropped", none, none, "1.9", 0, on + " enabled [administrator] []"},
        {"10,000 characters", u, p, "1" + std::string(9999, '0'), 0,
         on + " enabled [" + u.substr(0, 255) + "] [" + p.substr(0, 255) + "]"},
        {"only the first nine characters count", "u", "p", std::string(9, '0') + std::string(9991, '1'), 0,
         " disabled [u] [p]"},
        {"a text with no data at all", none, none, none, 0, " disabled [administrator] []",
         [](FakeRegistry& r) { r.Put(HKLM, kWinlogonKey, kDefaultUserName, FakeRegistry::Type::Text, {}); }},
        {"values that are not texts", none, none, none, 0, " disabled [] []",
         [](FakeRegistry& r) {
             r.Put(HKLM, kWinlogonKey, kDefaultUserName, FakeRegistry::Type::Binary, {'b', 'o', 'b', 0});
             r.Put(HKLM, kWinlogonKey, kAutoAdminLogon, FakeRegistry::Type::Dword, {1, 0, 0, 0});
         }},
        {"Winlogon key cannot open", "bob", "pw", "1", 0, " disabled [] []", [](FakeRegistry& r) { r.DenyOpen(HKLM); }},
    };
    for (const auto& c : cases) {
        Restart();
        StoreLogon(c.user, c.password, c.autoLogon, c.lock);
        if (c.damage) c.damage(registry);
        const std::size_t writes = registry.log.size();
        EXPECT_EQ(Shown(Start()), (c.shown[0] == ' ' ? kOff : "") + c.shown) << "case: " << c.name;
        EXPECT_EQ(registry.log.size(), writes) << "case: " << c.name;
    }
}

// The stored name stays when logon goes off. Without rights on the machine
// hive nothing there changes, yet the lock choice is stored in the user's
// record and the tweaks still reach HKEY_CLASSES_ROOT.
TEST_F(EasyLogin, SaveWritesTheAccountAsTypedOrDropsThePasswordAndAlwaysStoresTheLockChoice) {
    const struct {
        OptionButton FormEasyLogin::*option;
        void (FakeRegistry::*deny)(Hive);
        Text user, password, autoLogon;
        std::int16_t lock;
    } cases[] = {
        {&FormEasyLogin::OptionLogin, nullptr, " 用户 ", " p w ", "1", 0},
        {&FormEasyLogin::OptionLock, nullptr, " 用户 ", " p w ", "1", 1},
        {&FormEasyLogin::OptionCancle, nullptr, "bob", std::nullopt, "0", 0},
        {&FormEasyLogin::OptionLock, &FakeRegistry::DenyWrites, "bob", "pw", "1", 1},
        {&FormEasyLogin::OptionLock, &FakeRegistry::DenyOpen, "bob", "pw", "1", 1},
    };
    for (const auto& c : cases) {
        Restart();
        StoreLogon("bob", "pw", "1", c.lock == 1 ? 0 : 1);
        FormEasyLogin& f = Start();
        if (c.deny) (registry.*c.deny)(HKLM);
        (f.*c.option).Click();
        f.TextUserName.SetText(" 用户 ");
        f.TextUserPassWord.SetText(" p w ");
        f.CommandSave.Click();
        const std::string name = (f.*c.option).Caption() + (c.deny ? ", machine hive denied" : "");
        EXPECT_EQ(Winlogon(kDefaultUserName), c.user) << "case: " << name;
        EXPECT_EQ(Winlogon(kDefaultPassword), c.password) << "case: " << name;
        EXPECT_EQ(Winlogon(kAutoAdminLogon), c.autoLogon) << "case: " << name;
        EXPECT_EQ(Stored().AutoLogonLock, c.lock) << "case: " << name;
        EXPECT_EQ(registry.Has(HKLM, kLanmanServerKey, "autoshareserver"), !c.deny) << "case: " << name;
        EXPECT_EQ(registry.Dword(Hive::ClassesRoot, kAudioCdShellKey, "play"), 1u) << "case: " << name;
    }
}

// On a clean account the record keeps its defaults and so is not stored yet.
TEST_F(EasyLogin, UntouchedSaveWritesTheLogonPartThenTheThreeTweaksInOrder) {
    registry.PutDword(HKLM, kExplorerPoliciesKey, "NoDriveAutoRun", 0x3FFFFFF);
    FormEasyLogin& f = Start();
    registry.log.clear();
    f.CommandSave.Click();
    std::vector<std::string> expected;
    const auto at = [&](const char* root, std::string_view key, std::vector<std::string> changes) {
        for (const std::string& change : changes) expected.push_back(root + ("\\" + std::string(key)) + ": " + change);
    };
    at("HKLM", kWinlogonKey, {"delete DefaultPassword", "write AutoadminLogon"});
    at("HKLM", kLanmanServerKey, {"write autoshareserver", "write autoShareWks"});
    at("HKLM", kLsaKey, {"write RestrictAnonymous"});
    at("HKLM", kReliabilityKey, {"write ShutdownReasonUI", "write ShutdownReasonOn"});
    at("HKLM", kSystemPoliciesKey, {"write disablecad"});
    at("HKLM", kExplorerPoliciesKey, {"write NoDriveTypeAutoRun"});
    at("HKLM", kCdromKey, {"write Autorun"});
    at("HKCR", kAudioCdShellKey, {"write play"});
    EXPECT_EQ(registry.log, expected);
    EXPECT_EQ(registry.Dword(HKLM, kExplorerPoliciesKey, "NoDriveAutoRun"), 0x3FFFFFFu);
    EXPECT_EQ(Winlogon(kAutoAdminLogon), "0");
}

TEST_F(EasyLogin, TheTweakControlsChooseWhatSaveApplies) {
    const struct {
        void (*change)(FormEasyLogin&);
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
    }
}

// Without rights the shield is shown and Save hands the elevated copy the
// choices on its command line and the account over the channel. Whatever the
// copy says is shown; a declined prompt changes nothing at all.
TEST_F(EasyLogin, WithoutRightsSaveGoesThroughTheElevatedCopyAndSaysHowItEnded) {
    EXPECT_FALSE(Start().CommandSave.Shield);
    elevation.elevated = false;
    const struct {
        ElevatedResult answer;
        const char* shown;
        std::int16_t lock;
    } cases[] = {
        {{ElevatedEnd::Declined, {}}, "已取消：没有做任何更改。", 0},
        {{ElevatedEnd::Failed, "拒绝访问。 (5)"}, "未保存，没有做任何更改：拒绝访问。 (5)", 0},
        {{ElevatedEnd::Lost, "副本没有结束"}, "不确定是否已保存：副本没有结束", 0},
        {{ElevatedEnd::Refused, "自动播放设置未能应用"}, "自动播放设置未能应用", 1},
        {{ElevatedEnd::Done, {}}, "已保存。", 1},
    };
    for (const auto& c : cases) {
        Restart();
        elevation.runs.clear();
        elevation.answer = c.answer;
        FormEasyLogin& f = Start();
        EXPECT_TRUE(f.CommandSave.Shield);
        f.OptionLock.Click();
        f.TextUserName.SetText("bob");
        f.TextUserPassWord.SetText("p w");
        f.OptionAllDisk.Click();
        f.CommandSave.Click();
        EXPECT_EQ(elevation.runs,
                  (std::vector<testing::FakeElevation::Run>{{"logon 1 1 1 2", std::string("bob\0p w", 7)}}));
        EXPECT_EQ(f.LabelOutcome.Caption(), c.shown);
        EXPECT_EQ(Stored().AutoLogonLock, c.lock) << c.shown;
        EXPECT_FALSE(registry.Has(HKLM, kWinlogonKey, kAutoAdminLogon));  // only the copy writes there
    }
}

TEST(LeadingWholeNumber, TakesTheNumberATextStartsWithAndDropsItsFraction) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::string_view text;
        std::int64_t expected;
    } cases[] = {
        {"1", 1},
        {"0", 0},
        {"2", 2},
        {" 1", 1},
        {"\t 7", 7},
        {"1 ", 1},
        {"1.9", 1},
        {"0.9", 0},
        {"-0.5", 0},
        {".5", 0},
        {"-1", -1},
        {"+3", 3},
        {"0x1", 0},
        {"2abc", 2},
        {"abc2", 0},
        {"", 0},
        {" ", 0},
        {"-", 0},
        {"+-1", 0},
        {"- 1", 0},
        {"00012", 12},
        {"1e5", 1},
        {"１", 0},
        {"999999999", 999999999},
        {"99999999999999999999999", kMax},
        {"-99999999999999999999999", -kMax},
        {"00000000000000000000000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingWholeNumber(c.text), c.expected) << "case: \"" << c.text << '"';
}

}  // namespace
}  // namespace tavrin
