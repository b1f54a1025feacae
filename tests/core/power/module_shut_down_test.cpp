#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fakes/fake_power.h"
#include "fakes/tracing_ports.h"
#include "power/module_shut_down.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

Trace WithPrivilege(const std::string& action) {
    return {"SetLastError(0)",          "GetCurrentProcess", "OpenProcessToken(0x00000028)",
            "LookupPrivilegeValue(SeShutdownPrivilege)", "AdjustTokenPrivileges(2)", "CloseToken", action};
}

std::string Box(const std::string& text) { return "box " + text + " | Tavrin－定时关机免费版"; }

class ModuleShutDownTest : public ::testing::Test {
protected:
    RecordingPower power;
    TracingMessageBox messageBox{power.calls};
    TracingWorkstation workstation{power.calls};
    ModuleShutDown module{power, workstation, messageBox};
};

TEST_F(ModuleShutDownTest, EachLabelRunsItsOperationWithItsFlags) {
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
    for (const auto& c : cases) {
        power.calls.clear();
        module.RunPowerAction(c.label);
        EXPECT_EQ(power.calls, c.expected) << "case: " << c.label;
    }
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

TEST_F(ModuleShutDownTest, EachFailingStepShowsItsBoxAndLaterStepsSeeTheCodeAgain) {
    const struct {
        const char* name;
        std::map<std::string, std::uint32_t> failWith;
        Trace boxes;
    } cases[] = {
        {"process",
         {{"GetCurrentProcess", 6}},
         {"GetCurrentProcess   error==6", "OpenProcessToken   error==6", "LookupPrivilegeValue   error==6",
          "AdjustTokenPrivileges   error==6"}},
        {"token",
         {{"OpenProcessToken", 5}},
         {"OpenProcessToken   error==5", "LookupPrivilegeValue   error==5", "AdjustTokenPrivileges   error==5"}},
        {"lookup",
         {{"LookupPrivilegeValue", 1313}},
         {"LookupPrivilegeValue   error==1313", "AdjustTokenPrivileges   error==1313"}},
        {"token then adjust",
         {{"OpenProcessToken", 5}, {"AdjustTokenPrivileges", 6}},
         {"OpenProcessToken   error==5", "LookupPrivilegeValue   error==5", "AdjustTokenPrivileges   error==6"}},
    };
    for (const auto& c : cases) {
        power.calls.clear();
        power.lastError = 87;  // left over from before: cleared at the start
        power.failWith = c.failWith;
        module.RunPowerAction("重启");
        Trace boxes;
        for (const std::string& call : power.calls)
            if (call.starts_with("box ")) boxes.push_back(call);
        Trace expected;
        for (const std::string& text : c.boxes) expected.push_back(Box(text));
        EXPECT_EQ(boxes, expected) << "case: " << c.name;
        EXPECT_EQ(power.calls.back(), "ExitWindowsEx(2,0xFFFFFFFF)") << "case: " << c.name;
    }
}

TEST_F(ModuleShutDownTest, NotAllAssignedShowsOneBoxAndTheShutdownIsStillAttempted) {
    power.failWith = {{"AdjustTokenPrivileges", 1300}};
    power.succeed = false;  // the account lacks the privilege: the call fails, silently
    module.RunPowerAction("关机");
    EXPECT_EQ(power.calls, (Trace{"SetLastError(0)", "GetCurrentProcess", "OpenProcessToken(0x00000028)",
                                  "LookupPrivilegeValue(SeShutdownPrivilege)", "AdjustTokenPrivileges(2)",
                                  Box("AdjustTokenPrivileges   error==1300"), "CloseToken",
                                  "ExitWindowsEx(1,0xFFFFFFFF)"}));
}

}  // namespace
}  // namespace tavrin
