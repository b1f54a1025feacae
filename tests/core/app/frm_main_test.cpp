#include "app/frm_main.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/command_line.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_shell.h"
#include "fakes/program_rig.h"
#include "fakes/tracing_form.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

// The main window with probes in place of the feature windows.
struct MainWindowTest : ::testing::Test {
    Trace trace;
    TracingForm shutdown{"FormShutdown", trace}, keyOff{"FormKeyOff", trace}, keyVol{"FormKeyVol", trace},
        easyLogin{"FormEasyLogin", trace}, sync{"frmSync", trace};
    FakeApplication app;
    FakeClock clock;
    FakeBrowser browser;
    FakeDateTimeText dateTimeText;
    frmMain main{{shutdown, keyOff, keyVol, easyLogin, sync}, browser, app, clock, dateTimeText};
};

// Then each toolbar key brings its pane forward and names it.
TEST_F(MainWindowTest, LoadingLoadsTheChildrenHiddenAndTheFirstActivationShowsThemBackToFrontOnce) {
    main.Load();
    EXPECT_EQ(main.Caption(), "Tavrin－定时关机免费版(2.4.8)");
    for (Form* f : std::initializer_list<Form*>{&main, &shutdown, &keyOff, &keyVol, &easyLogin, &sync})
        EXPECT_FALSE(f->Visible()) << f->Caption();
    EXPECT_EQ(main.sbStatusBar.PanelText(1), "定时关机");
    EXPECT_EQ(main.sbStatusBar.PanelText(3), "20:00:00");
    clock.Advance(std::chrono::hours{4});
    main.ClockTimer.Tick();
    EXPECT_EQ(main.sbStatusBar.PanelText(2) + " " + main.sbStatusBar.PanelText(3), "2026/12/7 0:00:00");
    main.Show();
    EXPECT_EQ(trace, (Trace{"load FormShutdown", "load FormKeyOff", "load FormKeyVol", "load FormEasyLogin",
                            "load frmSync", "activate frmSync", "activate FormEasyLogin", "activate FormKeyVol",
                            "activate FormKeyOff", "activate FormShutdown"}));
    EXPECT_EQ(main.ActiveChild(), &shutdown);
    EXPECT_TRUE(sync.Visible());
    trace.clear();
    main.Deactivated();
    main.Activated();
    EXPECT_TRUE(trace.empty());
    const std::pair<const char*, Form*> keys[] = {{"一键关机", &keyOff},
                                                  {"一键静音", &keyVol},
                                                  {"开机自动登录", &easyLogin},
                                                  {"网络自动校时", &sync},
                                                  {"定时关机", &shutdown}};
    for (const auto& [key, pane] : keys) {
        trace.clear();
        main.tbToolBar.Click(key);
        EXPECT_EQ(main.ActiveChild(), pane) << "case: " << key;
        EXPECT_EQ(main.sbStatusBar.PanelText(1), key) << "case: " << key;
        EXPECT_EQ(trace, Trace{"activate " + pane->Caption()}) << "case: " << key;
    }
}

TEST_F(MainWindowTest, UnknownKeysTheHomePageAndTheFrameLeaveEverythingRunningUntilExit) {
    main.Show();
    main.tbToolBar.Click("一键静音");
    trace.clear();
    for (const char* key : {"", "退出 ", "Exit", "定时关机x"}) main.tbToolBar.Click(key);
    browser.succeed = false;
    main.tbToolBar.Click("作者主页");
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(main.sbStatusBar.PanelText(1), "一键静音");
    EXPECT_EQ(browser.opened, std::vector<std::string>{"C:\\Program Files\\Tavrin\\Tavrin.html"});
    main.RequestClose();  // only hides
    EXPECT_TRUE(main.Loaded());
    EXPECT_FALSE(main.Visible());
    EXPECT_EQ(app.ended, 0);
    EXPECT_TRUE(frmMain::QueryEndSession());  // the session end is never held up
    main.tbToolBar.Click("退出");             // unloads the children in order, then ends the process
    EXPECT_EQ(trace, (Trace{"unload frmSync", "unload FormEasyLogin", "unload FormKeyVol", "unload FormKeyOff",
                            "unload FormShutdown"}));
    EXPECT_EQ(app.ended, 1);
}

TEST_F(MainWindowTest, ChildrenOutlivingTheMainWindowNoLongerReportToIt) {
    auto window = std::make_unique<frmMain>(FeatureWindows{shutdown, keyOff, keyVol, easyLogin, sync}, browser, app,
                                            clock, dateTimeText);
    window->Show();
    window.reset();
    for (Form* f : std::initializer_list<Form*>{&shutdown, &keyOff, &keyVol, &easyLogin, &sync}) {
        EXPECT_EQ(f->Host(), nullptr) << f->Caption();
        f->Unload();  // would reach the freed window
    }
}

TEST(CommandLine, TheArgumentsAreEverythingAfterThePathAndOneBlank) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\Tavrin\\Tavrin.exe\" /run", "/run"},
        {"C:\\Tavrin.exe  /run", " /run"},  // a second blank belongs to the arguments
        {"C:\\Tavrin.exe /run ", "/run "},
        {"C:\\Tavrin.exe", ""},
        {"\"C:\\Tavrin.exe\"", ""},
        {"\"C:\\Tavrin.exe\"/run", "/run"},
        {"\"C:\\unclosed /run", ""},
        {"", ""},
        {"Tavrin.exe\t/run", "/run"},
    };
    for (const auto& [line, arguments] : cases) EXPECT_EQ(ArgumentString(line), arguments) << "case: " << line;
    for (const char* other : {"", "/Run", " /run", "/run ", "/run x", "run", "/START", "/start2", "-run"})
        EXPECT_FALSE(IsHiddenStart(other)) << "case: " << other;
}

// The start as it runs: no window before the settings, nor before the lock
// of a logon start; a second copy restores the first unless hidden, makes
// nothing, and still locks when it is a logon start.
TEST(StartUp, HiddenWordsLockAndASecondCopy) {
    for (const bool second : {false, true})
        for (std::int16_t flag : {1, 0, 2, -1})
            for (const char* arguments : {"/run", "/start", "/Run", "", "/resident"}) {
                ProgramRig p;
                p.app.previousInstance = second;
                SetupInfo i;
                i.AutoLogonLock = flag;
                p.Store(i);
                p.app.arguments = arguments;
                EXPECT_EQ(p.program.Start(), second ? std::optional<int>(0) : std::nullopt);
                const bool logon = std::string(arguments) == "/run" || std::string(arguments) == "/start";
                const bool hidden = logon || std::string(arguments) == "/resident";  // a script's start never locks
                const std::string what = "case: " + std::to_string(flag) + " \"" + arguments + '"';
                EXPECT_EQ(p.workstation.locks, logon && flag == 1 ? 1 : 0) << what;
                if (second) {
                    EXPECT_EQ(p.runningCopy.restored.size(), hidden ? 0u : 1u) << what;
                    EXPECT_EQ(p.program.Windows(), nullptr) << what;
                    continue;
                }
                EXPECT_EQ(p.M().main.Visible(), !hidden) << what;
                EXPECT_EQ(p.M().shutdown.Visible(), !hidden) << what;
                EXPECT_EQ(p.M().main.FirstActivation, hidden) << what;
                EXPECT_EQ(p.locksAtWindows, p.workstation.locks) << what;
                EXPECT_EQ(p.recordAtWindows.AutoLogonLock, flag) << what;
            }
}

}  // namespace
}  // namespace tavrin
