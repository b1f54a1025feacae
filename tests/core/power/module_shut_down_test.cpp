#include "power/module_shut_down.h"

#include <gtest/gtest.h>

#include "common/identity.h"
#include "fakes/fake_power.h"
#include "fakes/fake_shell.h"
#include "fakes/tracing_ports.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

struct ModuleShutDownTest : ::testing::Test {
    RecordingPower power;
    TracingMessageBox messageBox{power.calls};
    FakeWorkstation workstation{&power.calls};
    ModuleShutDown module{power, workstation, messageBox};
};

// A refused action shows one box after its call; hibernation that is off is
// not even asked for; any other label runs nothing.
TEST_F(ModuleShutDownTest, EachLabelRunsItsOwnCallAndARefusalIsShown) {
    const std::pair<const char*, Trace> cases[] = {
        {"关机", {"end 0"}},     {"强制关机", {"end 1"}},       {"重启", {"end 2"}}, {"注销", {"end 3"}},
        {"休眠", {"hibernate"}}, {"锁定", {"LockWorkStation"}}, {"关显示器", {}},    {"关机 ", {}},
    };
    for (const bool refused : {false, true})
        for (const auto& [label, ran] : cases) {
            power.calls.clear();
            power.succeed = !refused;
            workstation.refusal = refused ? "拒绝访问。" : "";
            module.RunPowerAction(label);
            Trace expected = ran;
            if (refused && !ran.empty())
                expected.push_back("box " + std::string(label) + "失败：拒绝访问。 | " + std::string(kAppTitle));
            EXPECT_EQ(power.calls, expected) << label << refused;
        }
    power.calls.clear();
    power.hibernation = false;
    module.RunPowerAction("休眠");
    module.MonitorOff();
    EXPECT_EQ(power.calls, (Trace{"box 休眠失败：此电脑未启用休眠。 | " + std::string(kAppTitle), "monitor off"}));
}

// The code is cleared once, before the first step, so a code an earlier step
// left behind is shown again by every later one; the action still runs.
TEST_F(ModuleShutDownTest, EachFailingPrivilegeStepShowsItsBoxAndTheCodeItSees) {
    const std::pair<std::map<std::string, std::uint32_t>, std::vector<std::uint32_t>> cases[] = {
        {{{"process", 6}}, {6, 6, 6, 6}},
        {{{"token", 5}, {"enable", 6}}, {0, 5, 5, 6}},
        {{{"lookup", 1313}}, {0, 0, 1313, 1313}},
    };
    const char* steps[] = {"GetCurrentProcess", "OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges"};
    for (const auto& [failWith, shown] : cases) {
        power.calls.clear();
        power.lastError = 87;  // left over from before
        power.failWith = failWith;
        module.RunPowerAction("重启");
        Trace expected;
        for (int i = 0; i < 4; ++i)
            if (shown[i] != 0)
                expected.push_back("box " + std::string(steps[i]) + "   error==" + std::to_string(shown[i]) + " | " +
                                   std::string(kAppTitle));
        expected.push_back("end 2");
        EXPECT_EQ(power.calls, expected);
    }
}

}  // namespace
}  // namespace tavrin
