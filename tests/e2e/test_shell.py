"""The application shell under Wine: one window, hidden starts, the single
copy, closing and exiting, and the lock before any window."""
import shutil
import time
import unittest

from harness import CAPTION, RUN_KEY, SETTINGS_KEY, BUILD, DesktopTest, record, unpack_record, wait_until

PANES = ["定时关机", "一键关机", "一键静音", "开机自动登录", "网络自动校时"]


class ShellTest(DesktopTest):
    def wait_for_window(self, visible):
        return wait_until(lambda: [w for w in self.desktop.main_windows() if w[0] == visible],
                          what=f"a {'visible' if visible else 'hidden'} main window")

    def test_a_normal_start_shows_one_window_with_every_pane_and_the_schedule_in_front(self):
        program = self.desktop.start_program()
        self.wait_for_window(visible=True)
        time.sleep(0.5)
        self.assertEqual(len(self.desktop.main_windows()), 1)
        panes = self.desktop.panes()
        self.assertEqual(sorted(caption for _, caption in panes), sorted(PANES))
        self.assertTrue(all(visible for visible, _ in panes))
        self.assertEqual(panes[0][1], "定时关机")
        status = self.desktop.status()
        self.assertEqual(status[0], "定时关机")
        self.assertRegex(status[2], r"^\d{1,2}:\d\d:\d\d$")  # the model's clock reaches the bar
        self.desktop.screenshot(BUILD / "e2e" / "screenshot.png")

        # The toolbar switches panes and names the one in front.
        self.desktop.click_toolbar(3)
        wait_until(lambda: self.desktop.panes()[0][1] == "一键静音", what="the volume pane in front")
        wait_until(lambda: self.desktop.status()[0] == "一键静音", what="the bar naming it")
        self.assertIsNone(program.poll())

        # A first run, looked at and closed, leaves no record and no Run entry.
        self.desktop.close_main_window()
        self.wait_for_window(visible=False)
        self.assertIsNone(self.desktop.reg_query(SETTINGS_KEY, "setupinfo"))
        self.assertIsNone(self.desktop.reg_query(RUN_KEY, "Dormalix"))

    def test_run_starts_hidden_and_other_spellings_start_shown(self):
        hidden = self.desktop.start_program("/run")
        self.wait_for_window(visible=False)
        time.sleep(2)
        self.assertIsNone(hidden.poll())
        self.assertEqual(self.desktop.main_windows(), [(False, False)])
        self.desktop.end_programs()

        self.desktop.start_program("/Run")
        self.wait_for_window(visible=True)

    def test_a_second_start_restores_the_hidden_first_copy_and_ends(self):
        self.desktop.store_record(record(AutoLogonLock=1))
        first = self.desktop.start_program("/run", relay=["user32.LockWorkStation"])
        self.wait_for_window(visible=False)
        # A second start at logon (a task beside an old Run entry, or after a
        # logon script's command) leaves it hidden, but still locks.
        for arguments in (["/run"], []):
            second = self.desktop.start_program(*arguments, relay=["user32.LockWorkStation"])
            self.assertEqual(second.wait(timeout=30), 0)
            locks = self.desktop.relay_calls(second, "user32.LockWorkStation")
            self.assertEqual(len(locks), 1 if arguments else 0)
            if arguments:
                self.assertEqual(self.desktop.main_windows(), [(False, False)])
        self.assertIsNone(first.poll())
        wait_until(lambda: self.desktop.main_windows() == [(True, True)], what="the first copy in front")
        # Its first showing shows the panes too, the schedule in front.
        panes = wait_until(lambda: [p for p in self.desktop.panes() if p[0]], what="the panes shown")
        self.assertEqual(len(panes), 5)
        self.assertEqual(panes[0][1], "定时关机")
        self.assertEqual(len(self.desktop.relay_calls(first, "user32.LockWorkStation")), 1)

    def test_closing_hides_and_exit_ends_the_process(self):
        program = self.desktop.start_program()
        self.wait_for_window(visible=True)
        self.desktop.close_main_window()
        self.wait_for_window(visible=False)
        time.sleep(1)
        self.assertIsNone(program.poll())

        self.desktop.start_program().wait(timeout=30)  # brings it back
        wait_until(lambda: self.desktop.main_windows() == [(True, True)], what="the window in front")
        self.desktop.xdotool("key", "alt+F4")
        self.wait_for_window(visible=False)
        self.assertIsNone(program.poll())

        self.desktop.start_program().wait(timeout=30)
        self.wait_for_window(visible=True)
        self.desktop.click_toolbar(0)  # 退出
        self.assertIsNotNone(wait_until(lambda: program.poll() is not None, what="the process to end"))
        self.assertEqual(self.desktop.main_windows(), [])

    def test_a_hidden_start_locks_before_any_window_only_when_asked(self):
        for lock in (1, 0):
            self.desktop.end_programs()
            self.desktop.store_record(record(AutoLogonLock=lock))
            program = self.desktop.start_program("/run", relay=["user32.LockWorkStation", "user32.CreateWindowExW"])
            self.wait_for_window(visible=False)
            with open(program.log, errors="replace") as trace:
                text = trace.read()
            locks = text.count("Call user32.LockWorkStation(")
            self.assertEqual(locks, lock)
            if lock:
                self.assertLess(text.index("Call user32.LockWorkStation("), text.index("Call user32.CreateWindowExW("))


if __name__ == "__main__":
    unittest.main()
