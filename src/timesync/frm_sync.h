#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/tcp_client.h"
#include "settings/sync_mode.h"
#include "timesync/reply_gatherer.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tavrin {

class Clock;
class ClockSetter;
class Elevation;
class SetupStore;
class StartWithWindows;

inline constexpr std::uint16_t kDaytimePort = 13;

// Sets the clock from the Daytime servers: by hand, once at start-up, or at
// start-up and every hour. Loaded at every start, shown or not, because its
// timer is what starts the automatic attempts.
class frmSync : public Form, private TcpClient::Listener {
public:
    frmSync(SetupStore& store, StartWithWindows& startUp, TcpClient& wskAtom, ClockSetter& clockSetter,
            const Clock& clock, Elevation& elevation);
    ~frmSync() override;

    Frame Frame2{"校时方式："};
    OptionGroup Frame2Options;
    OptionButton Option1{Frame2Options, "开机启动并每小时校时"};
    OptionButton Option2{Frame2Options, "开机启动自动校时"};
    OptionButton Option3{Frame2Options, "手动校时", true};

    Frame Frame1;
    ComboBox cmbServer;  // never shown: the rows are visited in turn
    ComboBox cmbGMT;     // never shown; the clock is set in UTC, so it decides nothing
    Timer timeLocal{*this};
    CommandButton cSyncro{"等待网络数据"};
    Label lLocalTime{"00:00:00"};
    Label lInfo1{"开始校时"};
    Label lStartUp;  // what starting at logon can and cannot do for the sync

    // True when no automatic attempt is pending.
    bool SyncDone = false;
    // Ticks since the current attempt began, while waiting.
    std::int16_t WaitTicks = 0;
    // Row of the server table that the current attempt went to.
    std::int16_t ServerIndex = 0;
    // Ticks spent synchronised in hourly mode.
    std::int16_t HourTicks = 0;

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void timeLocal_Timer();
    void cSyncro_Click();
    // Begins one attempt with the next row of the server table.
    void StartSync();

protected:
    void OnLoad() override;
    void OnUnload() override;

private:
    void OnData(std::string_view bytes) override;
    void OnClosed() override;
    void OnFailed() override {}  // the timer moves on to the next row

    void UseReply(std::string_view line);
    // The clock set here, or by an elevated copy when the user asked and
    // this token may not; the status line's text, empty when it worked.
    std::string SetClock(OleDate utc);
    void EndPass();
    void SaveMode(SyncMode mode);
    void ShowLocalTime();

    SetupStore& store_;
    StartWithWindows& startUp_;
    TcpClient& wskAtom_;
    ClockSetter& clockSetter_;
    const Clock& clock_;
    Elevation& elevation_;
    ReplyGatherer reply_;
    bool byUser_ = false;        // the current pass began with the button
    bool replyPending_ = false;  // the current connection has not yet given its verdict
    // Attempts begun in the current pass over the server table.
    std::int16_t passAttempts_ = 0;
    // Passes in a row without a usable reply, up to the longest pause.
    std::int16_t failedPasses_ = 0;
    // Ticks left before the next pass, after a failed one.
    std::int16_t pauseTicks_ = 0;
};

}  // namespace tavrin
