#include "power/module_shut_down.h"

#include <gtest/gtest.h>

#include "fakes/fake_power.h"
#include "fakes/fake_shell.h"
#include "fakes/tracing_ports.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

struct ModuleShutDownTest : ::testing::Test {
    Trace Run(const char* label) {
        power.calls.clear();
        module.RunPowerAction(label);
        return power.calls;
    }
    RecordingPower power;
    TracingMessageBox messageBox{power.calls};
    FakeWorkstation workstation{&power.calls};
    ModuleShutDown module{power, workstation, messageBox};
};

// A refused action shows one box after its call; hibernation that is off is
// not even asked for; any other label runs nothing.
TEST_F(ModuleShutDownTest, EachLabelRunsItsOwnCallAndARefusalIsShown) {
    const std::pair<const char*, const char*> cases[] = {{"关机", "end 0"},     {"强制关机", "end 1"},
                                                         {"重启", "end 2"},     {"注销", "end 3"},
                                                         {"休眠", "hibernate"}, {"锁定", "LockWorkStation"}};
    for (const auto& [label, call] : cases) {
        EXPECT_EQ(Run(label), Trace{call});
        power.succeed = false;
        workstation.refusal = "拒绝访问。";
        EXPECT_EQ(Run(label), (Trace{call, "box " + std::string(label) + "失败：拒绝访问。 | Tavrin－定时关机免费版"}));
        power.succeed = true;
        workstation.refusal = "";
    }
    for (const char* other : {"关显示器", "关机 ", "提醒"}) EXPECT_EQ(Run(other), Trace{});
    power.hibernation = false;
    EXPECT_EQ(Run("休眠"), Trace{"box 休眠失败：此电脑未启用休眠。 | Tavrin－定时关机免费版"});
}

// The code is cleared once, before the first step, so a code an earlier step
// left behind is shown again by every later one; the action still runs.
TEST_F(ModuleShutDownTest, EachFailingPrivilegeStepShowsItsBoxAndTheCodeItSees) {
    power.lastError = 87;  // left over from before
    power.failWith = {{"token", 5}, {"enable", 6}};
    EXPECT_EQ(Run("重启"), (Trace{"box OpenProcessToken   error==5 | Tavrin－定时关机免费版",
                                  "box LookupPrivilegeValue   error==5 | Tavrin－定时关机免费版",
                                  "box AdjustTokenPrivileges   error==6 | Tavrin－定时关机免费版", "end 2"}));
    power.failWith = {{"process", 1313}};
    EXPECT_EQ(Run("关机").front(), "box GetCurrentProcess   error==1313 | Tavrin－定时关机免费版");
    module.MonitorOff();
    EXPECT_EQ(power.calls.back(), "monitor off");
}

}  // namespace
}  // namespace tavrin
