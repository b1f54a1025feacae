#include "tweaks/form_easy_login.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/settings_rig.h"
#include "tweaks/system_tweaks.h"

namespace tavrin {
namespace {

using testing::FakeRegistry;
using Text = std::optional<std::string>;
using Dword = std::optional<std::uint32_t>;
constexpr Hive HKLM = Hive::LocalMachine;

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
    void StoreLogon(Text user, Text password, Text autoLogon, std::int16_t lock = 0) {
        registry = FakeRegistry{};
        if (user) registry.PutText(HKLM, kWinlogonKey, kDefaultUserName, *user);
        if (password) registry.PutText(HKLM, kWinlogonKey, kDefaultPassword, *password);
        if (autoLogon) registry.PutText(HKLM, kWinlogonKey, kAutoAdminLogon, *autoLogon);
        SetupInfo info;
        info.AutoLogonLock = lock;
        Store(info);
    }
    Text Winlogon(const char* name) const { return registry.Text(HKLM, kWinlogonKey, name); }
    // The logon choice (0 off, 1 on, 2 on and lock), the account boxes and their texts.
    std::string Shown(const FormEasyLogin& f) const {
        const int choice = f.OptionLogin.Value() ? 1 : f.OptionLock.Value() ? 2 : 0;
        return std::to_string(choice) + (f.TextUserName.Enabled() ? " on [" : " off [") + f.TextUserName.Text() +
               "] [" + f.TextUserPassWord.Text() + "]" + (f.TextUserPassWord.Enabled() ? "" : " off");
    }

    std::unique_ptr<FormEasyLogin> form;
};

// Reads are bounded; a value that is there but is no text reads as empty, a
// missing one takes its default. Loading writes nothing.
TEST_F(EasyLogin, LoadShowsTheStoredLogonChoiceAndReadsDamagedValuesSafely) {
    const Text none;
    const std::string u(10000, 'u'), p(10000, 'p');
    const struct {
        const char* name;
        Text user, password, autoLogon;
        std::int16_t lock;
        std::string shown;
        void (*damage)(FakeRegistry&) = nullptr;
    } cases[] = {
        {"nothing stored", none, none, none, 0, "0 off [administrator] [] off"},
        {"on, spaces around", "  bob ", " pw  ", "1.9", 0, "1 on [bob] [ pw  ]"},
        {"on, lock field any non-zero", "bob", "pw", " -1", -1, "2 on [bob] [pw]"},
        {"off with an account stored", "bob", "pw", "0", 1, "0 off [bob] [pw] off"},
        {"10,000 characters", u, p, std::string(9, '0') + "1", 0,
         "0 off [" + u.substr(0, 255) + "] [" + p.substr(0, 255) + "] off"},
        {"values that are not texts", none, none, none, 0, "0 off [] [] off",
         [](FakeRegistry& r) {
             r.Put(HKLM, kWinlogonKey, kDefaultUserName, FakeRegistry::Type::Dword, {1, 0, 0, 0});
         }},
        {"Winlogon key cannot open", "bob", "pw", "1", 0, "0 off [] [] off", [](FakeRegistry& r) { r.DenyOpen(HKLM); }},
    };
    for (const auto& c : cases) {
        StoreLogon(c.user, c.password, c.autoLogon, c.lock);
        if (c.damage) c.damage(registry);
        EXPECT_EQ(Shown(Start()), c.shown) << "case: " << c.name;
        EXPECT_TRUE(registry.log.empty()) << "case: " << c.name;
    }
}

// The stored name stays when logon goes off. Without rights on the machine
// hive nothing there changes and each refused part is named, yet the lock
// choice is stored in the user's record and HKEY_CLASSES_ROOT still changes.
TEST_F(EasyLogin, SaveWritesTheAccountAsTypedAndStoresTheLockChoiceWhateverWindowsRefused) {
    const struct {
        OptionButton FormEasyLogin::*option;
        void (FakeRegistry::*deny)(Hive);
        Text user, password, autoLogon;
        std::int16_t lock;
        std::string outcome;  // its first line
    } cases[] = {
        {&FormEasyLogin::OptionLogin, nullptr, " 用户 ", " p w ", "1", 0, "已保存。"},
        {&FormEasyLogin::OptionCancle, nullptr, "bob", std::nullopt, "0", 0, "已保存。"},
        {&FormEasyLogin::OptionLock, &FakeRegistry::DenyWrites, "bob", "pw", "1", 1, "自动登录设置未保存：拒绝访问"},
        {&FormEasyLogin::OptionLock, &FakeRegistry::DenyOpen, "bob", "pw", "1", 1,
         "自动登录设置未保存：无法写入注册表"},
    };
    for (const auto& c : cases) {
        StoreLogon("bob", "pw", "1", c.lock == 1 ? 0 : 1);
        FormEasyLogin& f = Start();
        if (c.deny) (registry.*c.deny)(HKLM);
        (f.*c.option).Click();
        f.TextUserName.SetText(" 用户 ");
        f.TextUserPassWord.SetText(" p w ");
        f.CommandSave.Click();
        SCOPED_TRACE("case: " + (f.*c.option).Caption() + (c.deny ? ", machine hive denied" : ""));
        EXPECT_EQ(std::tuple(Winlogon(kDefaultUserName), Winlogon(kDefaultPassword), Winlogon(kAutoAdminLogon)),
                  std::tuple(c.user, c.password, c.autoLogon));
        EXPECT_EQ(Stored().AutoLogonLock, c.lock);
        const std::string outcome = f.LabelOutcome.Caption();
        EXPECT_EQ(outcome.substr(0, outcome.find('\n')), c.outcome);
        EXPECT_EQ(std::count(outcome.begin(), outcome.end(), '\n'), c.deny ? 3 : 0);
        EXPECT_EQ(registry.Dword(Hive::ClassesRoot, kAudioCdShellKey, "play"), 1u);
        EXPECT_EQ(registry.Dword(HKLM, kLanmanServerKey, "autoShareWks"), c.deny ? Dword{} : 0u);
    }
}

// Without rights Save hands the elevated copy the choices on its command line
// and the account over the channel. Whatever the copy says is shown; a
// declined prompt changes nothing at all.
TEST_F(EasyLogin, WithoutRightsSaveGoesThroughTheElevatedCopyAndSaysHowItEnded) {
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
        StoreLogon(std::nullopt, std::nullopt, std::nullopt);
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
        EXPECT_FALSE(registry.Has(HKLM, kWinlogonKey, kAutoAdminLogon)) << c.shown;  // only the copy writes there
    }
}

}  // namespace
}  // namespace tavrin
