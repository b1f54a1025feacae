# The application shell under Wine: one window, hidden starts, the single
# copy, closing and exiting, and the lock before any window.
import unittest
from pathlib import Path

from harness import RUN_KEY, SETTINGS_KEY, SLOW, DesktopTest, record, wait_until

LOCK = "user32.LockWorkStation"


class ShellTest(DesktopTest):
    def window(self, *state):
        return wait_until(lambda: self.desktop.main_windows() == [state], what=f"one main window {state}")

    def test_one_window_whose_close_hides_and_whose_exit_ends(self):
        program = self.desktop.start_program()
        self.window(True, True)
        self.assertEqual(self.desktop.front_pane(), ("定时关机", 5))
        self.desktop.show_pane(3, "一键静音")
        self.desktop.xdotool("key", "alt+F4")  # as the close box: it hides
        self.window(False, False)
        self.assertEqual(self.desktop.start_program().wait(timeout=SLOW), 0)  # a second start brings it back
        self.window(True, True)
        self.assertIsNone(program.poll())
        self.desktop.click_toolbar(0)  # 退出
        wait_until(lambda: program.poll() is not None, what="the process to end")
        # A first run, looked at and closed, leaves no record and no Run entry.
        self.assertIsNone(self.desktop.reg_query(SETTINGS_KEY, "setupinfo"))
        self.assertIsNone(self.desktop.reg_query(RUN_KEY, "Dormalix"))

    def test_a_hidden_start_at_logon_locks_before_any_window_and_a_later_start_restores_it(self):
        self.desktop.store_record(record(AutoLogonLock=1))
        first = self.desktop.start_program("/run", relay=[LOCK, "user32.CreateWindowExW"])
        self.window(False, False)
        trace = Path(first.log).read_text(errors="replace")
        self.assertLess(trace.index(f"Call {LOCK}("), trace.index("Call user32.CreateWindowExW("))
        # A second start at logon leaves it hidden but locks; one by hand shows it.
        second = self.desktop.start_program("/run", relay=[LOCK])
        self.assertEqual(second.wait(timeout=SLOW), 0)
        self.assertEqual(len(self.desktop.relay_calls(second, LOCK)), 1)
        self.assertEqual(self.desktop.main_windows(), [(False, False)])
        self.assertEqual(self.desktop.start_program().wait(timeout=SLOW), 0)
        self.window(True, True)
        wait_until(lambda: self.desktop.front_pane() == ("定时关机", 5), what="its first showing with every pane")
        self.assertEqual(len(self.desktop.relay_calls(first, LOCK)), 1)
        self.assertIsNone(first.poll())


if __name__ == "__main__":
    unittest.main()
