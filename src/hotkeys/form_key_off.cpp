#include "hotkeys/form_key_off.h"

#include <initializer_list>

#include "countdown/countdown_launcher.h"
#include "hotkeys/dispatch_table.h"
#include "hotkeys/key_set_conflict.h"
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

void FormKeyOff::OnActivate() { ShowStoredKeys(); }

void FormKeyOff::ShowStoredKeys() {
    switch (store_.Info().PowerKeySet) {
        case PowerKeySet::F6ToF8:
            Option1.Select();
            break;
        case PowerKeySet::F9ToF11:
            Option2.Select();
            break;
        case PowerKeySet::CtrlF9ToF12:
            Option3.Select();
            break;
        default:
            break;  // a damaged set leaves the options as they are
    }
    RegisterPowerKeys();
}

void FormKeyOff::DropPowerKeys() {
    for (int id : PowerKeyIds()) (void)keys_.Unregister(id);  // an identifier not held is no error
}

void FormKeyOff::RegisterPowerKeys() {
    DropPowerKeys();
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
    const bool on = Check1.Value() == 1;
    SetupInfo& info = store_.Info();
    info.PowerKeysEnabled = on ? 1 : 0;
    for (Control* c : std::initializer_list<Control*>{&Option1, &Option2, &Option3, &Label1, &Check2})
        c->SetEnabled(on);
    // As a click on the set both groups share would; it saves once more.
    if (on && OnSameFKeys(info.PowerKeySet, info.VolumeKeySet)) Choose(info.PowerKeySet);
    store_.SaveSetupInfo();
    RegisterPowerKeys();
}

void FormKeyOff::Check2_Click() {
    // Read at every key press; the keys stay as they are.
    store_.Info().PowerKeyCountdown = static_cast<std::int16_t>(Check2.Value());
    store_.SaveSetupInfo();
}

void FormKeyOff::Option1_Click() { Choose(PowerKeySet::F6ToF8); }

void FormKeyOff::Option2_Click() { Choose(PowerKeySet::F9ToF11); }

void FormKeyOff::Option3_Click() { Choose(PowerKeySet::CtrlF9ToF12); }

void FormKeyOff::Choose(PowerKeySet set) {
    // The group keeps the set chosen; a volume group on the same keys moves.
    SetupInfo& info = store_.Info();
    info.PowerKeySet = set;
    const VolumeKeySet volume = SeparateKeyGroups(KeyGroupsOf(info), KeyGroup::Power).volume;
    const bool moved = volume != info.VolumeKeySet;
    info.VolumeKeySet = volume;
    if (moved && volumePane_ != nullptr) {
        // This group lets go first: the keys the volume group moves to may be its own.
        DropPowerKeys();
        volumePane_->ShowStoredKeys();
        // The other pane comes forward and this one returns, as the user left it.
        volumePane_->TakeFocus();
        SetFocus();
    }
    store_.SaveSetupInfo();
    RegisterPowerKeys();
}

}  // namespace tavrin
