"""Hotkeys under Wine in the virtual desktop, started hidden."""
import re
import time
import unittest

from harness import BOX, SETTINGS_KEY, DesktopTest, record, unpack_record, wait_until

DIALOG = "Tavrin－定时关机免费版－关机"


class HotkeyTest(DesktopTest):
    def key_sets(self):
        data = self.desktop.reg_query(SETTINGS_KEY, "setupinfo")
        stored = unpack_record(bytes.fromhex(data)) if data else {}
        return stored.get("PowerKeySet"), stored.get("VolumeKeySet")

    def start_hidden(self, relay, **fields):
        self.desktop.store_record(record(**fields))
        program = self.desktop.start_program("/run", relay=relay)
        wait_until(lambda: self.desktop.main_windows() == [(False, False)], what="the hidden main window")
        wait_until(lambda: len(self.desktop.relay_calls(program, "user32.RegisterHotKey")) >= 7,
                   what="both groups registered")
        return program

    def test_ctrl_f9_held_opens_one_dialog_and_a_stray_key_only_cancels_it(self):
        program = self.start_hidden(["user32.RegisterHotKey", "user32.ExitWindowsEx"], PowerKeyCountdown=1)
        # Each key under an identifier of its own, none repeating while held:
        # the four Ctrl keys on the power pane, F6-F8 on the volume pane.
        calls = [line.split("(")[1].split(",") for line in self.desktop.relay_calls(program, "user32.RegisterHotKey")]
        self.assertEqual([c[1] for c in calls],
                         ["00000278", "00000279", "0000027a", "0000027b", "00000075", "00000076", "00000077"])
        self.assertTrue(all(int(c[2], 16) & 0x4000 for c in calls))
        pressed = time.monotonic()
        self.desktop.xdotool("keydown", "ctrl+F9")
        time.sleep(1.5)
        self.desktop.xdotool("keyup", "ctrl+F9")
        wait_until(lambda: self.desktop.main_windows(DIALOG), what="the countdown dialog")
        self.desktop.xdotool("key", "ctrl+F9")  # pressed again: the same dialog comes forward
        time.sleep(0.5)
        self.assertEqual(len(self.desktop.main_windows(DIALOG)), 1)
        # The focus starts on 取消: a space meant for another program cancels.
        self.desktop.xdotool("key", "space")
        wait_until(lambda: not self.desktop.main_windows(DIALOG), what="the dialog gone")
        wait_until(lambda: time.monotonic() - pressed > 35, timeout=40, what="35 s after the press")
        self.assertEqual(self.desktop.relay_calls(program, "user32.ExitWindowsEx"), [])
        self.assertIsNone(program.poll())

    def test_ctrl_f11_without_the_countdown_locks_at_once(self):
        program = self.start_hidden(["user32.RegisterHotKey", "user32.LockWorkStation"], PowerKeyCountdown=0)
        self.desktop.xdotool("key", "ctrl+F11")
        wait_until(lambda: self.desktop.relay_calls(program, "user32.LockWorkStation"), what="the lock")
        self.assertFalse(self.desktop.main_windows(DIALOG))
        # Wine refuses every lock: the box names the action and Wine's reason.
        texts = wait_until(lambda: [c["text"] for c in self.desktop.controls(caption=BOX) if "失败" in c["text"]],
                           what="the lock's box")
        self.assertRegex(texts[0], r"^锁定失败：.+ \(120\)$")

    def test_choosing_f6_for_the_power_keys_moves_the_volume_keys_to_f9(self):
        program = self.desktop.start_program(relay=["user32.RegisterHotKey", "user32.UnregisterHotKey"])
        wait_until(lambda: self.desktop.main_windows() == [(True, True)], what="the main window")
        self.desktop.click_toolbar(2)
        wait_until(lambda: self.desktop.panes()[0][1] == "一键关机", what="the power pane in front")
        self.desktop.click(self.desktop.control("关机按F6，休眠按F7，锁定按F8", "一键关机"))
        wait_until(lambda: self.desktop.control("关机按F6，休眠按F7，锁定按F8", "一键关机")["checked"] == 1,
                   what="F6-F8 chosen")
        wait_until(lambda: self.key_sets() == (1, 2), what="both key sets stored")

        # What each window holds in the end, once the trace has caught up.
        plain = 0x4000  # MOD_NOREPEAT alone
        expected = [[(plain, 0x75), (plain, 0x76), (plain, 0x77)], [(plain, 0x78), (plain, 0x79), (plain, 0x7A)]]
        wait_until(lambda: held_keys(program.log) == expected, what="F6-F8 and F9-F11 held")
        self.assertEqual(self.desktop.control("减少音量按F9，增加音量按F10，静音/取消静音按F11", "一键静音")["checked"], 1)


def held_keys(log):
    """Replays the trace's hotkey calls: the keys each window holds, sorted."""
    held = {}
    with open(log, errors="replace") as trace:
        for line in trace:
            if not line.endswith("\n"):
                break  # still being written
            call = re.search(r"Call user32\.(Register|Unregister)HotKey\(([0-9a-f]+),([0-9a-f]+)(?:,([0-9a-f]+),([0-9a-f]+))?", line)
            if not call:
                continue
            kind, hwnd, key_id = call.group(1), call.group(2), int(call.group(3), 16)
            keys = held.setdefault(hwnd, {})
            if kind == "Register":
                keys[key_id] = (int(call.group(4), 16), int(call.group(5), 16))
            else:
                keys.pop(key_id, None)
    return sorted(sorted(keys.values()) for keys in held.values() if keys)


if __name__ == "__main__":
    unittest.main()
