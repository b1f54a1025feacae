#include "hotkeys/form_key_vol.h"

#include <initializer_list>

#include "hotkeys/dispatch_table.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/register_keys.h"
#include "hotkeys/registration_table.h"
#include "mixer/module_sound.h"
#include "ports/hotkey_registrar.h"
#include "settings/setup_store.h"

namespace tavrin {

FormKeyVol::FormKeyVol(SetupStore& store, HotkeyRegistrar& keys, ModuleSound& sound)
    : Form("一键静音"), store_(store), keys_(keys), sound_(sound) {
    Check1.onClick = [this] { Check1_Click(); };
    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
}

void FormKeyVol::OnLoad() {
    Move(0, 0);
    keysRenewed_ = false;
    // The box starts ticked, so only a clear setting runs its handler.
    Check1.SetValue(store_.Info().VolumeKeysEnabled == 1 ? 1 : 0);
}

void FormKeyVol::OnActivate() {
    // Any set but 1, a damaged one included, counts as F9-F11.
    if (store_.Info().VolumeKeySet == 1)
        Option1.Select();
    else
        Option2.Select();
    RegisterVolumeKeys();
}

void FormKeyVol::UnregisterVolumeKeys() {
    for (int id : VolumeKeyIds()) (void)keys_.Unregister(id);  // an identifier not held is no error
}

void FormKeyVol::RegisterVolumeKeys() {
    UnregisterVolumeKeys();
    keysRenewed_ = true;
    const SetupInfo& info = store_.Info();
    // A key held elsewhere stays inactive until the group's next renewal.
    LabelKeysTaken.SetCaption(info.VolumeKeysEnabled == 1 ? RegisterKeys(keys_, VolumeKeyRows(info.VolumeKeySet)) : "");
}

void FormKeyVol::DoVolumeKey(std::intptr_t lParam) {
    switch (VolumeKeyActionOf(HotkeyKeyCode(lParam))) {
        case VolumeKeyAction::VolumeDown:
            sound_.VolumeDown();
            break;
        case VolumeKeyAction::VolumeUp:
            sound_.VolumeUp();
            break;
        case VolumeKeyAction::ToggleMute:
            sound_.ToggleMute();
            break;
        case VolumeKeyAction::None:
            break;  // a key outside the table does nothing
    }
}

void FormKeyVol::Check1_Click() {
    SetupInfo& info = store_.Info();
    const bool on = Check1.Value() == 1;
    info.VolumeKeysEnabled = on ? 1 : 0;
    for (Control* c : std::initializer_list<Control*>{&Option1, &Option2, &Label1}) c->SetEnabled(on);
    if (on) {
        // Turning the group on with the power group's keys moves those aside.
        if (info.PowerKeySet == 1 && info.VolumeKeySet == 1) Option1_Click();
        if (info.PowerKeySet == 2 && info.VolumeKeySet == 2) Option2_Click();
    }
    store_.SaveSetupInfo();
    RegisterVolumeKeys();
}

void FormKeyVol::Option1_Click() { ChooseKeys(1); }

void FormKeyVol::Option2_Click() { ChooseKeys(2); }

// The choice just made stays; the power group moves to the other F-keys.
void FormKeyVol::ChooseKeys(std::int16_t set) {
    SetupInfo& info = store_.Info();
    const std::int16_t other = set == 1 ? 2 : 1;
    info.VolumeKeySet = set;
    bool moved = false;
    if (info.PowerKeysEnabled == 1 && info.PowerKeySet == set && info.VolumeKeysEnabled != 0) {
        info.PowerKeySet = other;
        moved = true;
        if (powerWindow_ != nullptr) {
            (other == 1 ? powerWindow_->Option1 : powerWindow_->Option2).Select();
            powerWindow_->SetFocus();
            SetFocus();
        }
    }
    store_.SaveSetupInfo();
    RegisterVolumeKeys();
    // The focus calls ran the power pane's activation while this group still
    // held the keys the power group moved to; they are free only now.
    if (moved && powerWindow_ != nullptr) powerWindow_->RegisterPowerKeys();
}

}  // namespace tavrin
