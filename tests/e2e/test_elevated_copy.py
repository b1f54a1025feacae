"""The copy of the program that does one administrator operation, under
Wine: started by hand it does exactly its write and exits with its status;
started through the program's own elevation, the password reaches it over
the private pipe and never appears on a command line. Wine runs everything
elevated, so the first copy never takes this path by itself here."""
import datetime
import shutil
import subprocess
import tempfile
import threading
import unittest
from pathlib import Path

from harness import EXE, DRIVER, RUN_KEY, SETTINGS_KEY, WINE, DesktopTest, wait_until
from test_auto_logon import TWEAKS, WINLOGON

DAY_ZERO = datetime.datetime(1899, 12, 30, tzinfo=datetime.timezone.utc)
PASSWORD = "Pw-9f3c1e only-in-the-pipe"


class ElevatedCopyTest(DesktopTest):
    def run_copy(self, *operation, relay=None):
        program = self.desktop.start_program("/elevated", "-", *operation, relay=relay)
        return program, program.wait(timeout=60)

    def untouched(self):
        """Nothing of a normal start: no window, no record, no Run entry."""
        self.assertEqual(self.desktop.main_windows(), [])
        self.assertIsNone(self.desktop.reg_query(SETTINGS_KEY, "setupinfo"))
        self.assertIsNone(self.desktop.reg_query(RUN_KEY, "Dormalix"))

    def test_the_logon_operation_writes_winlogon_and_the_tweaks_and_nothing_else(self):
        self.desktop.reg_add(WINLOGON, "DefaultPassword", "REG_SZ", "old")
        _, code = self.run_copy("logon", "0", "1", "1", "1")
        self.assertEqual(code, 0)
        self.assertEqual(self.desktop.reg_query(WINLOGON, "AutoadminLogon"), "0")
        self.assertIsNone(self.desktop.reg_query(WINLOGON, "DefaultPassword"))
        for key, name, expected in TWEAKS:
            self.assertEqual(self.desktop.reg_query(key, name), expected, name)
        self.untouched()
        # Logon on needs the account, which only a caller's pipe brings.
        _, code = self.run_copy("logon", "1", "1", "1", "1")
        self.assertEqual(code, 1)
        self.assertEqual(self.desktop.reg_query(WINLOGON, "AutoadminLogon"), "0")

    def test_the_clock_operation_sets_the_time_once(self):
        _, ticks = self.desktop.driver("ticks")
        hours_off = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(hours=5)
        seconds = str(int((hours_off - DAY_ZERO).total_seconds()))
        calls = "KERNEL32.SetSystemTime"
        program, code = self.run_copy("clock", seconds, ticks[0], relay=[calls])
        self.assertEqual(code, 1)  # Wine refuses a change of hours, as Windows refuses a user without the right
        self.assertEqual(len(self.desktop.relay_calls(program, calls)), 1)
        self.untouched()

    def test_the_task_operation_registers_the_logon_task_and_deletes_it(self):
        tasks = self.desktop.prefix / "drive_c" / "windows" / "system32" / "tasks"
        # Full rights at logon only for a program that no one but administrators may replace.
        _, code = self.run_copy("task", "1")
        self.assertEqual(code, 1)
        installed = self.desktop.prefix / "drive_c" / "Program Files" / "Tavrin"
        installed.mkdir(parents=True, exist_ok=True)
        shutil.copy(EXE, installed)
        for present in ("1", "0"):
            code, _ = self.desktop.run_wine(r"C:\Program Files\Tavrin\Tavrin.exe", "/elevated", "-", "task", present)
            self.assertEqual(code, 0)
            if present == "1":
                [task_file] = tasks.glob("Dormalix S-1-5-*")  # this user's own
                xml = task_file.read_text(encoding="utf-8-sig")
                # What Wine keeps of the definition; it drops the trigger, principal and action.
                for part in ("<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>", "<Priority>5</Priority>",
                             "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"):
                    self.assertIn(part, xml)
        self.assertEqual(list(tasks.glob("Dormalix *")), [])

    def test_the_password_goes_through_the_pipe_and_never_on_a_command_line(self):
        seen, stop = [], threading.Event()

        def watch():
            while not stop.is_set():
                for cmdline in Path("/proc").glob("[0-9]*/cmdline"):
                    try:
                        seen.append(cmdline.read_bytes())
                    except OSError:
                        pass

        watcher = threading.Thread(target=watch)
        watcher.start()
        try:
            with tempfile.TemporaryFile() as out:  # a file: a Wine process may keep a pipe open
                subprocess.run([WINE, str(DRIVER), "elevate", self.desktop.windows_path(EXE), "logon 1 0 0 0"],
                               input=("tester\0" + PASSWORD).encode(), env=self.desktop.env, stdout=out,
                               stderr=subprocess.DEVNULL, timeout=60)
                out.seek(0)
                answer = out.read().decode()
        finally:
            stop.set()
            watcher.join()
        self.assertEqual(answer.split()[0], "0", answer)  # done
        self.assertEqual(self.desktop.reg_query(WINLOGON, "DefaultPassword"), PASSWORD)
        self.assertEqual(self.desktop.reg_query(WINLOGON, "DefaultUserName"), "tester")
        self.assertTrue(any(b"/elevated" in c for c in seen), "the copy ran while the lines were read")
        self.assertFalse([c for c in seen if PASSWORD.encode() in c])


if __name__ == "__main__":
    unittest.main()
