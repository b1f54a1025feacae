"""The notification-area icon under Wine's desktop taskbar: added at a hidden
start with the armed task in its tip, its menu's 退出, and a postponed
countdown. Tips are read from the taskbar's tooltip tools."""
import re
import time
import unittest

from harness import DesktopTest, record, wait_until

DAY = 86400.0
SHUTDOWN_DIALOG = "Tavrin－定时关机免费版－关机"
ICON = ("1013", "757")  # the only icon, at the right end of the 1024×768 desktop's taskbar


class NotifyIconTest(DesktopTest):
    def tips(self):
        return self.desktop.driver("tips")[1]

    def test_a_the_menu_exit_ends_the_process_and_removes_the_icon(self):
        # First, on a taskbar without icons or notices of programs gone.
        program = self.desktop.start_program("/run", relay=["shell32.Shell_NotifyIconW"])
        wait_until(lambda: [t for t in self.tips() if t.startswith("Tavrin")], what="the tip")
        self.desktop.xdotool("mousemove", *ICON)
        time.sleep(0.3)
        self.desktop.xdotool("click", "3")
        code, lines = wait_until(lambda: (lambda r: r if r[0] == 0 else None)(self.desktop.driver("menu")),
                                 what="the menu")
        left, _, right, bottom = map(int, lines[0].split())
        self.desktop.xdotool("mousemove", str((left + right) // 2), str(bottom - 8), "click", "1")  # 退出, the last
        wait_until(lambda: program.poll() is not None, what="the process to end")
        # NIM_DELETE, the last call. (Wine's taskbar keeps the tip's tool after it.)
        self.assertIn("(00000002,", self.desktop.relay_calls(program, "shell32.Shell_NotifyIconW")[-1])

    def test_b_a_hidden_start_adds_the_icon_with_the_armed_task_in_its_tip(self):
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=1 / 24, TaskIndex=1))
        program = self.desktop.start_program("/run", relay=["shell32.Shell_NotifyIconW"])
        wait_until(lambda: self.desktop.relay_calls(program, "shell32.Shell_NotifyIconW"), what="the icon")
        self.assertIn("(00000000,", self.desktop.relay_calls(program, "shell32.Shell_NotifyIconW")[0])  # NIM_ADD
        tip = wait_until(lambda: [t for t in self.tips() if t.startswith("Tavrin－定时关机免费版|")], what="the tip")
        self.assertRegex(tip[0], r"\|关机：(1小时|59分( \d+秒)?)后$")
        wait_until(lambda: any(re.fullmatch(r"已安排：关机 \S+ \d+:\d\d:\d\d", t) for t in self.tips()),
                   what="the notice of what was armed")

    def test_c_a_postponed_countdown_closes_and_runs_nothing_within_its_count(self):
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=2 / DAY, TaskIndex=1,
                                         CountdownEnabled=-1, CountdownSeconds=5))
        program = self.desktop.start_program("/run", relay=["user32.ExitWindowsEx"])
        wait_until(lambda: self.desktop.main_windows(SHUTDOWN_DIALOG), timeout=30, what="the countdown dialog")
        self.desktop.click(self.desktop.control("推迟10分钟", caption=SHUTDOWN_DIALOG))
        wait_until(lambda: not self.desktop.main_windows(SHUTDOWN_DIALOG), what="the dialog to close")
        time.sleep(6)
        self.assertIsNone(program.poll())
        self.assertEqual(self.desktop.relay_calls(program, "user32.ExitWindowsEx"), [])
        self.assertTrue(any(re.search(r"\|关机（已推迟）：\d+分", t) for t in self.tips()), self.tips())


if __name__ == "__main__":
    unittest.main()
