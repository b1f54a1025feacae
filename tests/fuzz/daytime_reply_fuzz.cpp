// Whatever a time server may send, in whatever pieces, mixed with timer
// ticks, the server closing and the user starting a new attempt: the clock is
// only ever set at most once a connection, and then to the UTC moment the
// line carries, whatever entry of the hidden offset list is selected.
//
// Input, as FuzzedDataProvider reads it: from the end a settings byte (offset
// entry, refusal) and then one byte per step; from the front the bytes that
// the steps send.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "fakes/fake_clock_setter.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/settings_rig.h"
#include "fuzz/require.h"
#include "timesync/frm_sync.h"

namespace tavrin {
namespace {

using namespace testing;

// The UTC moment of a daytime line in seconds, read on its own terms: the
// date at positions 8-15 and the time at 17-24, counted from 1.
std::int64_t LineMoment(const std::string& line) {
    using namespace std::chrono;
    const auto two = [&](std::size_t at) {
        const auto digit = [&](std::size_t i) { return i < line.size() && line[i] >= '0' && line[i] <= '9'; };
        Require(digit(at) && digit(at + 1), "a used field has two digits");
        return (line[at] - '0') * 10 + (line[at + 1] - '0');
    };
    const year_month_day date{year{2000 + two(7)}, month{static_cast<unsigned>(two(10))},
                              day{static_cast<unsigned>(two(13))}};
    Require(date.ok() && two(16) < 24 && two(19) < 60 && two(22) < 60, "a used moment is a real one");
    return ToSeconds(MakeDateTime(date, hours{two(16)} + minutes{two(19)} + seconds{two(22)}));
}

// Checks every change against what the connection in use has received so
// far, before the fake clock setter carries it out.
struct CheckedClockSetter final : ClockSetter {
    explicit CheckedClockSetter(FakeClockSetter& inner) : inner(inner) {}
    ClockStatus SetUtc(OleDate utc) override {
        Require(!set, "a connection sets the clock at most once");
        // The line runs to the first CR or LF after the one that precedes it.
        Require(ToSeconds(utc) == LineMoment(received.substr(0, received.find_first_of("\r\n", 1))) &&
                    FromSeconds(ToSeconds(utc)) == utc,
                "the moment is the line's UTC, in whole seconds");
        set = true;
        return inner.SetUtc(utc);
    }
    FakeClockSetter& inner;
    std::string received;
    bool set = false;
};

struct SyncRig : SettingsRig {
    FakeTcpClient socket;
    FakeClockSetter fakeSetter{clock};
    CheckedClockSetter setter{fakeSetter};
    frmSync form{store, startUp, socket, setter, clock, elevation};
};

void RunAttempts(FuzzedDataProvider& input) {
    SyncRig rig;
    ResetSetupInfo(rig.store.Info(), rig.clock);
    const std::uint8_t settings = input.ConsumeIntegral<std::uint8_t>();
    if (settings & 0x20) rig.fakeSetter.status = ClockStatus::Refused;
    if (settings & 0x40) rig.fakeSetter.status = ClockStatus::Failed;
    rig.form.Load();
    rig.form.cmbGMT.Choose(settings % 25);  // decides nothing
    rig.form.cSyncro.Click();
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const std::uint8_t op = input.ConsumeIntegral<std::uint8_t>();
        const std::size_t attemptsBefore = rig.socket.attempts.size();
        if (op % 8 == 5) {
            rig.clock.Advance(std::chrono::seconds{1});
            rig.form.timeLocal.Tick();
        } else if (op % 8 == 6) {
            rig.socket.ServerCloses();
        } else if (op % 8 == 7) {
            rig.form.cSyncro.Click();
        } else {
            const std::string chunk = input.ConsumeBytesAsString((op >> 3) + 1u);
            if (rig.socket.Open()) rig.setter.received += chunk;
            rig.socket.Send(chunk);
        }
        if (rig.socket.attempts.size() != attemptsBefore) rig.setter.set = false, rig.setter.received.clear();
    }
    rig.socket.ServerCloses();
}

}  // namespace
}  // namespace tavrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tavrin::RunAttempts(input);
    return 0;
}
