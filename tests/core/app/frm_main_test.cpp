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

// A shown start puts the schedule in front; each toolbar key brings its pane
// forward and names it, a later activation and other keys change nothing,
// and the frame only hides (退出 is the icon menu's test).
TEST(MainWindow, AToolbarKeyBringsItsPaneForwardAndTheFrameOnlyHides) {
    ProgramRig p;
    ASSERT_FALSE(p.program.Start());
    frmMain& main = p.M().main;
    EXPECT_EQ(std::pair(main.ActiveChild(), main.sbStatusBar.PanelText(1)),
              std::pair(static_cast<Form*>(&p.M().shutdown), p.M().shutdown.Caption()));
    EXPECT_EQ(main.sbStatusBar.PanelText(3), "20:00:00");
    p.clock.Advance(std::chrono::hours{4});
    main.ClockTimer.Tick();
    EXPECT_EQ(main.sbStatusBar.PanelText(2) + " " + main.sbStatusBar.PanelText(3), "2026/12/7 0:00:00");
    for (Form* pane :
         std::initializer_list<Form*>{&p.M().keyVol, &p.M().easyLogin, &p.M().shutdown, &p.M().keyOff, &p.M().sync}) {
        main.tbToolBar.Click(pane->Caption());  // each key has its pane's name
        EXPECT_EQ(std::pair(main.ActiveChild(), main.sbStatusBar.PanelText(1)), std::pair(pane, pane->Caption()));
    }
    main.Deactivated();
    main.Activated();
    p.browser.succeed = false;
    for (const char* key : {"", "退出 ", "定时关机x", "作者主页"}) main.tbToolBar.Click(key);
    EXPECT_EQ(main.ActiveChild(), &p.M().sync);
    EXPECT_EQ(main.sbStatusBar.PanelText(1), "网络自动校时");
    main.RequestClose();
    EXPECT_TRUE(main.Loaded() && !main.Visible() && p.app.ended == 0);
}

TEST(MainWindow, ChildrenOutlivingItNoLongerReportToIt) {
    Trace trace;
    TracingForm shutdown{"FormShutdown", trace}, keyOff{"FormKeyOff", trace}, keyVol{"FormKeyVol", trace},
        easyLogin{"FormEasyLogin", trace}, sync{"frmSync", trace};
    FakeApplication app;
    FakeClock clock;
    FakeBrowser browser;
    FakeDateTimeText dateTimeText;
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
        {"C:\\Tavrin.exe  /run ", " /run "},  // a second blank belongs to the arguments
        {"\"C:\\Tavrin.exe\"/run", "/run"},
        {"\"C:\\unclosed /run", ""},
        {"Tavrin.exe\t/run", "/run"},
    };
    for (const auto& [line, arguments] : cases) EXPECT_EQ(ArgumentString(line), arguments) << line;
}

// The start as it runs: no window before the settings, nor before the lock
// of a logon start; a second copy restores the first unless hidden, makes
// nothing, and still locks when it is a logon start.
TEST(StartUp, HiddenWordsLockAndASecondCopy) {
    for (const bool second : {false, true})
        for (std::int16_t flag : {1, 2})
            for (const std::string arguments : {"/run", "/start", "/Run", "", "/resident"}) {
                ProgramRig p;
                p.elevation.elevated = flag == 1;  // only a copy with full rights admits commands from below
                p.app.previousInstance = second;
                SetupInfo i;
                i.AutoLogonLock = flag;
                p.Store(i);
                p.app.arguments = arguments;
                EXPECT_EQ(p.program.Start(), second ? std::optional<int>(0) : std::nullopt);
                const bool logon = arguments == "/run" || arguments == "/start";
                const bool hidden = logon || arguments == "/resident";  // a script's start never locks
                SCOPED_TRACE(std::to_string(flag) + " \"" + arguments + '"');
                EXPECT_EQ(p.workstation.locks, logon && flag == 1 ? 1 : 0);
                EXPECT_EQ(p.runningCopy.restored.size(), second && !hidden ? 1u : 0u);
                if (second) {
                    EXPECT_EQ(p.program.Windows(), nullptr);
                    continue;
                }
                EXPECT_EQ(p.M().main.Visible(), !hidden);
                EXPECT_EQ(p.M().main.FirstActivation, hidden);
                EXPECT_EQ(p.locksAtWindows, p.workstation.locks);
                EXPECT_EQ(p.recordAtWindows.AutoLogonLock, flag);
                EXPECT_EQ(p.M().main.AdmitsCommandsFromBelow, flag == 1);
            }
}

}  // namespace
}  // namespace tavrin
