#include "hotkeys/form_key_vol.h"

#include <initializer_list>

#include "hotkeys/dispatch_table.h"
#include "hotkeys/key_set_conflict.h"
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

void FormKeyVol::OnActivate() { ShowStoredKeys(); }

void FormKeyVol::ShowStoredKeys() {
    // Any set but 1, a damaged one included, counts as F9-F11.
    (store_.Info().VolumeKeySet == VolumeKeySet::F6ToF8 ? Option1 : Option2).Select();
    RegisterVolumeKeys();
}

void FormKeyVol::DropVolumeKeys() {
    for (int id : VolumeKeyIds()) (void)keys_.Unregister(id);  // an identifier not held is no error
}

void FormKeyVol::RegisterVolumeKeys() {
    DropVolumeKeys();
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
    const bool on = Check1.Value() == 1;
    SetupInfo& info = store_.Info();
    info.VolumeKeysEnabled = on ? 1 : 0;
    for (Control* c : std::initializer_list<Control*>{&Option1, &Option2, &Label1}) c->SetEnabled(on);
    // As a click on the set both groups share would; it saves once more.
    if (on && OnSameFKeys(info.PowerKeySet, info.VolumeKeySet)) Choose(info.VolumeKeySet);
    store_.SaveSetupInfo();
    RegisterVolumeKeys();
}

void FormKeyVol::Option1_Click() { Choose(VolumeKeySet::F6ToF8); }

void FormKeyVol::Option2_Click() { Choose(VolumeKeySet::F9ToF11); }

void FormKeyVol::Choose(VolumeKeySet set) {
    // The group keeps the set chosen; a power group on the same keys moves.
    SetupInfo& info = store_.Info();
    info.VolumeKeySet = set;
    const PowerKeySet power = SeparateKeyGroups(KeyGroupsOf(info), KeyGroup::Volume).power;
    const bool moved = power != info.PowerKeySet;
    info.PowerKeySet = power;
    if (moved && powerPane_ != nullptr) {
        // This group lets go first: the keys the power group moves to may be its own.
        DropVolumeKeys();
        powerPane_->ShowStoredKeys();
        // The other pane comes forward and this one returns, as the user left it.
        powerPane_->TakeFocus();
        SetFocus();
    }
    store_.SaveSetupInfo();
    RegisterVolumeKeys();
}

}  // namespace tavrin
