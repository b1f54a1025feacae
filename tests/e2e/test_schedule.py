# The scheduled task under Wine: armed at start from the stored record, the
# notification-area icon and its tip, the countdown dialog and the action at
# zero.
import re
import unittest

from harness import DIALOG, SLOW, DesktopTest, record, wait_until

DAY = 86400.0
ICON = ("1013", "757")  # the only icon, at the right end of the 1024×768 desktop's taskbar
NOTIFY = "shell32.Shell_NotifyIconW"


class ScheduleTest(DesktopTest):
    def tips(self, pattern):
        """The taskbar's tips that match, from its tooltip tools."""
        return [t for t in self.desktop.driver("tips")[1] if re.search(pattern, t)]

    def test_a_the_icon_tells_the_task_a_postponed_countdown_runs_nothing_and_its_menu_exits(self):
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=2 / DAY, TaskIndex=1,
                                         CountdownSeconds=30))
        program = self.desktop.start_program("/run", relay=[NOTIFY, "user32.ExitWindowsEx"])
        wait_until(lambda: self.tips(r"^已安排：关机 \S+ \d+:\d\d:\d\d$"), what="the notice of what was armed")
        self.assertIn("(00000000,", self.desktop.relay_calls(program, NOTIFY)[0])  # NIM_ADD
        wait_until(lambda: self.desktop.main_windows(DIALOG), what="the countdown dialog")
        self.desktop.click(self.desktop.control("推迟10分钟", caption=DIALOG))
        wait_until(lambda: self.tips(r"\|关机（已推迟）：\d+分"), what="the postponed task in the tip")
        self.assertEqual(self.desktop.main_windows(DIALOG), [])
        self.desktop.xdotool("mousemove", *ICON, "click", "3")
        menu = wait_until(lambda: [l for l in self.desktop.driver("find", "#32768")[1] if l[0] == "1"], what="its menu")
        left, _, right, bottom = map(int, menu[0].split()[2:])
        self.desktop.xdotool("mousemove", str((left + right) // 2), str(bottom - 8), "click", "1")  # 退出, the last
        wait_until(lambda: program.poll() is not None, what="the process to end")
        self.assertIn("(00000002,", self.desktop.relay_calls(program, NOTIFY)[-1])  # NIM_DELETE
        self.assertEqual(self.desktop.relay_calls(program, "user32.ExitWindowsEx"), [])

    def test_z_the_reminder_counts_down_and_shuts_down_at_zero(self):
        # Last: the shut-down ends every program of the prefix.
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=4 / DAY, TaskIndex=1,
                                         CountdownSeconds=3))
        program = self.desktop.start_program("/run", relay=["user32.ExitWindowsEx"])
        self.assertEqual(program.wait(timeout=SLOW), 0)
        [call] = self.desktop.relay_calls(program, "user32.ExitWindowsEx")
        self.assertIn("(00000001,ffffffff)", call)


if __name__ == "__main__":
    unittest.main()
