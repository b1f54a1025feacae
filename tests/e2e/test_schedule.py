"""The scheduled task under Wine: armed at start from the stored record, the
countdown dialog, the action at its second, and the running look of the pane."""
import re
import time
import unittest

from harness import CAPTION, DesktopTest, record, wait_until

DAY = 86400.0
SHUTDOWN_DIALOG = "Tavrin－定时关机免费版－关机"


def seconds_of(stamp):
    h, m, s = stamp.split(":")
    return int(h) * 3600 + int(m) * 60 + float(s)


class ScheduleTest(DesktopTest):
    def test_a_cancelled_countdown_runs_nothing(self):
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=2 / DAY, TaskIndex=1,
                                         CountdownEnabled=-1, CountdownSeconds=30))
        program = self.desktop.start_program("/run", relay=["user32.ExitWindowsEx"])
        wait_until(lambda: self.desktop.main_windows(SHUTDOWN_DIALOG), timeout=30, what="the countdown dialog")
        controls = self.desktop.controls(caption=SHUTDOWN_DIALOG)
        texts = [c["text"] for c in controls]
        self.assertTrue(any(re.fullmatch(r"系统将在(30|29|28)秒后关机！", t) for t in texts), texts)
        self.assertIn("立即关机", texts)
        self.desktop.xdotool("key", "Escape")  # the dialog has the focus, and Esc is 取消
        wait_until(lambda: not self.desktop.main_windows(SHUTDOWN_DIALOG), what="the dialog to close")
        time.sleep(2)
        self.assertIsNone(program.poll())
        self.assertEqual(self.desktop.relay_calls(program, "user32.ExitWindowsEx"), [])
        self.assertEqual(self.desktop.main_windows(), [(False, False)])  # still hidden

    def test_b_without_the_reminder_the_action_runs_at_its_moment(self):
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=3 / DAY, TaskIndex=4,
                                         CountdownEnabled=0))
        started = time.monotonic()
        program = self.desktop.start_program("/run", relay=["user32.LockWorkStation"])
        wait_until(lambda: self.desktop.relay_calls(program, "user32.LockWorkStation"), timeout=30,
                   interval=0.05, what="the lock")
        self.assertGreater(time.monotonic() - started, 2.0)
        self.assertEqual(self.desktop.main_windows("Tavrin－定时关机免费版－锁定"), [])

    def test_c_the_pane_shows_the_running_look_and_the_live_caption(self):
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=1 / 24, TaskIndex=2))
        self.desktop.start_program()
        wait_until(lambda: self.desktop.main_windows() == [(True, True)], what="the main window")
        self.desktop.click_toolbar(2)  # another pane in front, then the schedule again
        self.desktop.click_toolbar(1)
        wait_until(lambda: self.desktop.panes()[0][1] == "定时关机", what="the schedule pane in front")
        first = self.desktop.controls("定时关机")
        self.assertRegex(first[0]["text"], r"^开始时间：.+ 剩余时间：(1小时|59分 \d+秒)$")
        button = self.desktop.control("停止计时", "定时关机")
        self.assertTrue(button["enabled"])
        disabled = [c for c in first if c["cls"] in ("ComboBox", "SysDateTimePick32") and c["enabled"]]
        self.assertEqual(disabled, [])
        time.sleep(1.2)
        self.assertNotEqual(self.desktop.controls("定时关机")[0]["text"], first[0]["text"])

        self.desktop.click(button)  # stop: the idle look with the stored settings
        wait_until(lambda: self.desktop.controls("定时关机")[0]["text"] == "定时关机任务", what="the idle look")
        self.desktop.control("保存并应用", "定时关机")

    def test_z_the_reminder_counts_down_and_shuts_down_at_zero(self):
        # Last: the shut-down ends every program of the prefix.
        self.desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=4 / DAY, TaskIndex=1,
                                         CountdownEnabled=-1, CountdownSeconds=3))
        watch = self.desktop.start_watch(SHUTDOWN_DIALOG, 30000)
        program = self.desktop.start_program("/run", relay=["user32.ExitWindowsEx", "user32.SetWindowTextW"])
        self.assertEqual(program.wait(timeout=40), 0)
        calls = self.desktop.relay_calls(program, "user32.ExitWindowsEx")
        self.assertEqual(len(calls), 1)
        self.assertIn("(00000001,ffffffff)", calls[0])

        lines = watch.lines(timeout=40)
        # An empty text is the dialog going while it was read.
        texts = [t for kind, _, t in (line.split(" ", 2) for line in lines if line.startswith("text ")) if t]
        counts = [f"系统将在{n}秒后关机！" for n in (3, 2, 1, 0)]
        self.assertIn(texts, (counts[:3], counts))
        # 0 is shown in the same event that runs the action, mostly too briefly
        # to be read from outside: the trace shows it set before the call.
        with open(program.log, errors="replace") as trace:
            text = trace.read()
        zero = text.find(r"\7cfb\7edf\5c06\57280\79d2")  # 系统将在0秒
        self.assertGreaterEqual(zero, 0)
        self.assertLess(zero, text.index("Call user32.ExitWindowsEx("))
        appeared = seconds_of(lines[0].split()[1])
        self.assertLess(appeared % 1, 0.5, "the dialog came late in its second")


if __name__ == "__main__":
    unittest.main()
