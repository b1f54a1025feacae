// Whatever a time server may send, in whatever pieces, mixed with timer
// ticks, the server closing and the user starting a new attempt: the clock is
// only ever set to a real date and time of day, at most once a connection,
// and then to the moment the line carries, shifted by the selected offset.
//
// Input, as FuzzedDataProvider reads it: from the end a settings byte (offset
// entry, refusals) and then one byte per step; from the front the bytes that
// the steps send.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/setup_store.h"
#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_clock_setter.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_tcp_client.h"
#include "timesync/frm_sync.h"

namespace tavrin {
namespace {

using namespace testing;

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

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
    const seconds timeOfDay = hours{Digits(line, 16)} + minutes{Digits(line, 19)} + seconds{Digits(line, 22)};
    return ToSeconds(MakeDateTime(date, timeOfDay));
}

bool WholeSeconds(OleDate value) { return FromSeconds(ToSeconds(value)) == value; }

// Checks every change before the fake clock setter carries it out.
class CheckedClockSetter final : public ClockSetter {
public:
    explicit CheckedClockSetter(FakeClockSetter& inner) : inner_(inner) {}

    ClockStatus SetDate(OleDate date) override {
        Require(!date_, "a connection sets the clock at most once");
        Require(WholeSeconds(date) && DatePart(date) == date, "the date is a midnight");
        const auto civil = ToCivil(date).date;
        Require(civil.ok() && civil.year() >= std::chrono::year{1999} && civil.year() <= std::chrono::year{2100},
                "the date is one that a two-digit year can name");
        date_ = date;
        return inner_.SetDate(date);
    }
    ClockStatus SetTimeOfDay(OleDate timeOfDay) override {
        Require(date_.has_value() && !time_, "the time follows the date, once");
        Require(WholeSeconds(timeOfDay) && TimePart(timeOfDay) == timeOfDay, "the time is a time of day");
        time_ = timeOfDay;
        return inner_.SetTimeOfDay(timeOfDay);
    }

    // A new connection may set the clock again.
    void NextConnection() { date_.reset(), time_.reset(); }
    std::optional<OleDate> Date() const { return date_; }
    std::optional<OleDate> Time() const { return time_; }

private:
    FakeClockSetter& inner_;
    std::optional<OleDate> date_;
    std::optional<OleDate> time_;
};

struct SyncRig {
    FakeRegistry registry;
    FakeApplication app;
    FakeClock clock;
    SetupStore store{registry, app, clock};
    FakeTcpClient socket;
    FakeClockSetter fakeSetter{clock};
    CheckedClockSetter setter{fakeSetter};
    frmSync form{store, socket, setter, clock};
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

void CheckClockFollowsTheLine(const CheckedClockSetter& setter, const Received& received, int offsetHours) {
    if (!setter.Date()) return;
    const std::string line = received.Line();
    const std::int64_t expected = LineMoment(line) + std::int64_t{offsetHours} * 3600;
    if (!setter.Time()) {
        Require(ToSeconds(*setter.Date()) == ToSeconds(DatePart(FromSeconds(expected))),
                "the date is the line's, shifted");
        return;
    }
    Require(ToSeconds(*setter.Date()) + ToSeconds(*setter.Time()) == expected, "the moment is the line's, shifted");
}

void RunAttempts(FuzzedDataProvider& input) {
    SyncRig rig;
    ResetSetupInfo(rig.store.Info(), rig.clock);
    const std::uint8_t settings = input.ConsumeIntegral<std::uint8_t>();
    if (settings & 0x20) rig.fakeSetter.dateStatus = ClockStatus::Refused;
    if (settings & 0x40) rig.fakeSetter.timeStatus = ClockStatus::Failed;
    rig.form.Load();
    rig.form.cmbGMT.Choose(settings % 25);
    const int offsetHours = rig.form.UtcOffsetHours();
    Require(offsetHours == settings % 25 - 12, "entry i stands for i - 12 hours");

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
        CheckClockFollowsTheLine(rig.setter, received, offsetHours);
        if (rig.socket.attempts.size() != attemptsBefore) {
            received.Clear();
            rig.setter.NextConnection();
        }
    }
    rig.socket.ServerCloses();
    CheckClockFollowsTheLine(rig.setter, received, offsetHours);
}

}  // namespace
}  // namespace tavrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tavrin::RunAttempts(input);
    return 0;
}
