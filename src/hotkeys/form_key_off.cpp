#include "hotkeys/form_key_off.h"

#include <initializer_list>

#include "countdown/countdown_launcher.h"
#include "hotkeys/dispatch_table.h"
#include "hotkeys/form_key_vol.h"
#include "hotkeys/register_keys.h"
#include "hotkeys/registration_table.h"
#include "ports/hotkey_registrar.h"
#include "power/power_action_runner.h"
#include "settings/setup_store.h"

namespace tavrin {

namespace {
constexpr std::int16_t kHotkeyCountdownSeconds = 30;
}

FormKeyOff::FormKeyOff(SetupStore& store, HotkeyRegistrar& keys, CountdownLauncher& countdown, PowerActionRunner& power)
    : Form("一键关机"), store_(store), keys_(keys), countdown_(countdown), power_(power) {
    Check1.onClick = [this] { Check1_Click(); };
    Check2.onClick = [this] { Check2_Click(); };
    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
    Option3.onClick = [this] { Option3_Click(); };
}

void FormKeyOff::OnLoad() {
    Move(0, 0);
    keysRenewed_ = false;
    // Both boxes start ticked, so only a clear setting runs their handlers.
    Check1.SetValue(store_.Info().PowerKeysEnabled == 1 ? 1 : 0);
    Check2.SetValue(store_.Info().PowerKeyCountdown == 1 ? 1 : 0);
}

void FormKeyOff::OnActivate() {
    // Separate tests: a set outside 1..3 leaves the options as they are.
    if (store_.Info().PowerKeySet == 1) Option1.Select();
    if (store_.Info().PowerKeySet == 2) Option2.Select();
    if (store_.Info().PowerKeySet == 3) Option3.Select();
    RegisterPowerKeys();
}

void FormKeyOff::UnregisterPowerKeys() {
    for (int id : PowerKeyIds()) (void)keys_.Unregister(id);  // an identifier not held is no error
}

void FormKeyOff::RegisterPowerKeys() {
    UnregisterPowerKeys();
    keysRenewed_ = true;
    const SetupInfo& info = store_.Info();
    // A key held elsewhere stays inactive until the group's next renewal.
    LabelKeysTaken.SetCaption(info.PowerKeysEnabled == 1 ? RegisterKeys(keys_, PowerKeyRows(info.PowerKeySet)) : "");
}

void FormKeyOff::DoPowerKey(std::intptr_t lParam) {
    // A key outside the table passes on an empty label, which runs nothing.
    const ActionLabel label(PowerKeyLabel(HotkeyKeyCode(lParam)));
    if (store_.Info().PowerKeyCountdown != 0)
        countdown_.DoKeyTask(label, kHotkeyCountdownSeconds);
    else
        power_.RunPowerAction(label);
}

void FormKeyOff::Check1_Click() {
    SetupInfo& info = store_.Info();
    const bool on = Check1.Value() == 1;
    info.PowerKeysEnabled = on ? 1 : 0;
    for (Control* c : std::initializer_list<Control*>{&Option1, &Option2, &Option3, &Label1, &Check2})
        c->SetEnabled(on);
    if (on) {
        // Turning the group on with the volume group's keys moves those aside.
        if (info.PowerKeySet == 1 && info.VolumeKeySet == 1) Option1_Click();
        if (info.PowerKeySet == 2 && info.VolumeKeySet == 2) Option2_Click();
    }
    store_.SaveSetupInfo();
    RegisterPowerKeys();
}

void FormKeyOff::Check2_Click() {
    // Read at every key press; the keys stay as they are.
    store_.Info().PowerKeyCountdown = static_cast<std::int16_t>(Check2.Value());
    store_.SaveSetupInfo();
}

void FormKeyOff::Option1_Click() { ChoosePlainKeys(1); }

void FormKeyOff::Option2_Click() { ChoosePlainKeys(2); }

void FormKeyOff::Option3_Click() {
    // Ctrl+F9 to Ctrl+F12 share no key with either volume set.
    store_.Info().PowerKeySet = 3;
    store_.SaveSetupInfo();
    RegisterPowerKeys();
}

// The choice just made stays; the volume group moves to the other F-keys.
void FormKeyOff::ChoosePlainKeys(std::int16_t set) {
    SetupInfo& info = store_.Info();
    const std::int16_t other = set == 1 ? 2 : 1;
    info.PowerKeySet = set;
    bool moved = false;
    if (info.VolumeKeysEnabled == 1 && info.VolumeKeySet == set && info.PowerKeysEnabled != 0) {
        info.VolumeKeySet = other;
        moved = true;
        if (volumeWindow_ != nullptr) {
            (other == 1 ? volumeWindow_->Option1 : volumeWindow_->Option2).Select();
            volumeWindow_->SetFocus();
            SetFocus();
        }
    }
    store_.SaveSetupInfo();
    RegisterPowerKeys();
    // The focus calls ran the volume pane's activation while this group still
    // held the keys the volume group moved to; they are free only now.
    if (moved && volumeWindow_ != nullptr) volumeWindow_->RegisterVolumeKeys();
}

}  // namespace tavrin
