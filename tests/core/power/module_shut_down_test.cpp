#include "power/module_shut_down.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "fakes/fake_power.h"
#include "fakes/fake_shell.h"
#include "fakes/tracing_ports.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

// The four privilege steps, each followed by its box when it reports a code,
// then the token closed and the action.
Trace WithPrivilege(const std::string& action, std::array<std::uint32_t, 4> reported = {}) {
    const char* steps[][2] = {{"GetCurrentProcess", "GetCurrentProcess"},
                              {"OpenProcessToken", "OpenProcessToken(0x00000028)"},
                              {"LookupPrivilegeValue", "LookupPrivilegeValue(SeShutdownPrivilege)"},
                              {"AdjustTokenPrivileges", "AdjustTokenPrivileges(2)"}};
    Trace trace{"SetLastError(0)"};
    for (std::size_t i = 0; i < 4; ++i) {
        trace.push_back(steps[i][1]);
        if (reported[i] != 0)
            trace.push_back("box " + std::string(steps[i][0]) + "   error==" + std::to_string(reported[i]) +
                            " | Tavrin－定时关机免费版");
    }
    trace.push_back("CloseToken");
    trace.push_back(action);
    return trace;
}

class ModuleShutDownTest : public ::testing::Test {
protected:
    RecordingPower power;
    TracingMessageBox messageBox{power.calls};
    FakeWorkstation workstation{&power.calls};
    ModuleShutDown module{power, workstation, messageBox};
};

// A refused action shows, after its call, one box naming it and the system's
// reason; hibernation that is off is not even asked for.
TEST_F(ModuleShutDownTest, EachLabelRunsItsOperationWithItsFlagsAndARefusalIsShown) {
    const struct {
        const char* label;
        Trace expected;
    } cases[] = {
        {"关机", WithPrivilege("ExitWindowsEx(1,0xFFFFFFFF)")},
        {"强制关机", WithPrivilege("ExitWindowsEx(5,0xFFFFFFFF)")},  // shut-down plus force, not a forced log-off
        {"休眠", WithPrivilege("SetSuspendState(1,0,0)")},
        {"锁定", {"LockWorkStation"}},
        {"注销", WithPrivilege("ExitWindowsEx(0,0xFFFFFFFF)")},
        {"重启", WithPrivilege("ExitWindowsEx(2,0xFFFFFFFF)")},
    };
    for (const bool refused : {false, true})
        for (const auto& c : cases) {
            power.calls.clear();
            power.succeed = !refused;
            power.refusal = workstation.refusal = refused ? "拒绝访问。 (5)" : "";
            module.RunPowerAction(c.label);
            Trace expected = c.expected;
            if (refused)
                expected.push_back("box " + std::string(c.label) + "失败：拒绝访问。 (5) | Tavrin－定时关机免费版");
            EXPECT_EQ(power.calls, expected) << "case: " << c.label << (refused ? " refused" : "");
        }
    power.calls.clear();
    power.hibernation = false;
    module.RunPowerAction("休眠");
    EXPECT_EQ(power.calls, Trace{"box 休眠失败：此电脑未启用休眠。 | Tavrin－定时关机免费版"});
    power.calls.clear();
    module.MonitorOff();  // like the lock: no privilege, no box
    EXPECT_EQ(power.calls, Trace{"MonitorPower(2)"});
}

TEST_F(ModuleShutDownTest, OtherLabelsDoNothing) {
    for (const char* label : {"", "关显示器", "打开网址", "提醒", " 关机", "关机 ", "关", "关机关机", "重启\n"}) {
        module.RunPowerAction(label);
        EXPECT_TRUE(power.calls.empty()) << "case: " << label;
    }
}

// The code is cleared once, before the first step: a code an earlier step
// left behind is reported again by every later one. A failing step shows its
// box and the action is still attempted.
TEST_F(ModuleShutDownTest, EachFailingStepShowsItsBoxAndLaterStepsSeeTheCodeAgain) {
    const struct {
        const char* name;
        std::map<std::string, std::uint32_t> failWith;
        std::array<std::uint32_t, 4> reported;
    } cases[] = {
        {"process", {{"GetCurrentProcess", 6}}, {6, 6, 6, 6}},
        {"token", {{"OpenProcessToken", 5}}, {0, 5, 5, 5}},
        {"lookup", {{"LookupPrivilegeValue", 1313}}, {0, 0, 1313, 1313}},
        {"token then adjust", {{"OpenProcessToken", 5}, {"AdjustTokenPrivileges", 6}}, {0, 5, 5, 6}},
        {"privilege not held", {{"AdjustTokenPrivileges", 1300}}, {0, 0, 0, 1300}},
    };
    for (const auto& c : cases) {
        power.calls.clear();
        power.lastError = 87;  // left over from before
        power.failWith = c.failWith;
        module.RunPowerAction("重启");
        EXPECT_EQ(power.calls, WithPrivilege("ExitWindowsEx(2,0xFFFFFFFF)", c.reported)) << "case: " << c.name;
    }
}

}  // namespace
}  // namespace tavrin
