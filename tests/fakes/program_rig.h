#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "app/program.h"
#include "fakes/fake_application.h"
#include "fakes/fake_audio_endpoint.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_clock_setter.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_elevation.h"
#include "fakes/fake_hotkeys.h"
#include "fakes/fake_power.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/tracing_ports.h"

namespace tavrin::testing {

// The whole program over fakes, wired as it runs: Start() is a start with
// app.arguments, and Windows() the models it built.
struct ProgramRig {
    FakeApplication app;
    FakeRegistry registry;
    FakeClock clock;
    FakeRunningCopy runningCopy;
    FakeConsole console;
    FakeWorkstation workstation;
    FakeBrowser browser;
    std::vector<std::string> boxes;
    TracingMessageBox messageBox{boxes};
    FakeTcpClient socket;
    FakeClockSetter clockSetter{clock};
    RecordingPower power;
    FakeDateTimeText dateTimeText;
    FakeElevation elevation;
    FakeLogonTask task;
    FakeAudioEndpoint audio;
    FakeHotkeySystem hotkeys;
    FakeHotkeyRegistrar powerKeys{hotkeys, "FormKeyOff"};
    FakeHotkeyRegistrar volumeKeys{hotkeys, "FormKeyVol"};
    SetupInfo recordAtWindows;           // what the windows find when they are made
    int locksAtWindows = -1;             // none made
    NotifyIconView* iconView = nullptr;  // the taskbar's side, when a test watches it
    Program program{Ports(), [this](Models& m) {
                        if (iconView) m.icon.Icon.Bind(iconView);
                        recordAtWindows = program.Store().Info();
                        locksAtWindows = workstation.locks;
                        return nullptr;
                    }};

    Models& M() { return *program.Windows(); }
    ProgramPorts Ports() {
        return {app,         registry, clock,        runningCopy, console, workstation, browser,   messageBox, socket,
                clockSetter, power,    dateTimeText, elevation,   task,    audio,       powerKeys, volumeKeys, {}};
    }
    // Seconds pass with the schedule's timers running.
    void Tick(int times) {
        for (int i = 0; i < times; ++i) {
            clock.Advance(std::chrono::seconds{1});
            M().shutdown.Timer1.Tick();
            M().shutdown.TimerPostponed.Tick();
        }
    }
    // Puts a record where the start finds it.
    void Store(const SetupInfo& info) {
        const auto bytes = info.ToBytes();
        registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {bytes.begin(), bytes.end()});
    }
};

}  // namespace tavrin::testing
