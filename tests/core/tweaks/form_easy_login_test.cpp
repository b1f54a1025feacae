#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/setup_store.h"
#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_registry.h"
#include "tweaks/form_easy_login.h"
#include "tweaks/system_tweaks.h"

namespace tavrin {
namespace {

using testing::FakeApplication;
using testing::FakeClock;
using testing::FakeRegistry;
using testing::RecordingRegistry;

constexpr Hive HKLM = Hive::LocalMachine;

// One start of the program as far as this window goes: the record loaded
// from the registry first, then the window loaded.
struct Program {
    Program(Registry& registry, FakeApplication& app, FakeClock& clock)
        : store(registry, app, clock), form(registry, store) {
        store.LoadSetupInfo();
    }
    SetupStore store;
    FormEasyLogin form;
};

class EasyLogin : public ::testing::Test {
protected:
    Program& Start() {
        program = std::make_unique<Program>(registry, app, clock);
        program->form.Load();
        return *program;
    }
    FormEasyLogin& Form() { return program->form; }

    void StoreLogon(std::optional<std::string> user, std::optional<std::string> password,
                    std::optional<std::string> autoLogon) {
        if (user) registry.PutText(HKLM, kWinlogonKey, kDefaultUserName, *user);
        if (password) registry.PutText(HKLM, kWinlogonKey, kDefaultPassword, *password);
        if (autoLogon) registry.PutText(HKLM, kWinlogonKey, kAutoAdminLogon, *autoLogon);
    }
    void StoreLockChoice(std::int16_t lock) {
        SetupStore s(registry, app, clock);
        s.LoadSetupInfo();
        s.Info().AutoLogonLock = lock;
        s.SaveSetupInfo();
    }
    std::optional<std::string> Winlogon(const char* name) const { return registry.Text(HKLM, kWinlogonKey, name); }
    std::int16_t StoredLockChoice() {
        SetupStore s(registry, app, clock);
        s.LoadSetupInfo();
        return s.Info().AutoLogonLock;
    }
    std::string SelectedLogonOption() {
        const OptionButton* b = Form().LogonChoices.Selected();
        return b ? b->Caption() : "none";
    }

    FakeRegistry registry;
    FakeApplication app;
    FakeClock clock;
    std::unique_ptr<Program> program;
};

TEST_F(EasyLogin, ControlsStartWithTheirCaptionsAndStates) {
    Program p(registry, app, clock);
    FormEasyLogin& f = p.form;
    EXPECT_EQ(f.Caption(), "开机自动登录");
    const struct {
        const Label* control;
        const char* caption;
    } captions[] = {
        {&f.Frame15, ""},
        {&f.Frame1, ""},
        {&f.OptionCancle, "取消自动登录"},
        {&f.OptionLogin, "开机自动登录"},
        {&f.OptionLock, "开机自动登录后锁定电脑"},
        {&f.Label2, "用户名："},
        {&f.Label3, "密\u3000码："},
        {&f.Frame3, ""},
        {&f.CheckShareMode, "禁用Windows自动共享"},
        {&f.Frame4, ""},
        {&f.Check2003, "禁用Windows2003关机提示"},
        {&f.Frame6, "自动播放"},
        {&f.OptionAutoPlay, "启用自动播放"},
        {&f.OptionAllButCD, "禁用所有除光驱外"},
        {&f.OptionAllDisk, "禁用所有驱动器"},
        {&f.CommandSave, "保存"},
    };
    for (const auto& c : captions) {
        EXPECT_EQ(c.control->Caption(), c.caption) << "case: " << c.caption;
        EXPECT_TRUE(c.control->Enabled()) << "case: " << c.caption;
    }
    EXPECT_EQ(f.TextUserName.Text(), "administrator");
    EXPECT_EQ(f.TextUserName.passwordChar, "");
    EXPECT_EQ(f.TextUserPassWord.Text(), "");
    EXPECT_EQ(f.TextUserPassWord.passwordChar, "*");
    EXPECT_EQ(f.LogonChoices.Selected(), &f.OptionCancle);
    EXPECT_EQ(f.AutoPlayChoices.Selected(), &f.OptionAllButCD);
    EXPECT_EQ(f.CheckShareMode.Value(), 1);
    EXPECT_EQ(f.Check2003.Value(), 1);
    EXPECT_EQ(f.AutoPlaySelector(), kAutoPlayAllButCD);
}

TEST_F(EasyLogin, LoadPlacesTheWindowTopLeftAndWritesNothing) {
    StoreLogon("bob", "secret", "1");
    program = std::make_unique<Program>(registry, app, clock);
    Form().Move(40, 30);
    const int writesBefore = registry.writes;
    Form().Load();
    EXPECT_EQ(Form().Left(), 0);
    EXPECT_EQ(Form().Top(), 0);
    EXPECT_EQ(registry.writes, writesBefore);
}

TEST_F(EasyLogin, LoadShowsTheStoredLogonChoice) {
    const std::optional<std::string> missing;
    const struct {
        const char* name;
        std::optional<std::string> user, password, autoLogon;
        std::int16_t lock;
        std::string shownUser, shownPassword, option;
    } cases[] = {
        {"nothing stored", missing, missing, missing, 0, "administrator", "", "取消自动登录"},
        {"on, no lock", "bob", "pw", "1", 0, "bob", "pw", "开机自动登录"},
        {"on, lock", "bob", "pw", "1", 1, "bob", "pw", "开机自动登录后锁定电脑"},
        {"on, lock field any non-zero", "bob", "pw", "1", 2, "bob", "pw", "开机自动登录后锁定电脑"},
        {"off with stored account", "bob", "pw", "0", 1, "bob", "pw", "取消自动登录"},
        {"on as 2", "bob", "pw", "2", 0, "bob", "pw", "开机自动登录"},
        {"empty user name", "", "pw", "1", 0, "", "pw", "开机自动登录"},
        {"missing user name", missing, "pw", "1", 0, "administrator", "pw", "开机自动登录"},
        {"user name in spaces", "  bob ", " pw  ", "1", 0, "bob", " pw  ", "开机自动登录"},
        {"blank user name", "   ", "", "1", 0, "", "", "开机自动登录"},
        {"Chinese account", "管理员", "密码", "1", 0, "管理员", "密码", "开机自动登录"},
        {"leading blank", "bob", missing, " 1", 0, "bob", "", "开机自动登录"},
        {"fraction dropped", "bob", missing, "1.9", 0, "bob", "", "开机自动登录"},
        {"fraction only", "bob", missing, "0.9", 0, "bob", "", "取消自动登录"},
        {"negative", "bob", missing, "-1", 0, "bob", "", "开机自动登录"},
        {"hexadecimal", "bob", missing, "0x1", 0, "bob", "", "取消自动登录"},
        {"trailing letters", "bob", missing, "2abc", 0, "bob", "", "开机自动登录"},
        {"no number", "bob", missing, "yes", 0, "bob", "", "取消自动登录"},
        {"empty text", "bob", missing, "", 0, "bob", "", "取消自动登录"},
        {"huge number", "bob", missing, "99999999999999999999999", 0, "bob", "", "开机自动登录"},
    };
    for (const auto& c : cases) {
        registry = FakeRegistry{};
        StoreLogon(c.user, c.password, c.autoLogon);
        StoreLockChoice(c.lock);
        Start();
        EXPECT_EQ(Form().TextUserName.Text(), c.shownUser) << "case: " << c.name;
        EXPECT_EQ(Form().TextUserPassWord.Text(), c.shownPassword) << "case: " << c.name;
        EXPECT_EQ(SelectedLogonOption(), c.option) << "case: " << c.name;
        const bool on = c.option != "取消自动登录";
        EXPECT_EQ(Form().TextUserName.Enabled(), on) << "case: " << c.name;
        EXPECT_EQ(Form().TextUserPassWord.Enabled(), on) << "case: " << c.name;
    }
}

TEST_F(EasyLogin, ValuesWithNoDataTakeTheDefaultsAndValuesOfAnotherTypeReadAsEmpty) {
    registry.Put(HKLM, kWinlogonKey, kDefaultUserName, FakeRegistry::Type::Text, {});
    registry.PutDword(HKLM, kWinlogonKey, kDefaultPassword, 0x64636261);  // "abcd" if taken as text
    registry.PutDword(HKLM, kWinlogonKey, kAutoAdminLogon, 1);
    Start();
    EXPECT_EQ(Form().TextUserName.Text(), "administrator");
    EXPECT_EQ(Form().TextUserPassWord.Text(), "");
    EXPECT_EQ(SelectedLogonOption(), "取消自动登录");

    registry.PutBinary(HKLM, kWinlogonKey, kDefaultUserName, {'b', 'o', 'b', 0});
    registry.PutBinary(HKLM, kWinlogonKey, kAutoAdminLogon, {'1', 0});
    Start();
    EXPECT_EQ(Form().TextUserName.Text(), "");
    EXPECT_EQ(SelectedLogonOption(), "取消自动登录");
}

TEST_F(EasyLogin, AnUnreadableWinlogonKeyShowsEmptyBoxesAndLogonOff) {
    StoreLogon("bob", "pw", "1");
    registry.DenyOpen(HKLM);
    Start();
    EXPECT_EQ(Form().TextUserName.Text(), "");
    EXPECT_EQ(Form().TextUserPassWord.Text(), "");
    EXPECT_EQ(SelectedLogonOption(), "取消自动登录");
    EXPECT_FALSE(Form().TextUserName.Enabled());
    EXPECT_FALSE(Form().TextUserPassWord.Enabled());
}

TEST_F(EasyLogin, ValuesOfTenThousandCharactersAreCutToWhatTheBoxesHold) {
    const struct {
        const char* name;
        std::string autoLogon;
        std::string option;
    } cases[] = {
        {"long number starting with 1", "1" + std::string(9999, '0'), "开机自动登录"},
        {"long run of zeros", std::string(10000, '0'), "取消自动登录"},
        {"long blank then 1", std::string(10000, ' ') + "1", "取消自动登录"},
    };
    for (const auto& c : cases) {
        registry = FakeRegistry{};
        StoreLogon(std::string(10000, 'u'), std::string(10000, 'p'), c.autoLogon);
        Start();
        EXPECT_EQ(Form().TextUserName.Text(), std::string(255, 'u')) << "case: " << c.name;
        EXPECT_EQ(Form().TextUserPassWord.Text(), std::string(255, 'p')) << "case: " << c.name;
        EXPECT_EQ(SelectedLogonOption(), c.option) << "case: " << c.name;
    }
}

TEST_F(EasyLogin, OptionClicksOnlySwitchTheBoxes) {
    Start();
    const int writesBefore = registry.writes;
    const struct {
        OptionButton* option;
        bool boxesOn;
    } steps[] = {{&Form().OptionLogin, true},  {&Form().OptionCancle, false}, {&Form().OptionLock, true},
                 {&Form().OptionLogin, true},  {&Form().OptionCancle, false}, {&Form().OptionCancle, false}};
    for (const auto& s : steps) {
        s.option->Click();
        EXPECT_TRUE(s.option->Value()) << "case: " << s.option->Caption();
        EXPECT_EQ(Form().TextUserName.Enabled(), s.boxesOn) << "case: " << s.option->Caption();
        EXPECT_EQ(Form().TextUserPassWord.Enabled(), s.boxesOn) << "case: " << s.option->Caption();
    }
    EXPECT_EQ(registry.writes, writesBefore);
}

TEST_F(EasyLogin, SavingWithLogonOnWritesTheBoxesAsTheyStand) {
    const struct {
        const char* name;
        OptionButton FormEasyLogin::*option;
        std::int16_t lock;
    } cases[] = {{"log on", &FormEasyLogin::OptionLogin, 0}, {"log on and lock", &FormEasyLogin::OptionLock, 1}};
    for (const auto& c : cases) {
        registry = FakeRegistry{};
        StoreLogon("old", "old", "0");
        StoreLockChoice(c.lock == 1 ? 0 : 1);
        Start();
        (Form().*c.option).Click();
        Form().TextUserName.SetText(" 用户 ");
        Form().TextUserPassWord.SetText(" p w ");
        Form().CommandSave.Click();
        EXPECT_EQ(Winlogon(kDefaultUserName), " 用户 ") << "case: " << c.name;
        EXPECT_EQ(Winlogon(kDefaultPassword), " p w ") << "case: " << c.name;
        EXPECT_EQ(Winlogon(kAutoAdminLogon), "1") << "case: " << c.name;
        EXPECT_EQ(StoredLockChoice(), c.lock) << "case: " << c.name;
        EXPECT_EQ(program->store.Info().AutoLogonLock, c.lock) << "case: " << c.name;
    }
}

TEST_F(EasyLogin, SavingWithLogonOffDropsThePasswordAndKeepsTheUserName) {
    for (bool passwordStored : {true, false}) {
        registry = FakeRegistry{};
        StoreLogon("bob", passwordStored ? std::optional<std::string>("pw") : std::nullopt, "1");
        StoreLockChoice(1);
        Start();
        Form().TextUserName.SetText("someone else");
        Form().OptionCancle.Click();
        Form().CommandSave.Click();
        EXPECT_FALSE(Winlogon(kDefaultPassword)) << "case: password stored " << passwordStored;
        EXPECT_EQ(Winlogon(kAutoAdminLogon), "0") << "case: password stored " << passwordStored;
        EXPECT_EQ(Winlogon(kDefaultUserName), "bob") << "case: password stored " << passwordStored;
        EXPECT_EQ(StoredLockChoice(), 0) << "case: password stored " << passwordStored;
    }
}

TEST_F(EasyLogin, AUserNameStoredInSpacesIsSavedBackWithoutThem) {
    StoreLogon("  bob  ", "pw", "1");
    Start();
    Form().CommandSave.Click();
    EXPECT_EQ(Winlogon(kDefaultUserName), "bob");
    EXPECT_EQ(Winlogon(kDefaultPassword), "pw");
}

TEST_F(EasyLogin, UntouchedSaveWritesTheLogonPartTheRecordThenTheThreeTweaksInOrder) {
    registry.PutDword(HKLM, kExplorerPoliciesKey, "NoDriveAutoRun", 0x3FFFFFF);
    RecordingRegistry recording{registry};
    program = std::make_unique<Program>(recording, app, clock);
    Form().Load();
    recording.trace.clear();

    Form().CommandSave.Click();

    const std::string winlogon = "HKLM\\" + std::string(kWinlogonKey);
    const std::string settings = "HKCU\\" + std::string(kSettingsKey);
    const std::string run = "HKLM\\" + std::string(kRunKey);
    const std::string server = "HKLM\\system\\currentcontrolset\\services\\lanmanserver\\parameters";
    const std::string lsa = "HKLM\\system\\currentcontrolset\\control\\lsa";
    const std::string reliability = "HKLM\\Software\\Policies\\Microsoft\\Windows NT\\Reliability";
    const std::string system = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\system";
    const std::string explorer = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const std::string cdrom = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Cdrom";
    const std::string audioCd = "HKCR\\AudioCD\\shell";
    EXPECT_EQ(recording.trace, (std::vector<std::string>{
                                   "open " + winlogon, "delete DefaultPassword", "write AutoadminLogon", "close " + winlogon,
                                   "open " + settings, "write setupinfo", "close " + settings,
                                   "open " + run, "write Dormalix", "close " + run,
                                   "open " + server, "write autoshareserver", "write autoShareWks", "close " + server,
                                   "open " + lsa, "write RestrictAnonymous", "close " + lsa,
                                   "open " + reliability, "write ShutdownReasonUI", "write ShutdownReasonOn", "close " + reliability,
                                   "open " + system, "write disablecad", "close " + system,
                                   "open " + explorer, "write NoDriveTypeAutoRun", "close " + explorer,
                                   "open " + cdrom, "write Autorun", "close " + cdrom,
                                   "open " + audioCd, "write play", "close " + audioCd}));

    const struct {
        Hive root;
        std::string_view key;
        const char* name;
        std::uint32_t value;
    } dwords[] = {
        {HKLM, kLanmanServerKey, "autoshareserver", 0},       {HKLM, kLanmanServerKey, "autoShareWks", 0},
        {HKLM, kLsaKey, "RestrictAnonymous", 1},              {HKLM, kReliabilityKey, "ShutdownReasonUI", 0},
        {HKLM, kReliabilityKey, "ShutdownReasonOn", 0},       {HKLM, kSystemPoliciesKey, "disablecad", 1},
        {HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun", 0xFFFFFFDF},
        {HKLM, kExplorerPoliciesKey, "NoDriveAutoRun", 0x3FFFFFF},
        {HKLM, kCdromKey, "Autorun", 1},                      {Hive::ClassesRoot, kAudioCdShellKey, "play", 1},
    };
    for (const auto& d : dwords) EXPECT_EQ(registry.Dword(d.root, d.key, d.name), d.value) << "case: " << d.name;
    EXPECT_EQ(Winlogon(kAutoAdminLogon), "0");
    EXPECT_FALSE(Winlogon(kDefaultUserName));
    EXPECT_EQ(registry.ValueCount(), std::size(dwords) + 3);  // with "AutoadminLogon", the record and the Run entry
    EXPECT_EQ(StoredLockChoice(), 0);
}

TEST_F(EasyLogin, TheTweakControlsChooseWhatSaveApplies) {
    const struct {
        const char* name;
        std::function<void(FormEasyLogin&)> change;
        Hive root;
        std::string_view key;
        const char* value;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {"share box cleared", [](FormEasyLogin& f) { f.CheckShareMode.Click(); }, HKLM, kLanmanServerKey, "autoShareWks", std::nullopt},
        {"share box cleared, Lsa", [](FormEasyLogin& f) { f.CheckShareMode.Click(); }, HKLM, kLsaKey, "RestrictAnonymous", std::nullopt},
        {"tracker box cleared", [](FormEasyLogin& f) { f.Check2003.Click(); }, HKLM, kSystemPoliciesKey, "disablecad", std::nullopt},
        {"tracker box cleared and ticked", [](FormEasyLogin& f) { f.Check2003.Click(); f.Check2003.Click(); }, HKLM, kReliabilityKey, "ShutdownReasonOn", 0u},
        {"autoplay on", [](FormEasyLogin& f) { f.OptionAutoPlay.Click(); }, HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun", 0x95u},
        {"autoplay on, per-drive mask", [](FormEasyLogin& f) { f.OptionAutoPlay.Click(); }, HKLM, kExplorerPoliciesKey, "NoDriveAutoRun", std::nullopt},
        {"autoplay off everywhere", [](FormEasyLogin& f) { f.OptionAllDisk.Click(); }, HKLM, kCdromKey, "Autorun", 0u},
        {"autoplay off everywhere, audio CD", [](FormEasyLogin& f) { f.OptionAllDisk.Click(); }, Hive::ClassesRoot, kAudioCdShellKey, "play", std::nullopt},
        {"autoplay off everywhere, mask", [](FormEasyLogin& f) { f.OptionAllDisk.Click(); }, HKLM, kExplorerPoliciesKey, "NoDriveTypeAutoRun", 0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        registry = FakeRegistry{};
        registry.PutDword(c.root, c.key, c.value, 0x5EED);
        Start();
        c.change(Form());
        Form().CommandSave.Click();
        EXPECT_EQ(registry.Dword(c.root, c.key, c.value), c.expected) << "case: " << c.name;
    }
}

TEST_F(EasyLogin, WithoutMachineRightsTheLockChoiceIsStillStored) {
    for (auto deny : {&FakeRegistry::DenyWrites, &FakeRegistry::DenyOpen}) {
        registry = FakeRegistry{};
        StoreLogon("bob", "pw", "0");
        Start();
        (registry.*deny)(HKLM);
        Form().OptionLock.Click();
        Form().TextUserName.SetText("alice");
        Form().CommandSave.Click();
        registry.AllowAll();
        EXPECT_EQ(Winlogon(kDefaultUserName), "bob");
        EXPECT_EQ(Winlogon(kDefaultPassword), "pw");
        EXPECT_EQ(Winlogon(kAutoAdminLogon), "0");
        EXPECT_FALSE(registry.Has(HKLM, kLanmanServerKey, "autoshareserver"));
        EXPECT_EQ(StoredLockChoice(), 1);
        EXPECT_EQ(registry.Dword(Hive::ClassesRoot, kAudioCdShellKey, "play"), 1u);  // not a machine key
    }
}

TEST_F(EasyLogin, ARestartShowsTheSavedLogonChoiceAndTheTweaksInTheirInitialStates) {
    Start();
    Form().OptionLock.Click();
    Form().TextUserName.SetText("bob");
    Form().TextUserPassWord.SetText("pw");
    Form().CheckShareMode.Click();
    Form().Check2003.Click();
    Form().OptionAllDisk.Click();
    Form().CommandSave.Click();

    Start();
    EXPECT_EQ(SelectedLogonOption(), "开机自动登录后锁定电脑");
    EXPECT_EQ(Form().TextUserName.Text(), "bob");
    EXPECT_EQ(Form().TextUserPassWord.Text(), "pw");
    EXPECT_TRUE(Form().TextUserName.Enabled());
    EXPECT_EQ(Form().CheckShareMode.Value(), 1);
    EXPECT_EQ(Form().Check2003.Value(), 1);
    EXPECT_EQ(Form().AutoPlayChoices.Selected(), &Form().OptionAllButCD);
}

}  // namespace
}  // namespace tavrin
