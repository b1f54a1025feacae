# Hotkeys under Wine in the virtual desktop: what is registered, and what a
# key press does, hidden and shown.
import re
import time
import unittest
from pathlib import Path

from harness import BOX, DIALOG, DesktopTest, record, wait_until

REGISTER = "user32.RegisterHotKey"


class HotkeyTest(DesktopTest):
    def test_ctrl_f9_held_opens_one_dialog_and_a_stray_key_cancels_it(self):
        self.desktop.store_record(record(PowerKeyCountdown=1))
        program = self.desktop.start_program("/run", relay=[REGISTER])
        wait_until(lambda: len(self.desktop.relay_calls(program, REGISTER)) >= 7, what="both groups registered")
        # Each key under an identifier of its own, none repeating while held:
        # the four Ctrl keys on the power pane, F6-F8 on the volume pane.
        calls = [line.split("(")[1].split(",") for line in self.desktop.relay_calls(program, REGISTER)]
        self.assertEqual([c[1] for c in calls],
                         ["00000278", "00000279", "0000027a", "0000027b", "00000075", "00000076", "00000077"])
        self.assertTrue(all(int(c[2], 16) & 0x4000 for c in calls))
        self.desktop.xdotool("keydown", "ctrl+F9")
        time.sleep(1)  # held, not waited for: a repeat would open a second dialog
        self.desktop.xdotool("keyup", "ctrl+F9")
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
        program = self.desktop.start_program(relay=[REGISTER, "user32.UnregisterHotKey", "user32.LockWorkStation"])
        self.desktop.show_pane(2, "一键关机")
        choice = "关机按F6，休眠按F7，锁定按F8"
        self.desktop.click(self.desktop.control(choice, "一键关机"))
        wait_until(lambda: self.desktop.stored_record().get("PowerKeySet") == 1, what="the power keys stored")
        self.assertEqual(self.desktop.stored_record()["VolumeKeySet"], 2)
        plain = 0x4000  # MOD_NOREPEAT alone
        expected = [[(plain, 0x75), (plain, 0x76), (plain, 0x77)], [(plain, 0x78), (plain, 0x79), (plain, 0x7A)]]
        wait_until(lambda: held_keys(program.log) == expected, what="F6-F8 and F9-F11 held")
        self.desktop.xdotool("key", "F8")
        wait_until(lambda: self.desktop.relay_calls(program, "user32.LockWorkStation"), what="the lock")
        self.assertEqual(self.desktop.main_windows(DIALOG), [])
        # Wine refuses every lock: the box names the action and Wine's reason.
        texts = wait_until(lambda: [t for t in self.desktop.texts(caption=BOX) if "失败" in t], what="the box")
        self.assertRegex(texts[0], r"^锁定失败：.+ \(120\)$")


def held_keys(log):
    """Replays the trace's hotkey calls: the keys each window holds, sorted."""
    held = {}
    pattern = r"Call user32\.(Register|Unregister)HotKey\(([0-9a-f]+),([0-9a-f]+)(?:,([0-9a-f]+),([0-9a-f]+))?"
    trace = Path(log).read_text(errors="replace")
    for kind, hwnd, key, modifiers, vk in re.findall(pattern, trace[:trace.rfind("\n") + 1]):  # whole lines
        keys = held.setdefault(hwnd, {})
        if kind == "Register":
            keys[key] = (int(modifiers, 16), int(vk, 16))
        else:
            keys.pop(key, None)
    return sorted(sorted(keys.values()) for keys in held.values() if keys)


if __name__ == "__main__":
    unittest.main()
