# Commands from scripts under Wine: a later start hands its command to the
# running copy's window and answers on standard output, with an exit code.
import subprocess
import time
import unittest

from harness import BOX, EXE, SETTINGS_KEY, SLOW, WINE, DesktopTest, wait_until

COM = EXE.with_suffix(".com")  # the console launcher: its exit code and output are the program's


class ScriptCommandsTest(DesktopTest):
    def command(self, *args):
        code, out = self.desktop.run_wine(str(COM), *args)
        return code, out.decode("utf-8").strip()

    def test_commands_start_arm_cancel_and_run_a_task_in_a_hidden_copy(self):
        self.assertEqual(self.command("/status"), (3, "Tavrin－定时关机免费版 没有在运行。"))
        # Read through a pipe, as a script captures it: the copy started hidden
        # must not hold the pipe, or the read never ends.
        started = subprocess.run([WINE, str(COM), "/action", "lock", "/in", "1h", "/noremind"], env=self.desktop.env,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                 timeout=SLOW)
        self.assertEqual(started.returncode, 0)
        self.assertIn("已设定：锁定", started.stdout.decode("utf-8"))
        self.assertEqual(self.desktop.main_windows(), [(False, False)])
        self.assertEqual(self.command("/status")[0], 0)
        self.assertEqual(self.command("/cancel")[0], 0)
        self.assertEqual(self.command("/status")[0], 1)
        armed = time.monotonic()
        self.assertEqual(self.command("/action", "锁定", "/in", "3s", "/noremind")[0], 0)
        # Wine refuses every lock, and the running copy says so in a box.
        wait_until(lambda: [t for t in self.desktop.texts(caption=BOX) if t.startswith("锁定失败")], what="the lock")
        # The count steps at the clock's whole seconds: three pass in just over two.
        self.assertGreater(time.monotonic() - armed, 2.0)
        self.assertIsNone(self.desktop.reg_query(SETTINGS_KEY, "setupinfo"))  # armed without /save


if __name__ == "__main__":
    unittest.main()
