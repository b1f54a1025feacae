# The packages as a user receives them: cpack builds the zip and the
# installer; the installer and its uninstaller run silently under Wine in a
# prefix of the test's own (no display), and the test looks at the files, the
# shortcut and the registry they leave. The program itself never shows.
import contextlib
import os
import re
import subprocess
import sys
import unittest
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from harness import BUILD, DRIVER, EXE, MACHINE_RUN_KEY, QUIET, ROOT, RUN_KEY, SETTINGS_KEY, SLOW, WINE, \
    wait_until, WineDesktop  # noqa: E402

TITLE, FOLDER = "Tavrin－定时关机免费版", r"C:\Program Files\Tavrin"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin"
FILES = ["Tavrin.exe", "Tavrin.com", "Tavrin.html", "README.txt"]
ABORTED = 2  # an installer's exit code when its script gives up
# The mutex the installer looks for must be the one every copy of the program holds.
MUTEX = re.search(r'!define SINGLE_COPY_MUTEX "([^"]+)"', (ROOT / "cmake" / "nsis" / "NSIS.template.in").read_text()
                  ).group(1)
assert 'L"%s"' % MUTEX.replace("\\", "\\\\") in (ROOT / "src/platform/win32/application_win32.cpp").read_text()


class PackageTest(unittest.TestCase):
    def setUp(self):
        # The desktop's helpers in a prefix of the test's own without a display.
        self.wine = WineDesktop("package")
        self.addCleanup(self.wine.stop)
        self.wine.start(display=False)
        packages = self.wine.dir / "packages"
        subprocess.run([os.environ.get("CPACK_COMMAND", "cpack"), "--config", str(BUILD / "CPackConfig.cmake"), "-B",
                        str(packages)], check=True, timeout=SLOW, **QUIET)
        [self.zip], [self.setup] = packages.glob("Tavrin-*-win64.zip"), packages.glob("Tavrin-*-win64-setup.exe")

    def path(self, windows_path):
        return self.wine.prefix / "drive_c" / windows_path[3:].replace("\\", "/")

    @contextlib.contextmanager
    def copy_running(self):
        # A stand-in that holds the program's mutex; closing its input ends it.
        holder = subprocess.Popen([WINE, str(DRIVER), "hold", MUTEX], env=self.wine.env, stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.assertEqual(holder.stdout.readline().strip(), b"holding")
        yield
        holder.stdin.close()
        self.assertEqual(holder.wait(timeout=SLOW), 0)

    def uninstall(self, folder):
        # The uninstaller hands over to a copy of itself and returns at once:
        # wait for what it removes last.
        self.assertEqual(self.wine.run_wine(rf"{folder}\Uninstall.exe", "/S")[0], 0)
        wait_until(lambda: self.wine.reg_values(UNINSTALL_KEY) is None, what="the Add/Remove Programs entry removed")

    def test_install_and_uninstall_leave_what_they_should_and_wait_for_a_running_copy(self):
        with zipfile.ZipFile(self.zip) as z:
            self.assertEqual(sorted(z.namelist()), sorted(f"{self.zip.stem}/{f}" for f in FILES))
        # A folder without blanks: the uninstaller reads "_?=" (run in place) only unquoted.
        with self.copy_running():
            self.assertEqual(self.wine.run_wine(str(self.setup), "/S", r"/D=C:\Tavrin")[0], ABORTED)
            self.assertFalse(self.path(r"C:\Tavrin").exists())
        self.assertEqual(self.wine.run_wine(str(self.setup), "/S", r"/D=C:\Tavrin")[0], 0)
        with self.copy_running():
            self.assertEqual(self.wine.run_wine(r"C:\Tavrin\Uninstall.exe", "/S", r"_?=C:\Tavrin")[0], ABORTED)
            self.assertEqual(sorted(p.name for p in self.path(r"C:\Tavrin").iterdir()), sorted(FILES + ["Uninstall.exe"]))
        self.uninstall(r"C:\Tavrin")
        wait_until(lambda: not self.path(r"C:\Tavrin").exists(), what="the folder removed")
        # The default folder, over an earlier version's entry for every user.
        self.wine.reg_add(MACHINE_RUN_KEY, "Dormalix", "REG_SZ", "an earlier version's entry")
        self.assertEqual(self.wine.run_wine(str(self.setup), "/S")[0], 0)
        self.assertNotIn("Dormalix", self.wine.reg_values(MACHINE_RUN_KEY))
        self.assertEqual((self.path(FOLDER) / "Tavrin.exe").read_bytes(), EXE.read_bytes())
        link = self.path(r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs") / f"{TITLE}.lnk"
        self.assertIn(rf"{FOLDER}\Tavrin.exe".encode("utf-16-le"), link.read_bytes())
        # What the program leaves once it has run, beside other programs' values.
        for key in (RUN_KEY, MACHINE_RUN_KEY):
            self.wine.reg_add(key, "Dormalix", "REG_SZ", rf'"{FOLDER}\Tavrin.exe" /run')
            self.wine.reg_add(key, "SomeOtherTool", "REG_SZ", r"C:\other\tool.exe")
        self.wine.reg_add(SETTINGS_KEY, "setupinfo", "REG_BINARY", "0300ffff1e00")
        tasks = self.path(r"C:\windows\system32\tasks")
        self.assertEqual(self.wine.run_wine(rf"{FOLDER}\Tavrin.exe", "/elevated", "-", "task", "1")[0], 0)
        self.assertEqual(len(list(tasks.glob("Dormalix *"))), 1)
        (self.path(FOLDER) / "notes of the user.txt").write_text("mine")  # keeps the folder
        self.uninstall(FOLDER)
        self.assertEqual([p.name for p in self.path(FOLDER).iterdir()], ["notes of the user.txt"])
        self.assertFalse(link.exists())
        for key in (RUN_KEY, MACHINE_RUN_KEY):
            run = self.wine.reg_values(key)
            self.assertEqual(("Dormalix" in run, run.get("SomeOtherTool")), (False, r"C:\other\tool.exe"))
        self.assertIsNone(self.wine.reg_values(SETTINGS_KEY))
        self.assertEqual(list(tasks.glob("Dormalix *")), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
