# Hotkeys under Wine in the virtual desktop: what is registered, and what a
# key press does, hidden and shown.
import unittest

from harness import DIALOG, DesktopTest, record, wait_until

REGISTER = "user32.RegisterHotKey"


class HotkeyTest(DesktopTest):
    def test_ctrl_f9_opens_one_dialog_and_a_stray_key_cancels_it(self):
        self.desktop.store_record(record(PowerKeyCountdown=1))
        program = self.desktop.start_program("/run", relay=[REGISTER])
        wait_until(lambda: len(self.desktop.relay_calls(program, REGISTER)) >= 7, what="both groups registered")
        # None repeats while held (MOD_NOREPEAT): a repeat would open a second dialog.
        self.assertTrue(all(int(c.split(",")[2], 16) & 0x4000 for c in self.desktop.relay_calls(program, REGISTER)))
        self.desktop.xdotool("key", "ctrl+F9")
        wait_until(lambda: self.desktop.main_windows(DIALOG), what="the countdown dialog")
        self.desktop.xdotool("key", "ctrl+F9", "space")  # the same dialog again; its focus is on 取消
        wait_until(lambda: not self.desktop.main_windows(DIALOG), what="no dialog left")
        self.desktop.xdotool("key", "ctrl+F9")
        wait_until(lambda: self.desktop.main_windows(DIALOG), what="the dialog again")
        self.desktop.xdotool("key", "Escape")  # the dialog manager's 取消
        wait_until(lambda: not self.desktop.main_windows(DIALOG), what="the dialog gone")
        self.assertIsNone(program.poll())

    def test_choosing_f6_for_the_power_keys_moves_the_volume_keys_and_f8_locks_at_once(self):
        self.desktop.store_record(record(PowerKeyCountdown=0))
        program = self.desktop.start_program(relay=["user32.LockWorkStation"])
        self.desktop.show_pane(2, "一键关机")
        choice = "关机按F6，休眠按F7，锁定按F8"
        self.desktop.click(self.desktop.control(choice, "一键关机"))
        wait_until(lambda: self.desktop.stored_record().get("PowerKeySet") == 1, what="the power keys stored")
        self.assertEqual(self.desktop.stored_record()["VolumeKeySet"], 2)
        self.desktop.xdotool("key", "F8")  # held by the power pane now, F9-F11 by the volume pane
        wait_until(lambda: self.desktop.relay_calls(program, "user32.LockWorkStation"), what="the lock")
        self.assertEqual(self.desktop.main_windows(DIALOG), [])


if __name__ == "__main__":
    unittest.main()
