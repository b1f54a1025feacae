#include "tweaks/logon_settings.h"

#include "common/report_lines.h"
#include "ports/registry.h"
#include "tweaks/form_easy_login.h"
#include "tweaks/system_tweaks.h"

namespace tavrin {

namespace {

RegStatus WriteLogonValues(Registry& registry, const LogonSettings& s) {
    const auto key = registry.OpenKey(Hive::LocalMachine, kWinlogonKey);
    if (!key) return RegStatus::Failed;
    RegStatus worst = RegStatus::Ok;
    const auto keep = [&worst](RegStatus status) {
        if (status != RegStatus::Ok && worst != RegStatus::AccessDenied) worst = status;
    };
    if (s.logonOn) {
        keep(key->WriteText(kDefaultUserName, s.userName));
        keep(key->WriteText(kDefaultPassword, s.password));
        keep(key->WriteText(kAutoAdminLogon, "1"));
    } else {
        // The account name stays for the next time; the password does not.
        keep(key->DeleteValue(kDefaultPassword));
        keep(key->WriteText(kAutoAdminLogon, "0"));
    }
    return worst;
}

}  // namespace

std::string ApplyLogonSettings(Registry& registry, const LogonSettings& s) {
    std::string report;
    if (const RegStatus status = WriteLogonValues(registry, s); status != RegStatus::Ok)
        AddLine(report, "自动登录设置未保存：" + std::string(RegFailureText(status)));
    if (!ApplyShareTweak(registry, s.share)) AddLine(report, "“禁用Windows自动共享”未能应用");
    if (!ApplyTrackerTweak(registry, s.tracker)) AddLine(report, "“禁用Windows2003关机提示”未能应用");
    if (!ApplyAutoPlayTweak(registry, s.autoPlay)) AddLine(report, "自动播放设置未能应用");
    return report;
}

}  // namespace tavrin
