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
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_clock_setter.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/settings_rig.h"
#include "fuzz/require.h"
#include "timesync/frm_sync.h"

namespace tavrin {
namespace {

using namespace testing;

int Digits(const std::string& text, std::size_t at) {
    const auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    Require(digit(at) && digit(at + 1), "a used field has two digits");
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// The UTC moment of a daytime line in seconds, read on its own terms: the
// date at positions 8-15 and the time at 17-24, counted from 1.
std::int64_t LineMoment(const std::string& line) {
    using namespace std::chrono;
    const year_month_day date{year{2000 + Digits(line, 7)}, month{static_cast<unsigned>(Digits(line, 10))},
                              day{static_cast<unsigned>(Digits(line, 13))}};
    Require(date.ok(), "a used date is a real one");
    const int h = Digits(line, 16), m = Digits(line, 19), s = Digits(line, 22);
    Require(h < 24 && m < 60 && s < 60, "a used time is a real one");
    const seconds timeOfDay = hours{h} + minutes{m} + seconds{s};
    return ToSeconds(MakeDateTime(date, timeOfDay));
}

// Checks every change before the fake clock setter carries it out.
class CheckedClockSetter final : public ClockSetter {
public:
    explicit CheckedClockSetter(FakeClockSetter& inner) : inner_(inner) {}

    ClockStatus SetUtc(OleDate utc) override {
        Require(!utc_, "a connection sets the clock at most once");
        Require(FromSeconds(ToSeconds(utc)) == utc, "the moment is whole seconds");
        utc_ = utc;
        return inner_.SetUtc(utc);
    }

    // A new connection may set the clock again.
    void NextConnection() { utc_.reset(); }
    std::optional<OleDate> Utc() const { return utc_; }

private:
    FakeClockSetter& inner_;
    std::optional<OleDate> utc_;
};

struct SyncRig : SettingsRig {
    FakeTcpClient socket;
    FakeClockSetter fakeSetter{clock};
    CheckedClockSetter setter{fakeSetter};
    frmSync form{store, startUp, socket, setter, clock, elevation};
};

// What the connection in use has received so far, as the window must read it.
class Received {
public:
    void Add(const std::string& bytes) { text_ += bytes; }
    void Clear() { text_.clear(); }
    // The line runs to the first CR or LF after the one that precedes it.
    std::string Line() const { return text_.substr(0, text_.find_first_of("\r\n", 1)); }

private:
    std::string text_;
};

void CheckClockFollowsTheLine(const CheckedClockSetter& setter, const Received& received) {
    if (setter.Utc()) Require(ToSeconds(*setter.Utc()) == LineMoment(received.Line()), "the moment is the line's UTC");
}

void RunAttempts(FuzzedDataProvider& input) {
    SyncRig rig;
    ResetSetupInfo(rig.store.Info(), rig.clock);
    const std::uint8_t settings = input.ConsumeIntegral<std::uint8_t>();
    if (settings & 0x20) rig.fakeSetter.status = ClockStatus::Refused;
    if (settings & 0x40) rig.fakeSetter.status = ClockStatus::Failed;
    rig.form.Load();
    rig.form.cmbGMT.Choose(settings % 25);  // decides nothing

    Received received;
    rig.form.cSyncro.Click();
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const std::uint8_t op = input.ConsumeIntegral<std::uint8_t>();
        const std::size_t attemptsBefore = rig.socket.attempts.size();
        switch (op & 7) {
            case 5:
                rig.clock.Advance(std::chrono::seconds{1});
                rig.form.timeLocal.Tick();
                break;
            case 6:
                rig.socket.ServerCloses();
                break;
            case 7:
                rig.form.cSyncro.Click();
                break;
            default: {
                const std::string chunk = input.ConsumeBytesAsString((op >> 3) + 1u);
                if (rig.socket.Open()) received.Add(chunk);
                rig.socket.Send(chunk);
            }
        }
        CheckClockFollowsTheLine(rig.setter, received);
        if (rig.socket.attempts.size() != attemptsBefore) {
            received.Clear();
            rig.setter.NextConnection();
        }
    }
    rig.socket.ServerCloses();
    CheckClockFollowsTheLine(rig.setter, received);
}

}  // namespace
}  // namespace tavrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tavrin::RunAttempts(input);
    return 0;
}
