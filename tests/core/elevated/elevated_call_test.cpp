#include "elevated/elevated_call.h"

#include <gtest/gtest.h>

#include "elevated/run_elevated_call.h"
#include "fakes/fake_clock_setter.h"
#include "fakes/settings_rig.h"
#include "tweaks/form_easy_login.h"

namespace tavrin {
namespace {

using namespace testing;
using namespace std::chrono_literals;

struct ElevatedCopy : SettingsRig {
    FakeClockSetter setter{clock};
    std::optional<int> Run(const std::string& arguments) {
        return RunIfElevatedCall(arguments, {registry, setter, clock, task, app, elevation});
    }
};

// What the first copy writes is what the second reads (the clock's is proven
// where it runs), and anything else on such a
// command line ends the copy without doing anything.
TEST(ElevatedCall, OperationsSurviveTheCommandLineAndAnythingElseIsRefusedUntouched) {
    const ElevatedOperation operations[] = {LogonRequest{{true, "", "", 1, 0, 2}}, TaskRequest{true, "S-1-5-21-1"},
                                            TaskRequest{false, {}}};
    for (const auto& operation : operations) {
        const std::string text = FormatOperation(operation);
        const auto call = ParseElevatedCall(ElevatedArguments("\\\\.\\pipe\\Tavrin.00ff", text));
        EXPECT_EQ(call ? call->channel + " " + FormatOperation(call->operation) : "",
                  "\\\\.\\pipe\\Tavrin.00ff " + text);
    }
    for (const char* bad : {"/elevated -", "/elevated - logon 1 1 1 3", "/elevated - logon 1 1 1 2 x",
                            "/elevated - clock -5 1", "/elevated - task 2", "/elevated  - task 0"}) {
        ElevatedCopy copy;
        EXPECT_EQ(copy.Run(bad), kExitUnreadable) << bad;
        EXPECT_TRUE(copy.registry.log.empty() && copy.setter.calls.empty() && !copy.task.exists) << bad;
    }
    ElevatedCopy copy;
    for (const char* normal : {"", "/run", "/elevatedx - task 0"}) EXPECT_FALSE(copy.Run(normal)) << normal;
}

// The logon operation writes what a Save with full rights writes, the
// account coming over the channel only; no account, nothing written.
TEST(ElevatedCall, TheLogonOperationWritesExactlyWhatTheDirectSaveWrites) {
    const LogonSettings settings{true, "管理员", "p w\"&", 1, 1, 2};
    ElevatedCopy direct;
    ASSERT_EQ(ApplyLogonSettings(direct.registry, settings), "");
    ElevatedCopy copy;
    copy.elevation.callerInput = LogonInput(settings);
    EXPECT_EQ(copy.Run(ElevatedArguments("\\\\.\\pipe\\Tavrin.1", FormatOperation(LogonRequest{settings}))), kExitDone);
    EXPECT_EQ(copy.registry.log, direct.registry.log);
    EXPECT_EQ(copy.registry.Text(Hive::LocalMachine, kWinlogonKey, kDefaultPassword), "p w\"&");
    EXPECT_EQ(copy.elevation.answered, "");

    ElevatedCopy lost;
    lost.elevation.callerInput.reset();  // a caller that is not there
    EXPECT_EQ(lost.Run(ElevatedArguments("\\\\.\\pipe\\Tavrin.2", "logon 0 0 0 0")), kExitUnreadable);
    EXPECT_TRUE(lost.registry.log.empty());
}

// The time read from the server is moved on by the wait for the prompt; a
// time read too long ago is not set at all.
TEST(ElevatedCall, TheClockOperationAddsTheWaitAndRefusesAnOldTime) {
    ElevatedCopy copy;
    const auto readAt = copy.clock.Monotonic().count();
    copy.clock.Advance(7s);
    const auto utc = ToSeconds(MakeDateTime(std::chrono::year{2026} / 12 / 5, 23h + 59min + 58s));
    EXPECT_EQ(copy.Run("/elevated - clock " + std::to_string(utc) + " " + std::to_string(readAt)), kExitDone);
    EXPECT_EQ(copy.setter.calls, std::vector{utc + 7});
    copy.clock.Advance(11min);
    EXPECT_EQ(copy.Run("/elevated - clock " + std::to_string(utc) + " " + std::to_string(readAt)), kExitRefused);
    copy.setter.status = ClockStatus::Refused;
    EXPECT_EQ(copy.Run("/elevated - clock 0 " + std::to_string(copy.clock.Monotonic().count())), kExitRefused);
    EXPECT_EQ(copy.setter.calls.size(), 2u);
}

}  // namespace
}  // namespace tavrin
