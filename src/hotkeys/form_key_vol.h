#pragma once
#include <cstdint>

#include "hotkeys/key_group_pane.h"
#include "settings/key_sets.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tavrin {

class HotkeyRegistrar;
class ModuleSound;
class SetupStore;

// "一键静音": the volume hotkeys' settings. The pane owns the volume group of
// system-wide keys, registered on its own window, and keeps it off the keys
// of the power group while both are on.
class FormKeyVol : public Form, public KeyGroupPane {
public:
    FormKeyVol(SetupStore& store, HotkeyRegistrar& keys, ModuleSound& sound);
    // The power pane, told when the volume group's choice moved its group.
    void Connect(KeyGroupPane& powerPane) { powerPane_ = &powerPane; }

    Frame Frame1;
    CheckBox Check1{"启用键盘音量控制功能", 1};
    Label Label1{"请选择键盘控制音量的按键组合："};
    OptionGroup KeySets;
    OptionButton Option1{KeySets, "减少音量按F6，增加音量按F7，静音/取消静音按F8", true};
    OptionButton Option2{KeySets, "减少音量按F9，增加音量按F10，静音/取消静音按F11"};
    Label LabelKeysTaken;  // the keys of the group that another program holds

    // Drops the whole group, then registers what the settings ask for.
    void RegisterVolumeKeys();
    void ShowStoredKeys() override;
    void TakeFocus() override { SetFocus(); }
    // True once the group was renewed after the load.
    bool KeysRenewed() const { return keysRenewed_; }

    // The lParam of a hotkey message that reached this pane's window.
    void DoVolumeKey(std::intptr_t lParam);
    void HotkeyPressed(std::intptr_t lParam) override { DoVolumeKey(lParam); }

    void Check1_Click();
    void Option1_Click();
    void Option2_Click();

protected:
    void OnLoad() override;
    void OnActivate() override;

private:
    void Choose(VolumeKeySet set);
    void DropVolumeKeys();

    SetupStore& store_;
    HotkeyRegistrar& keys_;
    ModuleSound& sound_;
    KeyGroupPane* powerPane_ = nullptr;
    bool keysRenewed_ = false;
};

}  // namespace tavrin
