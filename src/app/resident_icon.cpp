#include "app/resident_icon.h"

#include <string>

#include "app/frm_main.h"
#include "common/identity.h"
#include "ports/registry.h"
#include "schedule/form_shutdown.h"
#include "schedule/format_span.h"
#include "settings/setup_store.h"

namespace tavrin {

namespace {

constexpr std::string_view kShowMain = "显示主窗口";
constexpr std::string_view kStop = "停止计时";
constexpr std::string_view kExit = "退出";
constexpr std::int64_t kWarnSeconds = 300;

std::string Left(std::int64_t seconds) { return FormatTimeLeft(seconds) + "后"; }

}  // namespace

ResidentIcon::ResidentIcon(frmMain& main, FormShutdown& schedule, Registry& registry)
    : main_(main), schedule_(schedule), registry_(registry) {
    Icon.onClick = [this] { ShowMainWindow(); };
    Icon.onMenuItem = [this](std::string_view item) { ChooseMenuItem(item); };
    schedule_.onStatusChange = [this] { Refresh(); };
    main_.onClosedToHidden = [this] { ClosedToHidden(); };
    main_.onEnding = [this] { Stop(); };
    Refresh();
}

// The windows outlive the icon: nothing may report to it once it is gone.
ResidentIcon::~ResidentIcon() {
    schedule_.onStatusChange = nullptr;
    main_.onClosedToHidden = nullptr;
    main_.onEnding = nullptr;
}

void ResidentIcon::Start() {
    Icon.SetVisible(true);
    Refresh();
    AnnounceArmed();
}

void ResidentIcon::AnnounceArmed() {
    const ScheduleStatus s = schedule_.Status();
    if (!main_.Visible() && s.state != ScheduleStatus::State::Idle)
        Icon.Notify(std::string(kAppTitle), "已安排：" + s.label + " " + s.moment);
}

void ResidentIcon::Refresh() {
    const ScheduleStatus s = schedule_.Status();
    std::string tip = std::string(kAppTitle) + "\n";
    switch (s.state) {
        case ScheduleStatus::State::Idle:
            tip += "未安排定时任务";
            break;
        case ScheduleStatus::State::Armed:
            tip += s.label + "：" + Left(s.secondsLeft);
            break;
        case ScheduleStatus::State::Postponed:
            tip += s.label + "（已推迟）：" + Left(s.secondsLeft);
            break;
    }
    Icon.SetTip(std::move(tip));
    const bool due = s.state != ScheduleStatus::State::Idle;
    if (due)
        Icon.SetMenuItems({std::string(kShowMain), std::string(kStop), std::string(kExit)});
    else
        Icon.SetMenuItems({std::string(kShowMain), std::string(kExit)});

    // Once as the time left crosses five minutes, not when armed closer.
    if (due && s.secondsLeft <= kWarnSeconds && lastSecondsLeft_ > kWarnSeconds)
        Icon.Notify(std::string(kAppTitle), s.label + "将在5分钟后执行（" + s.moment + "）");
    lastSecondsLeft_ = due ? s.secondsLeft : -1;
}

void ResidentIcon::ChooseMenuItem(std::string_view item) {
    if (item == kShowMain) ShowMainWindow();
    if (item == kStop) schedule_.StopTiming();
    if (item == kExit) main_.ToolbarButtonClick(kExit);
}

void ResidentIcon::ShowMainWindow() { main_.Show(); }

// Said once per user, remembered beside the settings record, never in it.
void ResidentIcon::ClosedToHidden() {
    const auto key = registry_.OpenKey(Hive::CurrentUser, kSettingsKey);
    if (key != nullptr && key->ValueSize(kCloseNoticeValue) > 0) return;
    // Remembered only once seen; a failed write only repeats the notice.
    if (Icon.Notify(std::string(kAppTitle),
                    "程序仍在通知区域运行，定时任务和热键照常工作。要结束程序，请在图标的菜单中选“退出”。") &&
        key != nullptr)
        (void)key->WriteDword(kCloseNoticeValue, 1);
}

}  // namespace tavrin
