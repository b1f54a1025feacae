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

const Trace kPrivilegeSteps = {"SetLastError(0)",
                               "GetCurrentProcess",
                               "OpenProcessToken(0x00000028)",
                               "LookupPrivilegeValue(SeShutdownPrivilege)",
                               "AdjustTokenPrivileges(2)",
                               "CloseToken"};

Trace WithPrivilege(const std::string& action) {
    Trace t = kPrivilegeSteps;
    t.push_back(action);
    return t;
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
        {"强制关机", WithPrivilege("ExitWindowsEx(5,0xFFFFFFFF)")},
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
}

TEST_F(ModuleShutDownTest, TheNamedOperationsMatchTheLabels) {
    const struct {
        void (ModuleShutDown::*operation)();
        const char* action;
    } cases[] = {
        {&ModuleShutDown::ExitWindowsLogOff, "ExitWindowsEx(0,0xFFFFFFFF)"},
        {&ModuleShutDown::ExitWindowsShutdown, "ExitWindowsEx(1,0xFFFFFFFF)"},
        {&ModuleShutDown::ExitWindowsReboot, "ExitWindowsEx(2,0xFFFFFFFF)"},
        {&ModuleShutDown::ExitWindowsForce, "ExitWindowsEx(5,0xFFFFFFFF)"},
        {&ModuleShutDown::HibernateSystem, "SetSuspendState(1,0,0)"},
    };
    for (const auto& c : cases) {
        power.calls.clear();
        (module.*c.operation)();
        EXPECT_EQ(power.calls, WithPrivilege(c.action)) << "case: " << c.action;
    }
}

TEST_F(ModuleShutDownTest, OtherLabelsDoNothing) {
    for (const char* label : {"", "关显示器", "打开网址", "提醒", " 关机", "关机 ", "关", "关机关机", "重启\n",
                              "shutdown", "強制關機"}) {
        module.RunPowerAction(label);
        EXPECT_TRUE(power.calls.empty()) << "case: " << label;
        power.calls.clear();
    }
}

TEST_F(ModuleShutDownTest, LockAndMonitorOffTakeNoPrivilegeAndShowNoBox) {
    power.failWith = {{"GetCurrentProcess", 6}};
    module.RunPowerAction("锁定");
    module.MonitorOff();
    EXPECT_EQ(power.calls, (Trace{"LockWorkStation", "MonitorPower(2)"}));
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
        {"not all assigned", {{"AdjustTokenPrivileges", 1300}}, {"AdjustTokenPrivileges   error==1300"}},
        {"token then adjust",
         {{"OpenProcessToken", 5}, {"AdjustTokenPrivileges", 6}},
         {"OpenProcessToken   error==5", "LookupPrivilegeValue   error==5", "AdjustTokenPrivileges   error==6"}},
        {"large code", {{"OpenProcessToken", 4294967295u}},
         {"OpenProcessToken   error==4294967295", "LookupPrivilegeValue   error==4294967295",
          "AdjustTokenPrivileges   error==4294967295"}},
    };
    for (const auto& c : cases) {
        power.calls.clear();
        power.lastError = 87;  // left over from before: cleared at the start
        power.failWith = c.failWith;
        module.EnableShutdownPrivilege();
        Trace boxes;
        for (const std::string& call : power.calls)
            if (call.starts_with("box ")) boxes.push_back(call);
        Trace expected;
        for (const std::string& text : c.boxes) expected.push_back(Box(text));
        EXPECT_EQ(boxes, expected) << "case: " << c.name;
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

TEST_F(ModuleShutDownTest, EachBoxComesRightAfterItsStepAndTheActionRunsAfterTheLast) {
    power.failWith = {{"OpenProcessToken", 5}};
    module.HibernateSystem();
    EXPECT_EQ(power.calls,
              (Trace{"SetLastError(0)", "GetCurrentProcess", "OpenProcessToken(0x00000028)",
                     Box("OpenProcessToken   error==5"), "LookupPrivilegeValue(SeShutdownPrivilege)",
                     Box("LookupPrivilegeValue   error==5"), "AdjustTokenPrivileges(2)",
                     Box("AdjustTokenPrivileges   error==5"), "CloseToken", "SetSuspendState(1,0,0)"}));
}

TEST_F(ModuleShutDownTest, FailedSystemCallsAreSilent) {
    power.succeed = false;
    for (const char* label : {"关机", "强制关机", "休眠", "锁定", "注销", "重启"}) module.RunPowerAction(label);
    module.MonitorOff();
    for (const std::string& call : power.calls) EXPECT_FALSE(call.starts_with("box ")) << "case: " << call;
    EXPECT_EQ(power.Actions().size(), 6u);
}

}  // namespace
}  // namespace tavrin
