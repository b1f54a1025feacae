# The automatic-logon pane under Wine, and the copy of the program that does
# one administrator operation: what each leaves in Wine's registry. Wine runs
# everything elevated, so the first copy never takes the elevated path by
# itself here: the driver calls it as the first copy would.
import datetime
import unittest

from harness import DRIVER, EXE, MACHINE_RUN_KEY, RUN_KEY, SETTINGS_KEY, SLOW, DesktopTest, wait_until, windows_path

PANE = "开机自动登录"
WINLOGON = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon"
TWEAKS = [  # key, value, what an untouched Save leaves: one in each root the tweaks use
    (r"HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer", "NoDriveTypeAutoRun", "0xffffffdf"),
    (r"HKCR\AudioCD\shell", "play", "0x1"),
]
PASSWORD = "Pw-9f3c1e only-in-the-pipe"


class AutoLogonTest(DesktopTest):
    def edits(self):
        return [c for c in self.desktop.controls(PANE) if c["cls"] == "Edit"]

    def test_save_with_the_lock_choice_writes_windows_values_the_record_and_the_users_run_entry(self):
        self.desktop.reg_add(MACHINE_RUN_KEY, "Dormalix", "REG_SZ", "an earlier version's entry")
        self.desktop.start_program()
        self.desktop.show_pane(4, PANE)
        self.assertFalse(self.edits()[0]["enabled"])  # logon is off: the boxes wait
        self.desktop.click(self.desktop.control("开机自动登录后锁定电脑", PANE))
        wait_until(lambda: self.edits()[0]["enabled"], what="the boxes enabled")
        for edit, text in zip(self.edits(), ("tester", "s3cret pw")):
            self.desktop.click(edit)
            self.desktop.xdotool("key", "End", "shift+Home", "BackSpace")
            self.desktop.xdotool("type", "--delay", "20", text)
        self.desktop.click(self.desktop.control("保存", PANE))
        wait_until(lambda: "已保存。" in self.desktop.texts(PANE), what="the outcome line, after the last write")
        self.assertEqual([self.desktop.reg_query(WINLOGON, n) for n in ("AutoadminLogon", "DefaultUserName",
                                                                          "DefaultPassword")], ["1", "tester", "s3cret pw"])
        self.assertEqual([self.desktop.reg_query(k, n) for k, n, _ in TWEAKS], [v for _, _, v in TWEAKS])
        self.assertEqual(self.desktop.stored_record()["AutoLogonLock"], 1)
        # The lock needs the program at logon: this user's entry, and none for every user.
        self.assertEqual(self.desktop.reg_query(RUN_KEY, "Dormalix"), f'"{windows_path(EXE)}" /run')
        self.assertIsNone(self.desktop.reg_query(MACHINE_RUN_KEY, "Dormalix"))

    def test_the_elevated_copy_does_its_one_operation_and_nothing_of_a_normal_start(self):
        def copy(*operation, relay=None):
            program = self.desktop.start_program("/elevated", "-", *operation, relay=relay)
            return program, program.wait(timeout=SLOW)
        self.assertEqual(copy("logon", "1", "1", "1", "1")[1], 1)  # the account comes only through a pipe
        # Wine refuses a change of hours, as Windows refuses a user without the right: one call, and a failure.
        hours_off = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(hours=5)
        day_zero = datetime.datetime(1899, 12, 30, tzinfo=datetime.timezone.utc)
        ticks = self.desktop.driver("ticks")[1][0]
        program, code = copy("clock", str(int((hours_off - day_zero).total_seconds())), ticks,
                             relay=["KERNEL32.SetSystemTime"])
        self.assertEqual((code, len(self.desktop.relay_calls(program, "KERNEL32.SetSystemTime"))), (1, 1))
        # The logon task only for a program that no one but administrators may
        # replace (the package test makes and removes it from Program Files).
        self.assertEqual(copy("task", "1")[1], 1)
        # Through the program's own elevation the account goes over the pipe: on the
        # copy's command line it would leave the operation unreadable.
        _, answer = self.desktop.run_wine(str(DRIVER), "elevate", windows_path(EXE), "logon 1 0 0 0",
                                          input=("tester\0" + PASSWORD).encode())
        self.assertEqual(answer.split()[0], b"0", answer)
        self.assertEqual(self.desktop.reg_query(WINLOGON, "DefaultPassword"), PASSWORD)
        self.assertEqual(self.desktop.main_windows(), [])
        self.assertIsNone(self.desktop.reg_query(SETTINGS_KEY, "setupinfo"))
        self.assertIsNone(self.desktop.reg_query(RUN_KEY, "Dormalix"))


if __name__ == "__main__":
    unittest.main()
