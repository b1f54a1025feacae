#pragma once
#include <cstdint>

#include "hotkeys/key_group_pane.h"
#include "settings/key_sets.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tavrin {

class CountdownLauncher;
class HotkeyRegistrar;
class PowerActionRunner;
class SetupStore;

// "一键关机": the power hotkeys' settings. The pane owns the power group of
// system-wide keys, registered on its own window, and keeps it off the keys
// of the volume group while both are on.
class FormKeyOff : public Form, public KeyGroupPane {
public:
    FormKeyOff(SetupStore& store, HotkeyRegistrar& keys, CountdownLauncher& countdown, PowerActionRunner& power);
    // The volume pane, told when the power group's choice moved its group.
    void Connect(KeyGroupPane& volumePane) { volumePane_ = &volumePane; }

    Frame Frame1;
    CheckBox Check1{"启用一键关机功能", 1};
    Label Label1{"请选择一键关机的按键组合："};
    OptionGroup KeySets;
    OptionButton Option1{KeySets, "关机按F6，休眠按F7，锁定按F8", true};
    OptionButton Option2{KeySets, "关机按F9，休眠按F10，锁定按F11"};
    OptionButton Option3{KeySets, "关机按Ctrl+F9，休眠按Ctrl+F10，锁定按Ctrl+F11，重新启动按Ctrl+F12"};
    CheckBox Check2{"执行前倒计时30秒提醒", 1};
    Label LabelKeysTaken;  // the keys of the group that another program holds

    // Drops the whole group, then registers what the settings ask for.
    void RegisterPowerKeys();
    void ShowStoredKeys() override;
    void TakeFocus() override { SetFocus(); }
    // True once the group was renewed after the load.
    bool KeysRenewed() const { return keysRenewed_; }

    // The lParam of a hotkey message that reached this pane's window.
    void DoPowerKey(std::intptr_t lParam);
    void HotkeyPressed(std::intptr_t lParam) override { DoPowerKey(lParam); }

    void Check1_Click();
    void Check2_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();

protected:
    void OnLoad() override;
    void OnActivate() override;

private:
    void Choose(PowerKeySet set);
    void DropPowerKeys();

    SetupStore& store_;
    HotkeyRegistrar& keys_;
    CountdownLauncher& countdown_;
    PowerActionRunner& power_;
    KeyGroupPane* volumePane_ = nullptr;
    bool keysRenewed_ = false;
};

}  // namespace tavrin
