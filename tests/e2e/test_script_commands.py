"""Commands from scripts under Wine: a later start hands its command to the
running copy's window and answers on standard output, with an exit code."""
import subprocess
import time
import unittest

from harness import EXE, SETTINGS_KEY, WINE, DesktopTest, wait_until

LOCK = "user32.LockWorkStation"
ARM = ("/action", "锁定", "/in", "3s", "/noremind")


class ScriptCommandsTest(DesktopTest):
    def command(self, *args):
        code, out = self.desktop.run_wine(str(EXE), *args)
        return code, out.decode("utf-8")

    def start_hidden(self):
        program = self.desktop.start_program("/run", relay=[LOCK])
        wait_until(lambda: self.desktop.main_windows() == [(False, False)], what="the hidden copy")
        return program

    def test_an_armed_task_runs_in_the_running_copy_at_its_moment(self):
        program = self.start_hidden()
        armed = time.monotonic()
        self.assertEqual(self.command(*ARM)[0], 0)
        code, out = self.command("/status")
        self.assertEqual(code, 0)
        self.assertIn("锁定", out)

        wait_until(lambda: self.desktop.relay_calls(program, LOCK), timeout=30, interval=0.05, what="the lock")
        self.assertTrue(2.0 < time.monotonic() - armed < 10.0)  # about 3 s; the rest is Wine's start-up
        time.sleep(1)
        self.assertEqual(len(self.desktop.relay_calls(program, LOCK)), 1)

    def test_cancel_stops_the_armed_task(self):
        program = self.start_hidden()
        self.assertEqual(self.command(*ARM)[0], 0)
        code, out = self.command("/cancel")
        self.assertEqual(code, 0)
        self.assertIn("锁定", out)
        self.assertEqual(self.command("/status")[0], 1)
        time.sleep(4)
        self.assertEqual(self.desktop.relay_calls(program, LOCK), [])
        self.assertIsNone(program.poll())

    def test_with_no_copy_running_an_action_starts_a_hidden_one_and_a_malformed_command_changes_nothing(self):
        # Through the console launcher: its exit code and output are the program's.
        code, out = self.desktop.run_wine(str(EXE.with_suffix(".com")), "/status")
        self.assertEqual((code, out.decode("utf-8").strip()), (3, "Tavrin－定时关机免费版 没有在运行。"))
        self.assertEqual(self.desktop.main_windows(), [])
        try:
            # Read through a pipe, as a script captures it: the copy started
            # hidden must not hold the pipe, or the read never ends.
            com = subprocess.run([WINE, str(EXE.with_suffix(".com")), "/action", "lock", "/in", "1h", "/noremind"],
                                 env=self.desktop.env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, timeout=60)
            self.assertEqual(com.returncode, 0)
            self.assertIn("已设定：锁定", com.stdout.decode("utf-8"))
            self.assertEqual(self.desktop.main_windows(), [(False, False)])
            code, out = self.command("/action", "关机", "/in", "24h")
            self.assertEqual(code, 2)
            self.assertIn("/in 24h", out)
            code, out = self.command("/status")
            self.assertEqual(code, 0)
            self.assertIn("锁定", out)
            self.assertIsNone(self.desktop.reg_query(SETTINGS_KEY, "setupinfo"))  # armed without /save
        finally:
            self.desktop.end_copy()


if __name__ == "__main__":
    unittest.main()
