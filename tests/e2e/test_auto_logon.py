"""The automatic-logon pane under Wine: what Save leaves in Wine's registry,
and what a restart shows."""
import time
import unittest

from harness import EXE, MACHINE_RUN_KEY, RUN_KEY, SETTINGS_KEY, DesktopTest, unpack_record, wait_until

PANE = "开机自动登录"
WINLOGON = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon"
TWEAKS = [  # key, value, what an untouched Save leaves
    (r"HKLM\system\currentcontrolset\services\lanmanserver\parameters", "autoshareserver", "0x0"),
    (r"HKLM\system\currentcontrolset\services\lanmanserver\parameters", "autoShareWks", "0x0"),
    (r"HKLM\system\currentcontrolset\control\lsa", "RestrictAnonymous", "0x1"),
    (r"HKLM\Software\Policies\Microsoft\Windows NT\Reliability", "ShutdownReasonUI", "0x0"),
    (r"HKLM\Software\Policies\Microsoft\Windows NT\Reliability", "ShutdownReasonOn", "0x0"),
    (r"HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\system", "disablecad", "0x1"),
    (r"HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer", "NoDriveTypeAutoRun", "0xffffffdf"),
    (r"HKLM\SYSTEM\CurrentControlSet\Services\Cdrom", "Autorun", "0x1"),
    (r"HKCR\AudioCD\shell", "play", "0x1"),
]


class AutoLogonTest(DesktopTest):
    def show_pane(self):
        wait_until(lambda: self.desktop.main_windows() == [(True, True)], what="the main window")
        self.desktop.click_toolbar(4)
        wait_until(lambda: self.desktop.panes()[0][1] == PANE, what="the logon pane in front")

    def test_save_with_the_lock_choice_writes_windows_values_the_record_and_the_users_run_entry(self):
        self.desktop.reg_delete_value(WINLOGON, "AutoadminLogon")
        self.desktop.reg_add(MACHINE_RUN_KEY, "Dormalix", "REG_SZ", "an earlier version's entry")
        self.desktop.start_program()
        self.show_pane()
        edits = [c for c in self.desktop.controls(PANE) if c["cls"] == "Edit"]
        self.assertEqual(edits[0]["text"], "administrator")
        self.assertFalse(edits[0]["enabled"])  # logon is off: the boxes wait

        self.desktop.click(self.desktop.control("开机自动登录后锁定电脑", PANE))
        wait_until(lambda: [c for c in self.desktop.controls(PANE) if c["cls"] == "Edit"][0]["enabled"],
                   what="the boxes enabled")
        self.desktop.type_into(edits[0], "tester")
        self.desktop.type_into(edits[1], "s3cret pw")
        self.desktop.click(self.desktop.control("保存", PANE))

        # The outcome line comes after the last write.
        wait_until(lambda: any(c["text"] == "已保存。" for c in self.desktop.controls(PANE)), what="the outcome line")
        self.assertEqual(self.desktop.reg_query(WINLOGON, "AutoadminLogon"), "1")
        self.assertEqual(self.desktop.reg_query(WINLOGON, "DefaultUserName"), "tester")
        self.assertEqual(self.desktop.reg_query(WINLOGON, "DefaultPassword"), "s3cret pw")
        for key, name, expected in TWEAKS:
            self.assertEqual(self.desktop.reg_query(key, name), expected, name)
        stored = bytes.fromhex(self.desktop.reg_query(SETTINGS_KEY, "setupinfo"))
        self.assertEqual(len(stored), 56)
        self.assertEqual(unpack_record(stored)["AutoLogonLock"], 1)
        # The lock needs the program at logon: this user's entry, and none for every user.
        self.assertEqual(self.desktop.reg_query(RUN_KEY, "Dormalix"), f'"{self.desktop.windows_path(EXE)}" /run')
        self.assertIsNone(self.desktop.reg_query(MACHINE_RUN_KEY, "Dormalix"))

        # A restart shows the stored logon choice; the tweaks start as built.
        self.desktop.end_programs()
        self.desktop.start_program()
        self.show_pane()
        controls = {c["text"]: c for c in self.desktop.controls(PANE) if c["cls"] == "Button"}
        self.assertEqual(controls["开机自动登录后锁定电脑"]["checked"], 1)
        self.assertEqual(controls["取消自动登录"]["checked"], 0)
        self.assertEqual(controls["禁用Windows自动共享"]["checked"], 1)
        self.assertEqual(controls["禁用Windows2003关机提示"]["checked"], 1)
        self.assertEqual(controls["禁用所有除光驱外"]["checked"], 1)
        edits = [c for c in self.desktop.controls(PANE) if c["cls"] == "Edit"]
        self.assertEqual(edits[0]["text"], "tester")
        self.assertTrue(edits[0]["enabled"])


if __name__ == "__main__":
    unittest.main()
