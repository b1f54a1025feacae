#include "timesync/frm_sync.h"

#include <array>
#include <string>

#include "elevated/elevated_call.h"
#include "ports/clock.h"
#include "ports/clock_setter.h"
#include "ports/elevation.h"
#include "settings/setup_store.h"
#include "startup/start_with_windows.h"
#include "timesync/clock_result_text.h"
#include "timesync/daytime_reply.h"
#include "timesync/daytime_text.h"
#include "timesync/server_table.h"

namespace tavrin {

namespace {

constexpr const char* kWaiting = "等待网络数据";
constexpr const char* kUpdate = "更新系统时间";
constexpr const char* kStarting = "开始校时";
constexpr const char* kLocalTime = "本地时间";
constexpr const char* kDeclined = "已取消：系统时间未修改";
constexpr const char* kNoServer = "校时失败：无法连接时间服务器";

constexpr int kOffsetEntries = 25;  // GMT -12 .. GMT +12
constexpr int kEntryZero = 12;
constexpr int kEntryChina = 20;
constexpr std::int16_t kTicksPerAttempt = 4;
constexpr std::int16_t kTicksPerHour = 3600;
// Pauses after the first, second, third and every later failed pass: a
// network that comes up late still gets its sync soon, and no server is asked
// every few seconds for hours.
constexpr std::array<std::int16_t, 4> kPauseTicks{60, 5 * 60, 15 * 60, kTicksPerHour};

std::string OffsetEntry(int index) {
    const int hours = index - kEntryZero;
    if (hours == 0) return "[GMT +0]";
    return (hours < 0 ? "[GMT -" : "[GMT +") + std::to_string(hours < 0 ? -hours : hours) + " h.]";
}

}  // namespace

frmSync::frmSync(SetupStore& store, StartWithWindows& startUp, TcpClient& wskAtom, ClockSetter& clockSetter,
                 const Clock& clock, Elevation& elevation)
    : Form("网络自动校时"),
      store_(store),
      startUp_(startUp),
      wskAtom_(wskAtom),
      clockSetter_(clockSetter),
      clock_(clock),
      elevation_(elevation) {
    cSyncro.Shield = !elevation_.Elevated();
    cmbServer.SetVisible(false);
    cmbGMT.SetVisible(false);
    cSyncro.SetEnabled(false);
    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
    Option3.onClick = [this] { Option3_Click(); };
    cSyncro.onClick = [this] { cSyncro_Click(); };
    timeLocal.onTick = [this] { timeLocal_Timer(); };
}

// The client must not call back into a window that is gone.
frmSync::~frmSync() { wskAtom_.Close(); }

void frmSync::OnLoad() {
    // Selecting 1 or 2 runs its click, which stores the mode and saves.
    switch (store_.Info().SyncMode) {
        case SyncMode::StartUpAndHourly:
            Option1.Select();
            break;
        case SyncMode::StartUp:
            Option2.Select();
            break;
        case SyncMode::Manual:
            Option3.Select();
            break;
        default:
            break;  // the built selection stays and the stored mode is kept
    }
    Move(0, 0);

    cmbServer.Clear();
    for (std::int16_t row = 0; row < static_cast<std::int16_t>(kServerCount); ++row)
        cmbServer.AddItem("[" + ServerHost(row) + "] " + ServerLocation(row));
    cmbGMT.Clear();
    for (int i = 0; i < kOffsetEntries; ++i) cmbGMT.AddItem(OffsetEntry(i));
    cmbGMT.SetListIndex(kEntryChina);

    SyncDone = false;
    if (store_.Info().SyncMode == SyncMode::Manual) {
        SyncDone = true;
        cSyncro.SetCaption(kUpdate);
        cSyncro.SetEnabled(true);
        lInfo1.SetCaption(kLocalTime);
    }
    HourTicks = 0;
    ServerIndex = 0;
    byUser_ = false;
    passAttempts_ = failedPasses_ = pauseTicks_ = 0;
    WaitTicks = kTicksPerAttempt;  // so the first tick starts an attempt
    timeLocal.SetEnabled(true);
    ShowLocalTime();
}

void frmSync::OnUnload() {
    wskAtom_.Close();
    replyPending_ = false;
}

void frmSync::Option1_Click() { SaveMode(SyncMode::StartUpAndHourly); }
void frmSync::Option2_Click() { SaveMode(SyncMode::StartUp); }
void frmSync::Option3_Click() { SaveMode(SyncMode::Manual); }

void frmSync::SaveMode(SyncMode mode) {
    const bool chosen = store_.Info().SyncMode != mode;  // not the load showing the stored mode
    store_.Info().SyncMode = mode;
    store_.SaveSetupInfo();
    if (chosen) lStartUp.SetCaption(startUp_.OfferLogonTask(store_.Info()));
}

void frmSync::timeLocal_Timer() {
    if (SyncDone) {
        if (store_.Info().SyncMode == SyncMode::StartUpAndHourly) ++HourTicks;
        if (HourTicks > kTicksPerHour) {
            HourTicks = 0;
            byUser_ = false;
            StartSync();
        }
        ShowLocalTime();
        return;
    }
    if (pauseTicks_ > 0) {  // between passes the failure stays on screen and the clock runs
        ShowLocalTime();
        if (--pauseTicks_ > 0) return;
        byUser_ = false;
        StartSync();
    } else if (WaitTicks >= kTicksPerAttempt) {
        if (passAttempts_ >= static_cast<std::int16_t>(kServerCount)) {
            EndPass();
            return;
        }
        StartSync();
    }
    ++WaitTicks;
}

// The user's own attempt starts afresh: a new pass, and the shortest pause
// should it fail.
void frmSync::cSyncro_Click() {
    passAttempts_ = failedPasses_ = pauseTicks_ = 0;
    byUser_ = true;
    StartSync();
}

void frmSync::StartSync() {
    cSyncro.SetCaption(kWaiting);
    cSyncro.SetEnabled(false);
    lInfo1.SetCaption(kStarting);
    SyncDone = false;
    WaitTicks = 0;
    ++passAttempts_;
    // Advanced before use, so the first attempt after the load goes to row 1.
    const bool wraps = ServerIndex < 0 || ServerIndex >= static_cast<std::int16_t>(kServerCount) - 1;
    ServerIndex = wraps ? std::int16_t{0} : static_cast<std::int16_t>(ServerIndex + 1);
    wskAtom_.Close();
    reply_.Clear();
    replyPending_ = true;
    (void)wskAtom_.Connect(ServerHost(ServerIndex), kDaytimePort, *this);  // a failure waits for the next row
}

void frmSync::OnData(std::string_view bytes) {
    if (!replyPending_) return;
    switch (reply_.Add(bytes)) {
        case ReplyGatherer::State::Gathering:
            return;
        case ReplyGatherer::State::LineEnded:
            UseReply(reply_.Line());
            return;
        case ReplyGatherer::State::Overflowed:
            // A flood without a line end is no daytime reply; stop reading it.
            replyPending_ = false;
            wskAtom_.Close();
            return;
    }
}

void frmSync::OnClosed() {
    if (replyPending_ && !reply_.Empty()) UseReply(reply_.Line());
    replyPending_ = false;
}

// A reply that fails the check is dropped: the attempt stays pending and the
// timer tries the next row. Only a checked reply reaches the clock.
void frmSync::UseReply(std::string_view line) {
    replyPending_ = false;
    const auto utc = ReadDaytimeLine(line);
    if (!utc) {
        wskAtom_.Close();
        return;
    }
    // A refused change still proves the servers reachable: the passes start afresh.
    passAttempts_ = failedPasses_ = 0;
    // Settled before any other event may run (Windows may let some through
    // while it asks for elevation): a tick in between would start another attempt.
    SyncDone = true;
    wskAtom_.Close();
    const std::string problem = SetClock(*utc);

    ShowLocalTime();
    cSyncro.SetCaption(kUpdate);
    cSyncro.SetEnabled(true);
    lInfo1.SetCaption(problem.empty() ? kLocalTime : problem);
}

// Automatic attempts never prompt: at logon there is no one who asked.
std::string frmSync::SetClock(OleDate utc) {
    if (elevation_.Elevated() || !byUser_) return std::string(ClockResultText(clockSetter_.SetUtc(utc)));
    const ClockRequest request{ToSeconds(utc), clock_.Monotonic().count()};
    const ElevatedResult result = elevation_.RunElevated(FormatOperation(request), {});
    switch (result.end) {
        case ElevatedEnd::Done:
            return {};
        case ElevatedEnd::Declined:
            return kDeclined;
        case ElevatedEnd::Refused:
            return result.report;
        case ElevatedEnd::Failed:
        case ElevatedEnd::Lost:
            break;
    }
    return "校时失败：" + result.report;
}

// A whole pass without a usable reply: the user hears of it and may try
// again, and the next pass waits a little longer than the last one did.
void frmSync::EndPass() {
    wskAtom_.Close();
    replyPending_ = false;
    pauseTicks_ = kPauseTicks[static_cast<std::size_t>(failedPasses_)];
    if (failedPasses_ + 1 < static_cast<int>(kPauseTicks.size())) ++failedPasses_;  // no further than the pauses need
    passAttempts_ = 0;
    cSyncro.SetCaption(kUpdate);
    cSyncro.SetEnabled(true);
    lInfo1.SetCaption(kNoServer);
    ShowLocalTime();
}

void frmSync::ShowLocalTime() { lLocalTime.SetCaption(ClockText(clock_.Now())); }

}  // namespace tavrin
