#include "tweaks/form_easy_login.h"

#include <string_view>

#include "elevated/elevated_call.h"
#include "ports/elevation.h"
#include "ports/registry.h"
#include "settings/setup_store.h"
#include "tweaks/leading_whole_number.h"
#include "tweaks/logon_settings.h"
#include "tweaks/system_tweaks.h"

namespace tavrin {

namespace {

// Earlier versions read into 256- and 10-byte buffers; longer values are cut
// to what those held rather than read past them.
constexpr std::size_t kAccountTextChars = 255;
constexpr std::size_t kAutoLogonTextChars = 9;

// A value with no data at all takes the fallback; one that is there but is
// not a text (a DWORD written by hand, say) reads as an empty text.
std::string ReadTextOr(RegistryKey& key, std::string_view name, std::size_t maxChars, std::string fallback) {
    if (key.ValueSize(name) == 0) return fallback;
    return key.ReadText(name, maxChars).value_or(std::string{});
}

std::string TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

FormEasyLogin::FormEasyLogin(Registry& registry, SetupStore& store, Elevation& elevation)
    : Form("开机自动登录"),
      OptionCancle(LogonChoices, "取消自动登录", true),
      OptionLogin(LogonChoices, "开机自动登录"),
      OptionLock(LogonChoices, "开机自动登录后锁定电脑"),
      Label2("用户名："),
      TextUserName("administrator"),
      Label3("密　码："),
      CheckShareMode("禁用Windows自动共享", 1),
      Check2003("禁用Windows2003关机提示", 1),
      Frame6("自动播放"),
      OptionAutoPlay(AutoPlayChoices, "启用自动播放"),
      OptionAllButCD(AutoPlayChoices, "禁用所有除光驱外", true),
      OptionAllDisk(AutoPlayChoices, "禁用所有驱动器"),
      CommandSave("保存"),
      registry_(registry),
      store_(store),
      elevation_(elevation) {
    TextUserPassWord.passwordChar = "*";
    CommandSave.Shield = !elevation_.Elevated();
    OptionCancle.onClick = [this] { OptionCancle_Click(); };
    OptionLogin.onClick = [this] { OptionLogin_Click(); };
    OptionLock.onClick = [this] { OptionLock_Click(); };
    CommandSave.onClick = [this] { CommandSave_Click(); };
}

std::int16_t FormEasyLogin::AutoPlaySelector() const {
    if (OptionAutoPlay.Value()) return kAutoPlayEnabled;
    if (OptionAllButCD.Value()) return kAutoPlayAllButCD;
    if (OptionAllDisk.Value()) return kAutoPlayAllDisks;
    return kAutoPlayEnabled;
}

void FormEasyLogin::OnLoad() {
    Move(0, 0);

    // A key that cannot be opened leaves all three empty: logon counts as off.
    std::string userName, password, autoLogon;
    if (const auto key = registry_.OpenKey(Hive::LocalMachine, kWinlogonKey)) {
        userName = ReadTextOr(*key, kDefaultUserName, kAccountTextChars, "administrator");
        password = ReadTextOr(*key, kDefaultPassword, kAccountTextChars, "");
        autoLogon = ReadTextOr(*key, kAutoAdminLogon, kAutoLogonTextChars, "0");
    }

    TextUserName.SetText(TrimSpaces(userName));
    // Spaces may belong to a password; trimming it here would make the next
    // Save store a password that no longer works.
    TextUserPassWord.SetText(password);

    if (LeadingWholeNumber(autoLogon) == 0) {
        OptionCancle.Select();
        EnableAccountBoxes(false);  // selected from the start, so its click does not run
    } else if (store_.Info().AutoLogonLock != 0) {
        OptionLock.Select();
    } else {
        OptionLogin.Select();
    }
}

void FormEasyLogin::OptionCancle_Click() { EnableAccountBoxes(false); }
void FormEasyLogin::OptionLogin_Click() { EnableAccountBoxes(true); }
void FormEasyLogin::OptionLock_Click() { EnableAccountBoxes(true); }

void FormEasyLogin::EnableAccountBoxes(bool on) {
    TextUserName.SetEnabled(on);
    TextUserPassWord.SetEnabled(on);
}

void FormEasyLogin::CommandSave_Click() {
    const LogonSettings settings{OptionLogin.Value() || OptionLock.Value(),
                                 TextUserName.Text(),
                                 TextUserPassWord.Text(),
                                 static_cast<std::int16_t>(CheckShareMode.Value()),
                                 static_cast<std::int16_t>(Check2003.Value()),
                                 AutoPlaySelector()};
    std::string problems;
    if (elevation_.Elevated()) {
        problems = ApplyLogonSettings(registry_, settings);
    } else {
        const ElevatedResult result =
            elevation_.RunElevated(FormatOperation(LogonRequest{settings}), LogonInput(settings));
        if (result.end == ElevatedEnd::Declined) {
            LabelOutcome.SetCaption("已取消：没有做任何更改。");
            return;
        }
        if (result.end == ElevatedEnd::Failed) {
            LabelOutcome.SetCaption("未保存，没有做任何更改：" + result.report);
            return;
        }
        if (result.end == ElevatedEnd::Lost) {  // the record waits until Windows's values are known
            LabelOutcome.SetCaption("不确定是否已保存：" + result.report);
            return;
        }
        problems = result.report;
    }
    // Stored even when Windows refused some values: the record is the user's own.
    store_.Info().AutoLogonLock = OptionLock.Value() ? 1 : 0;
    store_.SaveSetupInfo();
    LabelOutcome.SetCaption(problems.empty() ? "已保存。" : problems);
}

}  // namespace tavrin
