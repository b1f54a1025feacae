#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/setup_store.h"
#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_clock_setter.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_tcp_client.h"
#include "timesync/frm_sync.h"
#include "timesync/server_table.h"

namespace tavrin {
namespace {

using namespace testing;
using namespace std::chrono_literals;

std::string NistLine(std::string_view date, std::string_view time, char health = '0') {
    return "\n61014 " + std::string(date) + " " + std::string(time) + " 00 0 " + health + " 123.4 UTC(NIST) * \n";
}

// The window with its ports, started at 2026-12-06 20:00:00 local time.
struct SyncRig {
    FakeRegistry registry;
    FakeApplication app;
    FakeClock clock;
    SetupStore store{registry, app, clock};
    FakeTcpClient socket;
    FakeClockSetter setter{clock};
    frmSync form{store, socket, setter, clock};

    explicit SyncRig(std::int16_t mode) {
        ResetSetupInfo(store.Info(), clock);
        store.Info().SyncMode = mode;
    }
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            clock.Advance(1s);
            form.timeLocal.Tick();
        }
    }
    std::size_t Attempts() const { return socket.attempts.size(); }
    std::string LastHost() const { return socket.attempts.empty() ? "" : socket.attempts.back().host; }
    std::optional<std::int16_t> SavedMode() const {
        const auto bytes = registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue);
        if (!bytes || bytes->size() != SetupInfo::kSize) return std::nullopt;
        return static_cast<std::int16_t>((*bytes)[42] | (*bytes)[43] << 8);
    }
    // Loads in a mode that starts by itself and answers the first attempt.
    void LoadAndSync() {
        form.Load();
        Tick();
        socket.Send(NistLine("26-12-06", "12:00:01"));
    }
    void ExpectWaiting(const std::string& what) const {
        EXPECT_FALSE(form.SyncDone) << what;
        EXPECT_EQ(form.cSyncro.Caption(), "等待网络数据") << what;
        EXPECT_FALSE(form.cSyncro.Enabled()) << what;
        EXPECT_EQ(form.lInfo1.Caption(), "开始校时") << what;
    }
    void ExpectDone(const std::string& status, const std::string& what) const {
        EXPECT_TRUE(form.SyncDone) << what;
        EXPECT_EQ(form.cSyncro.Caption(), "更新系统时间") << what;
        EXPECT_TRUE(form.cSyncro.Enabled()) << what;
        EXPECT_EQ(form.lInfo1.Caption(), status) << what;
    }
};

TEST(SyncWindowBuilt, ControlsStartAsBuiltWithTheListsHidden) {
    SyncRig rig(3);
    const frmSync& f = rig.form;
    EXPECT_EQ(f.Caption(), "网络自动校时");
    EXPECT_EQ(f.Frame2.Caption(), "校时方式：");
    EXPECT_EQ(f.Option1.Caption(), "开机启动并每小时校时");
    EXPECT_EQ(f.Option2.Caption(), "开机启动自动校时");
    EXPECT_EQ(f.Option3.Caption(), "手动校时");
    EXPECT_EQ(f.Frame2Options.Selected(), &f.Option3);
    EXPECT_EQ(f.Frame1.Caption(), "");
    EXPECT_FALSE(f.cmbServer.Visible());
    EXPECT_FALSE(f.cmbGMT.Visible());
    EXPECT_FALSE(f.timeLocal.Enabled());
    EXPECT_EQ(f.timeLocal.Interval(), 1000u);
    EXPECT_EQ(f.cSyncro.Caption(), "等待网络数据");
    EXPECT_FALSE(f.cSyncro.Enabled());
    EXPECT_EQ(f.lLocalTime.Caption(), "00:00:00");
    EXPECT_EQ(f.lInfo1.Caption(), "开始校时");
}

TEST(SyncWindowLoad, EachModeShowsItselfAndOnlyAChangedSelectionSaves) {
    struct Case {
        std::int16_t mode;
        const OptionButton* (*option)(const frmSync&);
        bool saves;
        bool done;
    };
    const Case cases[] = {
        {1, [](const frmSync& f) { return &f.Option1; }, true, false},
        {2, [](const frmSync& f) { return &f.Option2; }, true, false},
        {3, [](const frmSync& f) { return &f.Option3; }, false, true},
        {0, [](const frmSync& f) { return &f.Option3; }, false, false},
        {4, [](const frmSync& f) { return &f.Option3; }, false, false},
        {-1, [](const frmSync& f) { return &f.Option3; }, false, false},
    };
    for (const Case& c : cases) {
        SyncRig rig(c.mode);
        rig.form.Load();
        const std::string what = "case: mode " + std::to_string(c.mode);
        EXPECT_EQ(rig.form.Frame2Options.Selected(), c.option(rig.form)) << what;
        EXPECT_EQ(rig.store.Info().SyncMode, c.mode) << what;
        EXPECT_EQ(rig.SavedMode(), c.saves ? std::optional<std::int16_t>(c.mode) : std::nullopt) << what;
        if (c.done)
            rig.ExpectDone("本地时间", what);
        else
            rig.ExpectWaiting(what);
        EXPECT_EQ(rig.form.HourTicks, 0) << what;
        EXPECT_EQ(rig.form.ServerIndex, 0) << what;
        EXPECT_EQ(rig.form.WaitTicks, 4) << what;
        EXPECT_TRUE(rig.form.timeLocal.Enabled()) << what;
        EXPECT_EQ(rig.form.lLocalTime.Caption(), "20:00:00") << what;
        EXPECT_EQ(rig.Attempts(), 0u) << what;
    }
}

TEST(SyncWindowLoad, TheModeIsSavedBeforeTheWindowMovesToTheCorner) {
    struct MoveProbe final : FormView {
        FakeRegistry* registry = nullptr;
        std::vector<std::string> trace;
        void MoveTo(int left, int top) override {
            trace.push_back("move " + std::to_string(left) + "," + std::to_string(top) + " after " +
                            std::to_string(registry->writes) + " writes");
        }
    } probe;
    SyncRig rig(1);
    probe.registry = &rig.registry;
    rig.form.Bind(&probe);
    rig.form.Load();
    EXPECT_EQ(probe.trace, std::vector<std::string>{"move 0,0 after 2 writes"});  // the record and the Run entry
}

TEST(SyncWindowLoad, ListsHoldTheServerRowsAndTheTwentyFiveOffsets) {
    SyncRig rig(3);
    rig.form.Load();
    const ComboBox& servers = rig.form.cmbServer;
    ASSERT_EQ(servers.ListCount(), 12);
    EXPECT_EQ(servers.ListIndex(), -1);
    EXPECT_EQ(servers.List(0), "[time-a-g.nist.gov] NIST, Gaithersburg, Maryland");
    for (std::int16_t row = 0; row < 12; ++row)
        EXPECT_EQ(servers.List(row), "[" + ServerHost(row) + "] " + ServerLocation(row)) << "case: " << row;

    std::vector<std::string> offsets;
    for (int i = 0; i < rig.form.cmbGMT.ListCount(); ++i) offsets.push_back(rig.form.cmbGMT.List(i));
    EXPECT_EQ(offsets, (std::vector<std::string>{
                           "[GMT -12 h.]", "[GMT -11 h.]", "[GMT -10 h.]", "[GMT -9 h.]", "[GMT -8 h.]",
                           "[GMT -7 h.]",  "[GMT -6 h.]",  "[GMT -5 h.]",  "[GMT -4 h.]", "[GMT -3 h.]",
                           "[GMT -2 h.]",  "[GMT -1 h.]",  "[GMT +0]",     "[GMT +1 h.]", "[GMT +2 h.]",
                           "[GMT +3 h.]",  "[GMT +4 h.]",  "[GMT +5 h.]",  "[GMT +6 h.]", "[GMT +7 h.]",
                           "[GMT +8 h.]",  "[GMT +9 h.]",  "[GMT +10 h.]", "[GMT +11 h.]", "[GMT +12 h.]"}));
    EXPECT_EQ(rig.form.cmbGMT.ListIndex(), 20);
    EXPECT_EQ(rig.form.UtcOffsetHours(), 8);
}

TEST(SyncWindowLoad, EveryLoadSelectsPlusEightAgainWithoutDoublingTheLists) {
    SyncRig rig(3);
    rig.form.Load();
    rig.form.cmbGMT.Choose(3);
    EXPECT_EQ(rig.form.UtcOffsetHours(), -9);
    rig.form.Unload();
    rig.form.Load();
    EXPECT_EQ(rig.form.cmbGMT.ListIndex(), 20);
    EXPECT_EQ(rig.form.cmbGMT.ListCount(), 25);
    EXPECT_EQ(rig.form.cmbServer.ListCount(), 12);
}

TEST(SyncWindowTicks, ManualModeNeverConnectsAndTheClockLabelRuns) {
    SyncRig rig(3);
    rig.form.Load();
    rig.Tick(10);
    EXPECT_EQ(rig.Attempts(), 0u);
    EXPECT_EQ(rig.form.lLocalTime.Caption(), "20:00:10");
    EXPECT_EQ(rig.form.HourTicks, 0);
}

TEST(SyncWindowTicks, UnansweredAttemptsVisitTheRowsInTurnEveryFourTicks) {
    SyncRig rig(2);
    rig.form.Load();
    for (int tick = 1; tick <= 53; ++tick) {
        rig.Tick();
        const std::size_t expected = 1 + static_cast<std::size_t>(tick - 1) / 4;
        ASSERT_EQ(rig.Attempts(), expected) << "case: tick " << tick;
        EXPECT_EQ(rig.LastHost(), ServerHost(static_cast<std::int16_t>(expected % 12))) << "case: tick " << tick;
        EXPECT_EQ(rig.socket.attempts.back().port, 13) << "case: tick " << tick;
        rig.ExpectWaiting("tick " + std::to_string(tick));
    }
    EXPECT_EQ(rig.socket.attempts[0].host, ServerHost(1));
    EXPECT_EQ(rig.socket.attempts[11].host, ServerHost(0));
    EXPECT_EQ(rig.form.lLocalTime.Caption(), "20:00:00");  // not refreshed while waiting
}

TEST(SyncWindowTicks, AnAttemptFromTheButtonIsRetriedOnTheFifthTick) {
    SyncRig rig(3);
    rig.form.Load();
    rig.form.cSyncro.Click();
    EXPECT_EQ(rig.LastHost(), ServerHost(1));
    rig.ExpectWaiting("after the click");
    rig.Tick(4);
    EXPECT_EQ(rig.Attempts(), 1u);
    rig.Tick();
    EXPECT_EQ(rig.Attempts(), 2u);
    EXPECT_EQ(rig.LastHost(), ServerHost(2));
    rig.Tick(4);
    EXPECT_EQ(rig.Attempts(), 3u);
}

TEST(SyncWindowTicks, HourlyModeResyncsOnThe3601stTickSpentDone) {
    SyncRig rig(1);
    rig.LoadAndSync();
    ASSERT_TRUE(rig.form.SyncDone);
    rig.Tick(3600);
    EXPECT_EQ(rig.Attempts(), 1u);
    EXPECT_EQ(rig.form.HourTicks, 3600);
    rig.Tick();
    EXPECT_EQ(rig.Attempts(), 2u);
    EXPECT_EQ(rig.LastHost(), ServerHost(2));
    EXPECT_EQ(rig.form.HourTicks, 0);
    rig.ExpectWaiting("hourly attempt");
    rig.Tick(4);  // waiting ticks do not count towards the hour
    EXPECT_EQ(rig.form.HourTicks, 0);
    EXPECT_EQ(rig.Attempts(), 2u);
    rig.Tick();
    EXPECT_EQ(rig.Attempts(), 3u);  // the fifth tick after an hourly attempt
}

TEST(SyncWindowTicks, AManualSyncDoesNotPostponeTheHourlyOne) {
    SyncRig rig(1);
    rig.LoadAndSync();
    rig.Tick(1000);
    rig.form.cSyncro.Click();
    rig.socket.Send(NistLine("26-12-06", "13:00:00"));
    ASSERT_TRUE(rig.form.SyncDone);
    EXPECT_EQ(rig.form.HourTicks, 1000);
    rig.Tick(2600);
    EXPECT_EQ(rig.Attempts(), 2u);
    rig.Tick();
    EXPECT_EQ(rig.Attempts(), 3u);
}

TEST(SyncWindowTicks, StartUpModesStayDoneAfterOneSuccess) {
    for (std::int16_t mode : {2, 7}) {
        SyncRig rig(mode);
        rig.LoadAndSync();
        rig.Tick(4000);
        EXPECT_EQ(rig.Attempts(), 1u) << "case: mode " << mode;
        EXPECT_EQ(rig.form.HourTicks, 0) << "case: mode " << mode;
        rig.ExpectDone("本地时间", "mode " + std::to_string(mode));
    }
}

TEST(SyncWindowTicks, ChoosingHourlyWhileDoneStartsAnAttemptAboutAnHourLater) {
    SyncRig rig(3);
    rig.form.Load();
    rig.Tick(100);
    rig.form.Option1.Click();
    EXPECT_EQ(rig.Attempts(), 0u);
    rig.Tick(3600);
    EXPECT_EQ(rig.Attempts(), 0u);
    rig.Tick();
    EXPECT_EQ(rig.LastHost(), ServerHost(1));
}

TEST(SyncWindowTicks, StartSyncWrapsTheRowAfterEleven) {
    for (std::int16_t before : {11, 12, -1, 32767}) {
        SyncRig rig(3);
        rig.form.Load();
        rig.form.ServerIndex = before;
        rig.form.StartSync();
        EXPECT_EQ(rig.form.ServerIndex, 0) << "case: " << before;
        EXPECT_EQ(rig.LastHost(), ServerHost(0)) << "case: " << before;
    }
}

TEST(SyncWindowOptions, EachClickSavesItsModeAndChangesNothingElse) {
    SyncRig rig(3);
    SetupInfo& info = rig.store.Info();
    info.StartCloseTask = info.PowerKeysEnabled = info.VolumeKeysEnabled = 0;
    rig.form.Load();
    rig.Tick(7);
    const struct {
        OptionButton& option;
        std::int16_t mode;
        bool runEntry;
    } cases[] = {{rig.form.Option1, 1, true}, {rig.form.Option2, 2, true}, {rig.form.Option3, 3, false}};
    for (const auto& c : cases) {
        c.option.Click();
        EXPECT_EQ(rig.SavedMode(), c.mode) << "case: " << c.mode;
        EXPECT_EQ(rig.registry.Has(Hive::LocalMachine, kRunKey, kRunValue), c.runEntry) << "case: " << c.mode;
        const int writes = rig.registry.writes;
        c.option.Click();
        EXPECT_EQ(rig.registry.writes, writes) << "case: " << c.mode << " clicked again";
        rig.ExpectDone("本地时间", "mode " + std::to_string(c.mode));
        EXPECT_EQ(rig.form.HourTicks, 0) << "case: " << c.mode;
        EXPECT_EQ(rig.form.ServerIndex, 0) << "case: " << c.mode;
        EXPECT_EQ(rig.Attempts(), 0u) << "case: " << c.mode;
    }
}

TEST(SyncReply, AGoodReplySetsTheDateThenTheTimeAndEndsDone) {
    SyncRig rig(2);
    rig.form.Load();
    rig.Tick();
    rig.socket.Accept();
    rig.socket.Send(NistLine("26-12-05", "23:59:58"));
    EXPECT_EQ(rig.setter.calls, (std::vector<std::string>{"date 2026-12-06", "time 07:59:58"}));
    rig.ExpectDone("本地时间", "good reply");
    EXPECT_EQ(rig.form.lLocalTime.Caption(), "07:59:58");
    EXPECT_FALSE(rig.socket.Open());

    rig.form.cSyncro.Click();  // a new attempt with the next row
    rig.ExpectWaiting("clicked after the update");
    EXPECT_EQ(rig.LastHost(), ServerHost(2));
}

TEST(SyncReply, TheHiddenOffsetListDecidesTheShift) {
    for (const auto& [entry, calls] : std::vector<std::pair<int, std::vector<std::string>>>{
             {12, {"date 2026-12-05", "time 03:04:05"}}, {0, {"date 2026-12-04", "time 15:04:05"}}}) {
        SyncRig rig(2);
        rig.form.Load();
        rig.form.cmbGMT.Choose(entry);
        rig.Tick();
        rig.socket.Send(NistLine("26-12-05", "03:04:05"));
        EXPECT_EQ(rig.setter.calls, calls) << "case: entry " << entry;
    }
}

TEST(SyncReply, ASplitReplyIsGatheredUntilTheLineEndsOrTheServerCloses) {
    const std::string line = NistLine("26-12-05", "23:59:58");
    {
        SyncRig rig(2);
        rig.form.Load();
        rig.Tick();
        for (std::size_t at = 0; at + 1 < line.size(); at += 5) rig.socket.Send(line.substr(at, 5));
        EXPECT_TRUE(rig.setter.calls.empty()) << "case: before the line end";
        rig.socket.Send(line.substr(line.size() - 1));
        EXPECT_EQ(rig.setter.calls.size(), 2u) << "case: after the line end";
    }
    {
        SyncRig rig(2);
        rig.form.Load();
        rig.Tick();
        rig.socket.Send(line.substr(0, 20));
        rig.socket.Send(line.substr(20, 20));
        rig.socket.ServerCloses();
        EXPECT_EQ(rig.setter.calls.size(), 2u) << "case: closed without a line end";
        rig.ExpectDone("本地时间", "closed without a line end");
    }
}

TEST(SyncReply, BadRepliesNeverTouchTheClockAndTheRotationGoesOn) {
    const std::string good = NistLine("26-12-05", "23:59:58");
    const struct {
        const char* name;
        std::vector<std::string> chunks;
        bool serverCloses;
    } cases[] = {
        {"empty", {}, true},
        {"only the leading line feed", {"\n"}, true},
        {"short", {good.substr(0, 23)}, true},
        {"short and split", {good.substr(0, 9), good.substr(9, 9)}, true},
        {"short line", {"\n61014 26-12-05 23:59\n"}, false},
        {"wrong date separators", {NistLine("26/12/05", "23:59:58")}, false},
        {"wrong time separators", {NistLine("26-12-05", "23-59-58")}, false},
        {"letters in the date", {NistLine("2a-12-05", "23:59:58")}, false},
        {"letters in the time", {NistLine("26-12-05", "23:5x:58")}, false},
        {"month 13", {NistLine("26-13-05", "23:59:58")}, false},
        {"31 February", {NistLine("26-02-31", "23:59:58")}, false},
        {"hour 24", {NistLine("26-12-05", "24:00:00")}, false},
        {"second 60", {NistLine("26-12-05", "23:59:60")}, false},
        {"unhealthy", {NistLine("26-12-05", "23:59:58", '2')}, false},
        {"no leading line feed", {good.substr(1)}, false},
        {"1 MB flood", {std::string(1 << 20, '1')}, false},
        {"flood in pieces", std::vector<std::string>(300, "12345"), false},
        {"good line after a flood", {std::string(300, 'x'), good}, false},
    };
    for (const auto& c : cases) {
        SyncRig rig(2);
        rig.form.Load();
        rig.Tick();
        for (const std::string& chunk : c.chunks) rig.socket.Send(chunk);
        if (c.serverCloses) rig.socket.ServerCloses();
        EXPECT_TRUE(rig.setter.calls.empty()) << "case: " << c.name;
        rig.ExpectWaiting(c.name);
        EXPECT_EQ(rig.clock.Now(), MakeDateTime(std::chrono::year{2026} / 12 / 6, 20h + 1s)) << "case: " << c.name;
        rig.Tick(4);
        EXPECT_EQ(rig.LastHost(), ServerHost(2)) << "case: " << c.name;
    }
}

TEST(SyncReply, AFloodIsCutOffAtTheSocket) {
    SyncRig rig(2);
    rig.form.Load();
    rig.Tick();
    rig.socket.Send(std::string(ReplyGatherer::kMaxBytes, 'x'));
    EXPECT_TRUE(rig.socket.Open());
    rig.socket.Send("x");
    EXPECT_FALSE(rig.socket.Open());
}

TEST(SyncReply, APartialReplyDoesNotMixWithTheNextAttempts) {
    SyncRig rig(2);
    rig.form.Load();
    rig.Tick();
    rig.socket.Send("\n61014 26-12-05 23:5");
    rig.Tick(4);
    ASSERT_EQ(rig.Attempts(), 2u);
    rig.socket.Send(NistLine("26-12-05", "10:20:30"));
    EXPECT_EQ(rig.setter.calls, (std::vector<std::string>{"date 2026-12-05", "time 18:20:30"}));
}

TEST(SyncReply, FailedConnectionsAreLeftToTheTimer) {
    SyncRig rig(2);
    rig.form.Load();
    rig.Tick();
    rig.socket.Fail();
    rig.ExpectWaiting("connection failed");
    rig.socket.startSucceeds = false;
    rig.Tick(4);
    rig.ExpectWaiting("connect could not start");
    rig.socket.startSucceeds = true;
    rig.Tick(4);
    EXPECT_EQ(rig.Attempts(), 3u);
    rig.socket.Send(NistLine("26-12-05", "23:59:58"));
    rig.ExpectDone("本地时间", "third row answered");
}

TEST(SyncReply, ARefusedChangeSaysSoAndTheWindowStaysUsable) {
    const struct {
        ClockStatus date, time;
        std::vector<std::string> calls;
        const char* status;
    } cases[] = {
        {ClockStatus::Ok, ClockStatus::Refused, {"date 2026-12-06", "time 07:59:58"}, "校时失败：无权修改系统时间"},
        {ClockStatus::Refused, ClockStatus::Ok, {"date 2026-12-06"}, "校时失败：无权修改系统时间"},
        {ClockStatus::Failed, ClockStatus::Ok, {"date 2026-12-06"}, "校时失败：无法修改系统时间"},
        {ClockStatus::Ok, ClockStatus::Failed, {"date 2026-12-06", "time 07:59:58"}, "校时失败：无法修改系统时间"},
    };
    for (const auto& c : cases) {
        SyncRig rig(1);
        rig.setter.dateStatus = c.date;
        rig.setter.timeStatus = c.time;
        rig.form.Load();
        rig.Tick();
        rig.socket.Send(NistLine("26-12-05", "23:59:58"));
        EXPECT_EQ(rig.setter.calls, c.calls) << "case: " << c.status;
        rig.ExpectDone(c.status, c.status);
        EXPECT_FALSE(rig.socket.Open()) << "case: " << c.status;
        rig.Tick(3601);  // the next attempt follows the hourly rule
        EXPECT_EQ(rig.Attempts(), 2u) << "case: " << c.status;
        rig.ExpectWaiting(c.status);
    }
}

TEST(SyncWindowUnload, UnloadingAbandonsTheAttemptAndStopsTheTimer) {
    SyncRig rig(2);
    rig.form.Load();
    rig.Tick();
    ASSERT_TRUE(rig.socket.Open());
    rig.form.Unload();
    EXPECT_FALSE(rig.socket.Open());
    EXPECT_FALSE(rig.form.timeLocal.Enabled());
}

}  // namespace
}  // namespace tavrin
