#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/module_main.h"
#include "app/setup_store.h"
#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"

namespace tavrin {
namespace {

using namespace testing;

// Stands in for a feature window and writes down what happens to it.
class PaneProbe : public Form {
public:
    PaneProbe(std::string name, std::vector<std::string>& trace) : Form(name), name_(std::move(name)), trace_(trace) {}

protected:
    void OnLoad() override { trace_.push_back("load " + name_); }
    void OnActivate() override { trace_.push_back("activate " + name_); }
    void OnUnload() override { trace_.push_back("unload " + name_); }

private:
    std::string name_;
    std::vector<std::string>& trace_;
};

// A program with probes in place of the feature windows.
struct Program {
    std::vector<std::string> trace;
    PaneProbe shutdown{"FormShutdown", trace}, keyOff{"FormKeyOff", trace}, keyVol{"FormKeyVol", trace},
        easyLogin{"FormEasyLogin", trace}, sync{"frmSync", trace};
    FakeBrowser browser;
    FakeApplication app;
    frmMain main{{shutdown, keyOff, keyVol, easyLogin, sync}, browser, app};

    FakeRegistry registry;
    FakeClock clock;
    SetupStore store{registry, app, clock};
    FakeRunningCopy runningCopy;
    FakeWorkstation workstation;
    bool created = false;
    int locksBeforeWindow = -1;

    bool Start(const std::string& arguments) {
        app.arguments = arguments;
        return RunStartUp({app, runningCopy, workstation, store}, [this]() -> frmMain& {
            created = true;
            locksBeforeWindow = workstation.locks;
            return main;
        });
    }
    void Store(const SetupInfo& info) {
        const auto b = info.ToBytes();
        registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {b.begin(), b.end()});
    }
};

class MainWindowTest : public ::testing::Test, public Program {};

TEST_F(MainWindowTest, LoadingLoadsTheChildrenInOrderWithoutShowingThem) {
    main.Load();
    EXPECT_EQ(main.Caption(), "Tavrin－定时关机免费版(2.4.8)");
    EXPECT_EQ(trace, (std::vector<std::string>{"load FormShutdown", "load FormKeyOff", "load FormKeyVol",
                                               "load FormEasyLogin", "load frmSync"}));
    for (Form* f : std::initializer_list<Form*>{&shutdown, &keyOff, &keyVol, &easyLogin, &sync})
        EXPECT_FALSE(f->Visible()) << f->Caption();
    EXPECT_FALSE(main.Visible());
    EXPECT_TRUE(main.FirstActivation);
    EXPECT_EQ(main.sbStatusBar.PanelText(1), "定时关机");
}

TEST_F(MainWindowTest, TheFirstActivationShowsTheChildrenBackToFrontOnce) {
    main.Show();
    EXPECT_EQ(trace, (std::vector<std::string>{"load FormShutdown", "load FormKeyOff", "load FormKeyVol",
                                               "load FormEasyLogin", "load frmSync", "activate frmSync",
                                               "activate FormEasyLogin", "activate FormKeyVol", "activate FormKeyOff",
                                               "activate FormShutdown"}));
    EXPECT_FALSE(main.FirstActivation);
    EXPECT_EQ(main.ActiveChild(), &shutdown);
    EXPECT_TRUE(sync.Visible());
    trace.clear();
    main.Deactivated();
    main.Activated();
    EXPECT_TRUE(trace.empty());
}

TEST_F(MainWindowTest, EachToolbarKeyBringsItsPaneForwardAndNamesIt) {
    main.Show();
    const std::pair<const char*, Form*> cases[] = {{"一键关机", &keyOff},     {"一键静音", &keyVol},
                                                   {"开机自动登录", &easyLogin}, {"网络自动校时", &sync},
                                                   {"定时关机", &shutdown}};
    for (const auto& [key, pane] : cases) {
        trace.clear();
        main.tbToolBar.Click(key);
        EXPECT_EQ(main.ActiveChild(), pane) << key;
        EXPECT_EQ(main.sbStatusBar.PanelText(1), key);
        EXPECT_EQ(trace, std::vector<std::string>{"activate " + pane->Caption()}) << key;
    }
}

TEST_F(MainWindowTest, UnknownKeysAndTheHomePageLeaveTheStatusAlone) {
    main.Show();
    main.tbToolBar.Click("一键静音");
    trace.clear();
    for (const char* key : {"", "退出 ", "Exit", "定时关机x"}) main.tbToolBar.Click(key);
    browser.succeed = false;
    main.tbToolBar.Click("作者主页");
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(main.sbStatusBar.PanelText(1), "一键静音");
    EXPECT_EQ(browser.opened, std::vector<std::string>{"C:\\Program Files\\Tavrin\\Tavrin.html"});
    EXPECT_EQ(app.ended, 0);
}

TEST_F(MainWindowTest, ACloseRequestOnlyHides) {
    main.Show();
    main.RequestClose();
    EXPECT_TRUE(main.Loaded());
    EXPECT_FALSE(main.Visible());
    EXPECT_EQ(app.ended, 0);
}

TEST_F(MainWindowTest, ExitUnloadsTheChildrenInOrderThenEndsTheProcess) {
    main.Show();
    trace.clear();
    main.tbToolBar.Click("退出");
    EXPECT_EQ(trace, (std::vector<std::string>{"unload frmSync", "unload FormEasyLogin", "unload FormKeyVol",
                                               "unload FormKeyOff", "unload FormShutdown"}));
    EXPECT_FALSE(main.Visible());
    EXPECT_EQ(app.ended, 1);
}

TEST_F(MainWindowTest, ChildrenOutlivingTheMainWindowNoLongerReportToIt) {
    auto window = std::make_unique<frmMain>(FeatureWindows{shutdown, keyOff, keyVol, easyLogin, sync}, browser, app);
    window->Show();
    window.reset();
    for (Form* f : std::initializer_list<Form*>{&shutdown, &keyOff, &keyVol, &easyLogin, &sync}) {
        EXPECT_EQ(f->Host(), nullptr) << f->Caption();
        f->Unload();  // would reach the freed window
    }
}

TEST_F(MainWindowTest, TheSessionEndIsNeverHeldUp) { EXPECT_TRUE(frmMain::QueryEndSession()); }

TEST(StartUp, TheCommandLineDecidesHiddenOrShownExactly) {
    const std::pair<const char*, bool> cases[] = {{"/run", true},   {"/start", true},   {"/Run", false},
                                                  {" /run", false}, {"/run x", false},  {"", false},
                                                  {"/run ", false}, {"/START", false}};
    for (const auto& [arguments, hidden] : cases) {
        Program p;
        EXPECT_TRUE(p.Start(arguments));
        EXPECT_TRUE(p.main.Loaded()) << '"' << arguments << '"';
        EXPECT_EQ(p.main.Visible(), !hidden) << '"' << arguments << '"';
        EXPECT_EQ(p.shutdown.Visible(), !hidden) << '"' << arguments << '"';
        EXPECT_EQ(p.main.FirstActivation, hidden) << '"' << arguments << '"';
    }
}

TEST(StartUp, AHiddenStartLocksOnlyWhenTheFlagIsExactlyOne) {
    for (std::int16_t flag : {1, 0, 2, -1}) {
        for (const char* arguments : {"/run", "/start", "/Run"}) {
            Program p;
            SetupInfo i;
            i.AutoLogonLock = flag;
            p.Store(i);
            EXPECT_TRUE(p.Start(arguments));
            const bool lock = flag == 1 && std::string(arguments) != "/Run";
            EXPECT_EQ(p.workstation.locks, lock ? 1 : 0) << flag << " " << arguments;
            EXPECT_EQ(p.locksBeforeWindow, p.workstation.locks);  // no window before the lock
        }
    }
}

TEST(StartUp, ASecondCopyRestoresTheFirstAndCreatesNothing) {
    for (const char* arguments : {"", "/run"}) {
        Program p;
        p.app.previousInstance = true;
        SetupInfo i;
        i.AutoLogonLock = 1;
        p.Store(i);
        EXPECT_FALSE(p.Start(arguments));
        EXPECT_EQ(p.runningCopy.restored, std::vector<std::string>{"Tavrin－定时关机免费版(2.4.8)"});
        EXPECT_FALSE(p.created);
        EXPECT_EQ(p.workstation.locks, 0);
        EXPECT_EQ(p.store.Info(), SetupInfo{});  // not even the settings were read
    }
}

TEST(StartUp, TheSettingsAreLoadedBeforeAnyWindowLoads) {
    Program p;
    p.registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, std::vector<std::uint8_t>(56, 2));
    RunStartUp({p.app, p.runningCopy, p.workstation, p.store}, [&p]() -> frmMain& {
        EXPECT_EQ(p.store.Info().TaskIndex, 0x0202);
        EXPECT_FALSE(p.main.Loaded());
        return p.main;
    });
    EXPECT_TRUE(p.main.Visible());
}

}  // namespace
}  // namespace tavrin
