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

std::string NistLine(std::string_view date, std::string_view time, char health = '0') {
    return "\n61014 " + std::string(date) + " " + std::string(time) + " 00 0 " + health + " 123.4 UTC(NIST) * \n";
}

// The window and its ports; the local clock starts at 2026-12-06 20:00:00.
struct SyncRig : SettingsRig {
    FakeTcpClient socket;
    FakeClockSetter setter{clock};
    frmSync form{store, startUp, socket, setter, clock, elevation};

    explicit SyncRig(std::int16_t mode, bool load = true, bool elevated = true) : SettingsRig(elevated) {
        ResetSetupInfo(store.Info(), clock);
        store.Info().SyncMode = mode;
        if (load) form.Load();
    }
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i, clock.Advance(1s)) form.timeLocal.Tick();
    }
    std::size_t Attempts() const { return socket.attempts.size(); }
    std::string LastHost() const { return socket.attempts.empty() ? "" : socket.attempts.back().host; }
    // What the user sees: done or not, the button's caption and state, the status.
    std::string Look() const {
        return std::string(form.SyncDone ? "done " : "waiting ") + form.cSyncro.Caption() +
               (form.cSyncro.Enabled() ? " enabled " : " disabled ") + form.lInfo1.Caption();
    }
};

const std::string kWaiting = "waiting 等待网络数据 disabled 开始校时";
const std::string kDone = "done 更新系统时间 enabled 本地时间";
const std::string kFailed = "waiting 更新系统时间 enabled 校时失败：无法连接时间服务器";

TEST(SyncWindowLoad, EachModeShowsItselfAndOnlyAChangedSelectionSaves) {
    const struct {
        std::int16_t mode;
        int option;  // 1..3
        bool saves;
        std::string look;
    } cases[] = {{1, 1, true, kWaiting},  {2, 2, true, kWaiting},  {3, 3, false, kDone},
                 {0, 3, false, kWaiting}, {4, 3, false, kWaiting}, {-1, 3, false, kWaiting}};
    for (const auto& c : cases) {
        SyncRig rig(c.mode);
        const OptionButton* options[] = {&rig.form.Option1, &rig.form.Option2, &rig.form.Option3};
        EXPECT_EQ(rig.form.Frame2Options.Selected(), options[c.option - 1]) << "case: " << c.mode;
        EXPECT_EQ(rig.store.Info().SyncMode, c.mode) << "case: " << c.mode;
        EXPECT_EQ(rig.Stored(), c.saves ? rig.Info() : SetupInfo{}) << "case: " << c.mode;
        EXPECT_EQ(rig.Look(), c.look) << "case: " << c.mode;
        EXPECT_EQ((std::vector<int>{rig.form.HourTicks, rig.form.ServerIndex, rig.form.WaitTicks}),
                  (std::vector<int>{0, 0, 4}))
            << "case: " << c.mode;
        EXPECT_TRUE(rig.form.timeLocal.Enabled()) << "case: " << c.mode;
        EXPECT_EQ(rig.form.lLocalTime.Caption(), "20:00:00") << "case: " << c.mode;
        EXPECT_EQ(rig.Attempts(), 0u) << "case: " << c.mode;
    }
}

TEST(SyncWindowLoad, CaptionsAndTheHiddenListsAreExactAndEveryLoadFillsThemAfresh) {
    SyncRig rig(3, false);
    frmSync& f = rig.form;
    EXPECT_EQ((Texts{f.Caption(), f.Frame2.Caption(), f.Option1.Caption(), f.Option2.Caption(), f.Option3.Caption(),
                     f.cSyncro.Caption(), f.lLocalTime.Caption(), f.lInfo1.Caption()}),
              (Texts{"网络自动校时", "校时方式：", "开机启动并每小时校时", "开机启动自动校时", "手动校时",
                     "等待网络数据", "00:00:00", "开始校时"}));
    EXPECT_FALSE(f.cSyncro.Enabled());
    f.Load();
    EXPECT_FALSE(f.cmbServer.Visible() || f.cmbGMT.Visible());
    ASSERT_EQ(f.cmbServer.ListCount(), 12);
    EXPECT_EQ(f.cmbServer.ListIndex(), -1);
    EXPECT_EQ(f.cmbServer.List(0), "[time-a-g.nist.gov] NIST, Gaithersburg, Maryland");
    EXPECT_EQ(f.cmbServer.List(11), "[" + ServerHost(11) + "] Abovnet, San Jose, California");
    Texts offsets;
    for (int i = 0; i < f.cmbGMT.ListCount(); ++i) offsets.push_back(f.cmbGMT.List(i));
    EXPECT_EQ(offsets, (Texts{"[GMT -12 h.]", "[GMT -11 h.]", "[GMT -10 h.]", "[GMT -9 h.]",  "[GMT -8 h.]",
                              "[GMT -7 h.]",  "[GMT -6 h.]",  "[GMT -5 h.]",  "[GMT -4 h.]",  "[GMT -3 h.]",
                              "[GMT -2 h.]",  "[GMT -1 h.]",  "[GMT +0]",     "[GMT +1 h.]",  "[GMT +2 h.]",
                              "[GMT +3 h.]",  "[GMT +4 h.]",  "[GMT +5 h.]",  "[GMT +6 h.]",  "[GMT +7 h.]",
                              "[GMT +8 h.]",  "[GMT +9 h.]",  "[GMT +10 h.]", "[GMT +11 h.]", "[GMT +12 h.]"}));
    EXPECT_EQ(f.cmbGMT.ListIndex(), 20);
    EXPECT_EQ(f.Left() + f.Top(), 0);

    f.cmbGMT.Choose(3);  // every load selects +8 again, without doubling the lists
    f.cSyncro.Click();
    f.Unload();  // abandons the attempt under way
    EXPECT_FALSE(rig.socket.Open() || f.timeLocal.Enabled());
    f.Load();
    EXPECT_EQ(f.cmbGMT.ListIndex(), 20);
    EXPECT_EQ(f.cmbGMT.ListCount() + f.cmbServer.ListCount(), 25 + 12);
}

// After a pass over every row the button is the user's again, and the clock
// label runs while the next pass waits.
TEST(SyncWindowTicks, APassAsksEveryRowInTurnEveryFourTicksThenSaysItFailed) {
    SyncRig rig(2);
    for (int tick = 1; tick <= 48; ++tick) {
        rig.Tick();
        const std::size_t expected = 1 + static_cast<std::size_t>(tick - 1) / 4;
        ASSERT_EQ(rig.Attempts(), expected) << "case: tick " << tick;
        EXPECT_EQ(rig.LastHost(), ServerHost(static_cast<std::int16_t>(expected % 12))) << "case: tick " << tick;
        EXPECT_EQ(rig.socket.attempts.back().port, 13) << "case: tick " << tick;
        EXPECT_EQ(rig.Look(), kWaiting) << "case: tick " << tick;
    }
    EXPECT_EQ(rig.socket.attempts[11].host, ServerHost(0));
    EXPECT_EQ(rig.form.lLocalTime.Caption(), "20:00:00");  // not refreshed while waiting
    rig.Tick(10);                                          // the last row's four ticks end the pass
    EXPECT_EQ(rig.Look() + " " + rig.form.lLocalTime.Caption(), kFailed + " 20:00:57");
    EXPECT_FALSE(rig.socket.Open());
}

// Pauses of 1, 5 and 15 minutes, then hourly; a good reply or the button
// starts afresh with a whole pass and the shortest pause.
TEST(SyncWindowTicks, FailedPassesPauseLongerUpToAnHourUntilAGoodReplyOrTheButton) {
    SyncRig rig(1);
    const auto untilFailed = [&rig] {
        for (int i = 0; rig.Look() != kFailed && i < 60; ++i) rig.Tick();
    };
    std::vector<int> pauses;
    // From just after a pass's first attempt to the next pass's first attempt.
    const auto failPassThenPause = [&] {
        const std::size_t first = rig.Attempts();
        untilFailed();
        EXPECT_EQ(rig.Attempts() - first, 11u);
        int ticks = 0;
        for (; rig.Attempts() == first + 11 && ticks < 5000; ++ticks) rig.Tick();
        pauses.push_back(ticks);
    };
    rig.Tick();
    for (int pass = 0; pass < 5; ++pass) failPassThenPause();
    rig.socket.Send(NistLine("26-12-06", "12:00:00"));
    EXPECT_EQ(rig.Look(), kDone);
    rig.Tick(3601);  // the hourly sync finds no server
    failPassThenPause();
    untilFailed();
    rig.form.cSyncro.Click();
    failPassThenPause();
    EXPECT_EQ(pauses, (std::vector<int>{60, 300, 900, 3600, 3600, 60, 60}));
}

TEST(SyncWindowTicks, HourlyModeResyncsOnThe3601stTickSpentDoneAndAManualSyncDoesNotPostponeIt) {
    SyncRig rig(1);
    rig.Tick();
    rig.socket.Send(NistLine("26-12-06", "12:00:01"));
    rig.Tick(1000);
    rig.form.cSyncro.Click();
    rig.Tick(3);  // waiting ticks do not count
    rig.socket.Send(NistLine("26-12-06", "13:00:00"));
    EXPECT_EQ(rig.form.HourTicks, 1000);
    rig.Tick(2600);
    EXPECT_EQ(rig.Attempts(), 2u);
    rig.Tick();
    EXPECT_EQ(rig.Attempts(), 3u);
    EXPECT_EQ(rig.form.HourTicks, 0);
    rig.Tick(4);
    EXPECT_EQ(rig.Attempts(), 3u);
    rig.Tick();  // the fifth tick after an hourly attempt
    EXPECT_EQ(rig.Attempts(), 4u);
}

// Only the hourly mode connects again: the others, a damaged one included,
// stay done while the clock label runs; manual mode never connects at all.
TEST(SyncWindowTicks, OtherModesStayDoneAfterOneSuccess) {
    for (std::int16_t mode : {2, 3, 7}) {
        SyncRig rig(mode);
        rig.Tick();
        rig.socket.Send(NistLine("26-12-06", "12:00:01"));  // the time it is already
        rig.Tick(99);
        EXPECT_EQ(rig.form.lLocalTime.Caption(), "20:01:39") << "case: mode " << mode;
        rig.Tick(4000);
        EXPECT_EQ(rig.Attempts(), mode == 3 ? 0u : 1u) << "case: mode " << mode;
        EXPECT_EQ(rig.Look(), kDone) << "case: mode " << mode;
    }
}

// Choosing hourly starts an attempt about an hour later.
TEST(SyncWindowOptions, EachClickSavesItsModeAndChangesNothingElse) {
    SyncRig rig(3, false);
    SetupInfo& info = rig.store.Info();
    info.StartCloseTask = info.PowerKeysEnabled = info.VolumeKeysEnabled = 0;
    rig.form.Load();
    const struct {
        OptionButton& option;
        std::int16_t mode;
        bool runEntry;
    } cases[] = {{rig.form.Option2, 2, true}, {rig.form.Option3, 3, false}, {rig.form.Option1, 1, true}};
    for (const auto& c : cases) {
        c.option.Click();
        EXPECT_EQ(rig.Stored().SyncMode, c.mode) << "case: " << c.mode;
        EXPECT_EQ(rig.registry.Has(Hive::CurrentUser, kRunKey, kRunValue), c.runEntry) << "case: " << c.mode;
        EXPECT_EQ(rig.Look(), kDone) << "case: " << c.mode;
    }
    rig.Tick(3600);
    EXPECT_EQ(rig.Attempts(), 0u);
    rig.Tick();
    EXPECT_EQ(rig.LastHost(), ServerHost(1));
}

// Whole or in pieces, ended by the line end or by the server closing, or to
// an attempt the button started, there with another entry of the hidden list.
TEST(SyncReply, AGoodReplySetsTheClockToItsUtcMomentInOneCallAndEndsDone) {
    const std::string line = NistLine("26-12-05", "23:59:58");
    for (const std::string way : {"whole", "pieces, line end", "pieces, server closes", "button"}) {
        const bool button = way == "button";
        SyncRig rig(button ? 3 : 2);
        rig.form.cmbGMT.Choose(button ? 12 : 20);
        button ? rig.form.cSyncro.Click() : rig.Tick();
        EXPECT_EQ(rig.Look(), kWaiting) << "case: " << way;
        EXPECT_EQ(rig.LastHost(), ServerHost(1)) << "case: " << way;
        if (!way.starts_with("pieces")) rig.socket.Send(line);
        for (std::size_t at = 0; way.starts_with("pieces") && at + 1 < line.size(); at += 5)
            rig.socket.Send(line.substr(at, 5));
        EXPECT_EQ(rig.setter.calls.size(), way.starts_with("pieces") ? 0u : 1u) << "case: " << way;
        if (way == "pieces, line end") rig.socket.Send("\n");
        if (way == "pieces, server closes") rig.socket.ServerCloses();
        EXPECT_EQ(rig.setter.calls, Texts{"utc 2026-12-05 23:59:58"}) << "case: " << way;
        EXPECT_EQ(rig.Look(), kDone) << "case: " << way;
        EXPECT_EQ(rig.form.lLocalTime.Caption(), "07:59:58") << "case: " << way;  // the fake's zone is +8
        EXPECT_FALSE(rig.socket.Open()) << "case: " << way;
    }
}

// A reply that fails the check, or a connection that fails or cannot even
// start, is left to the timer: the next row's good reply is used alone.
TEST(SyncReply, BadRepliesNeverTouchTheClockAndTheRotationGoesOn) {
    const std::string good = NistLine("26-12-05", "23:59:58");
    enum class End { None, Silent, ServerCloses, Fails, NoStart };
    const struct {
        const char* name;
        Texts chunks;
        End end;
    } cases[] = {
        {"empty", {}, End::ServerCloses},
        {"short", {good.substr(0, 23)}, End::ServerCloses},
        {"short and split", {good.substr(0, 9), good.substr(9, 9)}, End::ServerCloses},
        {"short line", {"\n61014 26-12-05 23:59\n"}, End::None},
        {"31 February", {NistLine("26-02-31", "23:59:58")}, End::None},
        {"unhealthy", {NistLine("26-12-05", "23:59:58", '2')}, End::None},
        {"no leading line feed", {good.substr(1)}, End::None},
        {"1 MB flood", {std::string(1 << 20, '1')}, End::None},
        {"good line after a flood", {std::string(300, 'x'), good}, End::None},
        {"unfinished", {"\n61014 26-12-05 23:5"}, End::Silent},
        {"connection fails", {}, End::Fails},
        {"connection cannot start", {good}, End::NoStart},
    };
    for (const auto& c : cases) {
        SyncRig rig(2);
        rig.socket.startSucceeds = c.end != End::NoStart;
        rig.Tick();
        rig.socket.startSucceeds = true;
        for (const std::string& chunk : c.chunks) rig.socket.Send(chunk);
        if (c.end == End::ServerCloses) rig.socket.ServerCloses();
        if (c.end == End::Fails) rig.socket.Fail();
        EXPECT_TRUE(rig.setter.calls.empty()) << "case: " << c.name;
        EXPECT_EQ(rig.Look(), kWaiting) << "case: " << c.name;
        EXPECT_EQ(rig.socket.Open(), c.end == End::Silent) << "case: " << c.name;  // a flood is cut off
        rig.Tick(4);
        EXPECT_EQ(rig.LastHost(), ServerHost(2)) << "case: " << c.name;
        rig.socket.Send(NistLine("26-12-05", "10:20:30"));
        EXPECT_EQ(rig.setter.calls, Texts{"utc 2026-12-05 10:20:30"}) << "case: " << c.name;
    }
}

TEST(SyncReply, ARefusedChangeSaysSoAndTheWindowStaysUsable) {
    const struct {
        ClockStatus result;
        std::string status;
    } cases[] = {
        {ClockStatus::Refused, "校时失败：无权修改系统时间"},
        {ClockStatus::Failed, "校时失败：无法修改系统时间"},
    };
    for (const auto& c : cases) {
        SyncRig rig(1);
        rig.setter.status = c.result;
        rig.Tick();
        rig.socket.Send(NistLine("26-12-05", "23:59:58"));
        EXPECT_EQ(rig.setter.calls, Texts{"utc 2026-12-05 23:59:58"}) << "case: " << c.status;
        EXPECT_EQ(rig.Look(), "done 更新系统时间 enabled " + c.status);
        rig.Tick(3601);  // the next attempt follows the hourly rule
        EXPECT_EQ(rig.Attempts(), 2u) << "case: " << c.status;
    }
}

// Without rights: the button carries the shield and its sync sets the clock
// through an elevated copy, with the server's time and when it was read; the
// automatic attempts never ask and say what Windows refused.
TEST(SyncReply, WithoutRightsTheButtonsSyncGoesThroughTheElevatedCopy) {
    const struct {
        ElevatedResult answer;
        std::string status;
    } cases[] = {
        {{ElevatedEnd::Done, {}}, "本地时间"},
        {{ElevatedEnd::Declined, {}}, "已取消：系统时间未修改"},
        {{ElevatedEnd::Failed, "提升权限的副本没有应答"}, "校时失败：提升权限的副本没有应答"},
    };
    for (const auto& c : cases) {
        SyncRig rig(3, true, false);
        EXPECT_TRUE(rig.form.cSyncro.Shield);
        rig.elevation.answer = c.answer;
        rig.form.cSyncro.Click();
        rig.clock.Advance(2s);
        rig.socket.Send(NistLine("26-12-05", "23:59:58"));
        const auto utc = ToSeconds(MakeDateTime(std::chrono::year{2026} / 12 / 5, 23h + 59min + 58s));
        EXPECT_EQ(rig.elevation.runs,
                  (std::vector<FakeElevation::Run>{{"clock " + std::to_string(utc) + " 1002000", ""}}));
        EXPECT_TRUE(rig.setter.calls.empty());
        EXPECT_EQ(rig.Look(), "done 更新系统时间 enabled " + c.status);
    }
    SyncRig standardUser(3, true, false);
    standardUser.form.Option2.Click();  // the pane says what the choice cannot do
    EXPECT_EQ(standardUser.form.lStartUp.Caption(), "自动校时需要管理员权限：此帐户登录后无法修改系统时间。");
    SyncRig automatic(2, true, false);
    automatic.setter.status = ClockStatus::Refused;
    automatic.Tick();
    automatic.socket.Send(NistLine("26-12-05", "23:59:58"));
    EXPECT_TRUE(automatic.elevation.runs.empty());
    EXPECT_EQ(automatic.Look(), "done 更新系统时间 enabled 校时失败：无权修改系统时间");
}

}  // namespace
}  // namespace tavrin
