#include "timesync/frm_sync.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_clock_setter.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/settings_rig.h"
#include "timesync/server_table.h"

namespace tavrin {
namespace {

using namespace testing;
using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

std::string NistLine(std::string_view time, char health = '0') {
    return "\n61014 26-12-05 " + std::string(time) + " 00 0 " + health + " 123.4 UTC(NIST) * \n";
}
const std::string kGood = NistLine("23:59:58");
const std::int64_t kGoodUtc = ToSeconds(MakeDateTime(std::chrono::year{2026} / 12 / 5, 23h + 59min + 58s));

// The window and its ports; the local clock starts at 2026-12-06 20:00:00.
struct SyncRig : SettingsRig {
    FakeTcpClient socket;
    FakeClockSetter setter{clock};
    frmSync form{store, startUp, socket, setter, clock, elevation};

    explicit SyncRig(std::int16_t mode, bool elevated = true) : SettingsRig(elevated) {
        ResetSetupInfo(store.Info(), clock);
        store.Info().SyncMode = static_cast<SyncMode>(mode);
        form.Load();
    }
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i, clock.Advance(1s)) form.timeLocal.Tick();
    }
    // Done or waiting, the button's caption (and whether it is off), the line under it.
    std::string Look() const {
        return (form.SyncDone ? "done " : "waiting ") + form.cSyncro.Caption() +
               (form.cSyncro.Enabled() ? " " : " (off) ") + form.lInfo1.Caption();
    }
};

const std::string kWaiting = "waiting 等待网络数据 (off) 开始校时";
const std::string kDone = "done 更新系统时间 本地时间";
const std::string kFailed = "waiting 更新系统时间 校时失败：无法连接时间服务器";

// A damaged mode keeps the built selection and is neither saved nor changed.
TEST(SyncWindowLoad, EachModeShowsItselfAndADamagedOneIsKept) {
    const struct {
        std::int16_t mode;
        int option;
        bool saves;
        std::string look;
    } cases[] = {{1, 0, true, kWaiting}, {2, 1, true, kWaiting}, {3, 2, false, kDone}, {7, 2, false, kWaiting}};
    for (const auto& c : cases) {
        SCOPED_TRACE("case: mode " + std::to_string(c.mode));
        SyncRig rig(c.mode, false);
        const OptionButton* options[] = {&rig.form.Option1, &rig.form.Option2, &rig.form.Option3};
        EXPECT_EQ(rig.form.Frame2Options.Selected(), options[c.option]);
        EXPECT_EQ(rig.Stored(), c.saves ? rig.Info() : SetupInfo{});
        EXPECT_EQ(static_cast<int>(rig.Info().SyncMode), c.mode);
        EXPECT_EQ(rig.Look() + rig.form.lStartUp.Caption(), c.look);
        rig.form.Option1.Click();
        EXPECT_EQ(rig.Stored().SyncMode, SyncMode::StartUpAndHourly);
        EXPECT_EQ(rig.form.lStartUp.Caption().empty(), c.mode == 1);  // a choice, not the load
    }
}

// Every fourth tick the next row; after a pass over every row the button is
// the user's again. Pauses of 1, 5 and 15 minutes, then hourly; a good reply
// or the button starts afresh with the shortest pause.
TEST(SyncWindowTicks, FailedPassesAskEveryRowThenPauseLongerUntilAGoodReplyOrTheButton) {
    SyncRig rig(1);
    rig.Tick(48);
    Texts rows;
    for (std::int16_t row = 1; row <= 12; ++row) rows.push_back(ServerHost(row % 12));
    EXPECT_EQ(rig.socket.attempts, rows);
    EXPECT_FALSE(rows.back().empty());  // the first row is a server too
    EXPECT_EQ(rig.Look(), kWaiting);
    std::vector<int> pauses;
    const auto untilFailed = [&rig] {
        for (int i = 0; rig.Look() != kFailed && i < 60; ++i) rig.Tick();
    };
    const auto failPassThenPause = [&] {
        untilFailed();
        const std::size_t before = rig.socket.attempts.size();
        int ticks = 0;
        for (; rig.socket.attempts.size() == before && ticks < 5000; ++ticks) rig.Tick();
        pauses.push_back(ticks);
    };
    for (int pass = 0; pass < 5; ++pass) failPassThenPause();
    rig.socket.Send(NistLine("12:00:00"));
    EXPECT_EQ(rig.Look(), kDone);
    rig.Tick(3601);  // the hourly sync finds no server
    failPassThenPause();
    untilFailed();
    rig.form.cSyncro.Click();
    failPassThenPause();
    EXPECT_EQ(pauses, (std::vector<int>{60, 300, 900, 3600, 3600, 60, 60}));
    EXPECT_EQ(rig.Look(), kWaiting);  // the next pass
}

// A line in pieces is used at its end or the server's close, once, in UTC.
// Anything else is left to the timer, whose next row's good reply is used.
TEST(SyncReply, OnlyAWholeLineFromAHealthyServerSetsTheClock) {
    const std::string body = kGood.substr(0, kGood.size() - 1);
    const struct {
        const char* name;
        Texts chunks;
        bool closes, sets;
    } cases[] = {
        {"pieces, line end", {body.substr(0, 9), body.substr(9), "\r"}, false, true},
        {"pieces, server closes", {body.substr(0, 9), body.substr(9)}, true, true},
        {"cut after its time", {kGood.substr(0, 24) + "\r"}, false, true},
        {"filling the room, server closes", {body + std::string(256 - body.size(), ' ')}, true, true},
        {"server off its time", {NistLine("23:59:58", '1')}, false, false},
        {"good line after a flood", {std::string(300, 'x'), kGood}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("case: ") + c.name);
        SyncRig rig(2);
        rig.Tick();
        for (const std::string& chunk : c.chunks) rig.socket.Send(chunk);
        if (c.closes) rig.socket.ServerCloses();
        EXPECT_FALSE(rig.socket.Open());
        if (!c.sets) {
            EXPECT_EQ(rig.Look() + std::to_string(rig.setter.calls.size()), kWaiting + "0");
            rig.Tick(4);
            EXPECT_EQ(rig.socket.attempts.back(), ServerHost(2));
            rig.socket.Send(kGood);
        }
        EXPECT_EQ(rig.setter.calls, std::vector{kGoodUtc});
        EXPECT_EQ(rig.Look() + " " + rig.form.lLocalTime.Caption(), kDone + " 07:59:58");
    }
}

// Without rights the button carries the shield and its sync goes through an
// elevated copy, with the server's time and when it was read; automatic
// attempts never ask, and say what Windows refused. Only the hourly mode
// syncs again once done.
TEST(SyncReply, RefusalsAndTheElevatedCopySayHowTheChangeEnded) {
    const struct {
        bool elevated, byButton;
        ElevatedResult answer;
        std::string shown;
    } cases[] = {
        {true, false, {}, "校时失败：无权修改系统时间"},
        {false, false, {}, "校时失败：无权修改系统时间"},
        {false, true, {ElevatedEnd::Done, {}}, "本地时间"},
        {false, true, {ElevatedEnd::Declined, {}}, "已取消：系统时间未修改"},
        {false, true, {ElevatedEnd::Failed, "无应答"}, "校时失败：无应答"},
    };
    for (const auto& c : cases) {
        SyncRig rig(c.byButton ? 3 : 2, c.elevated);
        EXPECT_EQ(rig.form.cSyncro.Shield, !c.elevated);
        rig.setter.status = ClockStatus::Refused;
        rig.elevation.answer = c.answer;
        c.byButton ? rig.form.cSyncro.Click() : rig.Tick();
        rig.clock.Advance(2s);
        rig.socket.Send(kGood);
        const std::string run =
            "clock " + std::to_string(kGoodUtc) + " " + std::to_string(rig.clock.Monotonic().count());
        using Runs = std::vector<FakeElevation::Run>;
        EXPECT_EQ(rig.elevation.runs, (c.byButton ? Runs{{run, ""}} : Runs{})) << "case: " << c.shown;
        EXPECT_EQ(rig.setter.calls.size(), c.byButton ? 0u : 1u) << "case: " << c.shown;
        rig.Tick(3602);
        EXPECT_EQ(rig.Look() + std::to_string(rig.socket.attempts.size()), "done 更新系统时间 " + c.shown + "1");
    }
}

}  // namespace
}  // namespace tavrin
