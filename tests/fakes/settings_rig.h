#pragma once
#include <string>
#include <vector>

#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_elevation.h"
#include "fakes/fake_registry.h"
#include "fakes/tracing_ports.h"
#include "settings/setup_store.h"
#include "startup/start_with_windows.h"

namespace tavrin::testing {

// The one settings record over an in-memory registry, as the windows share it.
struct SettingsRig {
    explicit SettingsRig(bool elevated = true) { elevation.elevated = elevated; }

    FakeRegistry registry;
    FakeApplication app;
    FakeClock clock;
    FakeElevation elevation;
    FakeLogonTask task;
    std::vector<std::string> boxes;
    TracingMessageBox messageBox{boxes};
    StartWithWindows startUp{registry, app, task, elevation, messageBox};
    SetupStore store{registry, clock, startUp};

    SetupInfo& Info() { return store.Info(); }
    // The stored bytes laid over a zero record: all zero when nothing is stored.
    SetupInfo Stored() const {
        SetupInfo info;
        if (const auto bytes = registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue)) info.Overlay(*bytes);
        return info;
    }
    // Puts a record where the next load finds it.
    void Store(const SetupInfo& info) {
        const auto bytes = info.ToBytes();
        registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {bytes.begin(), bytes.end()});
    }
};

}  // namespace tavrin::testing
