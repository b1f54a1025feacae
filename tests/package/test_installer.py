"""The packages as a user receives them: cpack builds the zip and the
installer; the installer and its uninstaller run silently under Wine in a
prefix of the test's own (no display), and the test looks at the files, the
shortcut and the registry they leave. The program itself is never started.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from harness import WINE, WINESERVER  # noqa: E402
BUILD = Path(os.environ.get("TAVRIN_BUILD", ROOT / "build" / "windows"))
EXE = Path(os.environ.get("TAVRIN_EXE", BUILD / "src" / "platform" / "win32" / "Tavrin.exe"))
HOLDER = Path(os.environ.get("TAVRIN_HOLDER", BUILD / "tests" / "package" / "single_copy_holder.exe"))
CPACK = os.environ.get("CPACK_COMMAND", "cpack")
WORK = BUILD / "package-test"
PACKAGES = WORK / "packages"

TITLE = "Tavrin－定时关机免费版"
PROGRAM_FOLDER = r"C:\Program Files\Tavrin"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin"
RUN_KEY = r"HKCU\software\microsoft\windows\currentversion\run"
MACHINE_RUN_KEY = r"HKLM\software\microsoft\windows\currentversion\run"  # where earlier versions wrote
SETTINGS_KEY = r"HKCU\Software\Dormalix"
PROGRAM_FILES = ["Tavrin.exe", "Tavrin.com", "Tavrin.html", "README.txt"]
ABORTED = 2  # an installer's exit code when its script gives up


QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def single_copy_mutex():
    """The mutex the installer looks for, which must be the one the program holds."""
    script = (ROOT / "cmake" / "nsis" / "NSIS.template.in").read_text(encoding="utf-8")
    name = re.search(r'!define SINGLE_COPY_MUTEX "([^"]+)"', script).group(1)
    program = (ROOT / "src" / "platform" / "win32" / "application_win32.cpp").read_text(encoding="utf-8")
    if 'L"%s"' % name.replace("\\", "\\\\") not in program:
        raise AssertionError(f"the program does not hold the mutex {name} the installer looks for")
    return name


def wait_until(condition, timeout=30.0, what="condition"):
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.2)


def setUpModule():
    if shutil.which("makensis") is None:
        raise RuntimeError("makensis is missing: tools/setup installs Debian's nsis")
    shutil.rmtree(WORK, ignore_errors=True)
    WORK.mkdir(parents=True)
    with open(WORK / "cpack.log", "wb") as log:
        r = subprocess.run([CPACK, "--config", str(BUILD / "CPackConfig.cmake"), "-B", str(PACKAGES)],
                           stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, timeout=120)
    if r.returncode != 0:
        raise RuntimeError(f"cpack failed, see {WORK / 'cpack.log'}")


def package(suffix):
    found = sorted(PACKAGES.glob(f"Tavrin-*-win64{suffix}"))
    if len(found) != 1:
        raise AssertionError(f"{len(found)} packages named Tavrin-*-win64{suffix}")
    return found[0]


class ZipTest(unittest.TestCase):
    def test_zip_holds_the_program_its_home_page_and_readme_in_one_folder(self):
        with zipfile.ZipFile(package(".zip")) as z:
            names = [n for n in z.namelist() if not n.endswith("/")]
            folder = package(".zip").stem
            self.assertEqual(sorted(names), sorted(f"{folder}/{f}" for f in PROGRAM_FILES))
            self.assertEqual(z.read(f"{folder}/Tavrin.exe"), EXE.read_bytes())


class InstallerTest(unittest.TestCase):
    """Each case in a fresh prefix with its own persistent wineserver."""

    def setUp(self):
        self.prefix = WORK / f"prefix-{self._testMethodName}"
        (BUILD.parent / "tmp").mkdir(parents=True, exist_ok=True)
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all", WINEARCH="win64",
                        # Wine's menu builder would copy the shortcut into the Linux desktop's menus.
                        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=",
                        TMPDIR=str(BUILD.parent / "tmp"), LANG="zh_CN.UTF-8")
        for name in ("LC_ALL", "DISPLAY", "WAYLAND_DISPLAY"):
            self.env.pop(name, None)
        subprocess.run(["bash", "-c", f'source "{ROOT}/tools/lib/wine-env" && make_prefix "{self.prefix}" unit'],
                       check=True, env=dict(self.env, TAVRIN_BUILD=str(BUILD.parent)), timeout=120, **QUIET)
        self.holders = []
        subprocess.Popen([WINESERVER, "-p"], env=self.env, **QUIET).wait()
        self.addCleanup(self.remove_prefix)
        subprocess.run([WINE, "wineboot"], env=self.env, timeout=120, **QUIET)

    def remove_prefix(self):
        for holder in self.holders:
            if holder.poll() is None:
                holder.kill()
        subprocess.run([WINESERVER, "-k"], env=self.env, timeout=60, **QUIET)
        shutil.rmtree(self.prefix, ignore_errors=True)  # a prefix is some 700 MB

    # --- Wine ---

    def wine(self, *args, timeout=60):
        with tempfile.TemporaryFile() as out:
            r = subprocess.run([WINE, *args], env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                               stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            return r.returncode, out.read().decode("gbk", errors="replace")

    def unix_path(self, windows_path):
        drive, rest = windows_path.split(":", 1)
        assert drive.upper() == "C"
        return self.prefix / "drive_c" / rest.strip("\\").replace("\\", "/")

    def shortcut(self):
        return self.unix_path(r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs") / f"{TITLE}.lnk"

    def reg_add(self, key, name, kind, data):
        code, _ = self.wine("reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f")
        self.assertEqual(code, 0, f"reg add {key} {name}")

    def reg_values(self, key):
        """{name: data} of a key as `reg query` prints it, or None when the key is missing.
        A busy machine has seen `reg query` fail once for a key that was there: a
        missing key must be missing three times running."""
        for attempt in range(3):
            code, out = self.wine("reg", "query", key)
            if code == 0:
                break
            time.sleep(0.5)
        else:
            return None
        values = {}
        for line in out.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2] if len(parts) > 2 else ""
        return values

    def hold_single_copy(self):
        """Starts a stand-in for a running copy; closing its input ends it."""
        holder = subprocess.Popen([WINE, str(HOLDER), single_copy_mutex()], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.holders.append(holder)
        self.assertEqual(holder.stdout.readline().strip(), b"holding")
        return holder

    def release(self, holder):
        holder.stdin.close()
        self.assertEqual(holder.wait(timeout=30), 0)

    # --- the packages ---

    def install(self, folder=None):
        """The installer's exit code; folder as /D= gives, which must hold no blank."""
        code, _ = self.wine(str(package("-setup.exe")), "/S", *([f"/D={folder}"] if folder else []), timeout=120)
        return code

    def uninstall(self, until_folder_gone=True):
        """As Windows runs the quiet uninstall: the uninstaller hands over to a
        copy of itself and returns at once, so wait for what it removes last."""
        entry = self.reg_values(UNINSTALL_KEY)
        match = re.fullmatch(r'"([^"]+)" /S', entry["QuietUninstallString"])
        self.assertIsNotNone(match, entry["QuietUninstallString"])
        code, _ = self.wine(match.group(1), "/S")
        self.assertEqual(code, 0)
        if until_folder_gone:
            folder = self.unix_path(entry["InstallLocation"])
            wait_until(lambda: not folder.exists(), what="the program's folder removed")
        wait_until(lambda: self.reg_values(UNINSTALL_KEY) is None, what="the Add/Remove Programs entry removed")

    def assert_installed(self, folder):
        folder = self.unix_path(folder)
        self.assertEqual(sorted(p.name for p in folder.iterdir()), sorted(PROGRAM_FILES + ["Uninstall.exe"]))
        self.assertEqual((folder / "Tavrin.exe").read_bytes(), EXE.read_bytes())

    # --- cases ---

    def test_install_adds_program_shortcut_and_entry_uninstall_removes_them_and_only_ours(self):
        self.reg_add(MACHINE_RUN_KEY, "Dormalix", "REG_SZ", "an earlier version's entry for every user")
        self.assertEqual(self.install(), 0)
        self.assertNotIn("Dormalix", self.reg_values(MACHINE_RUN_KEY))
        self.assert_installed(PROGRAM_FOLDER)
        link = self.shortcut()
        self.assertTrue(link.exists(), "the Start-menu shortcut under its Chinese name")
        self.assertIn(rf"{PROGRAM_FOLDER}\Tavrin.exe".encode("utf-16-le"), link.read_bytes())
        entry = self.reg_values(UNINSTALL_KEY)
        self.assertEqual(entry["DisplayName"], TITLE)
        self.assertEqual(entry["DisplayVersion"], "2.4.8")
        self.assertEqual(entry["UninstallString"], rf'"{PROGRAM_FOLDER}\Uninstall.exe"')
        self.assertEqual(entry["InstallLocation"], PROGRAM_FOLDER)

        # What the program leaves once it has run, beside other programs' values.
        for key in (RUN_KEY, MACHINE_RUN_KEY):
            self.reg_add(key, "Dormalix", "REG_SZ", rf'"{PROGRAM_FOLDER}\Tavrin.exe" /run')
            self.reg_add(key, "SomeOtherTool", "REG_SZ", r"C:\other\tool.exe")
        self.reg_add(SETTINGS_KEY, "setupinfo", "REG_BINARY", "0300ffff1e00")
        tasks = self.unix_path(r"C:\windows\system32\tasks")
        self.assertEqual(self.wine(rf"{PROGRAM_FOLDER}\Tavrin.exe", "/elevated", "-", "task", "1")[0], 0)
        self.assertEqual(len(list(tasks.glob("Dormalix *"))), 1)
        self.reg_add(r"HKCU\Software\SomeOtherVendor", "setting", "REG_SZ", "kept")
        # A file of the user's own keeps the folder; everything of ours goes.
        user_file = self.unix_path(PROGRAM_FOLDER) / "notes of the user.txt"
        user_file.write_text("mine")

        self.uninstall(until_folder_gone=False)

        self.assertEqual([p.name for p in self.unix_path(PROGRAM_FOLDER).iterdir()], [user_file.name])
        self.assertFalse(link.exists())
        for key in (RUN_KEY, MACHINE_RUN_KEY):
            run = self.reg_values(key)
            self.assertNotIn("Dormalix", run)
            self.assertEqual(run.get("SomeOtherTool"), r"C:\other\tool.exe")
        self.assertIsNone(self.reg_values(SETTINGS_KEY))
        self.assertEqual(list(tasks.glob("Dormalix *")), [])
        self.assertEqual(self.reg_values(r"HKCU\Software\SomeOtherVendor"), {"setting": "kept"})

    def test_a_running_copy_holds_up_install_and_uninstall_until_it_ends(self):
        # A folder without blanks: Wine quotes an argument with one, and the
        # uninstaller reads "_?=" only unquoted.
        folder = r"C:\Tavrin"
        holder = self.hold_single_copy()
        self.assertEqual(self.install(folder), ABORTED)
        self.assertFalse(self.unix_path(folder).exists())
        self.release(holder)

        self.assertEqual(self.install(folder), 0)
        self.reg_add(RUN_KEY, "Dormalix", "REG_SZ", rf'"{folder}\Tavrin.exe" /run')
        holder = self.hold_single_copy()
        # "_?=" runs the uninstaller in place, so its exit code is the answer.
        code, _ = self.wine(rf"{folder}\Uninstall.exe", "/S", f"_?={folder}")
        self.assertEqual(code, ABORTED)
        self.assert_installed(folder)
        self.assertIn("Dormalix", self.reg_values(RUN_KEY))
        self.release(holder)

        self.uninstall()
        self.assertNotIn("Dormalix", self.reg_values(RUN_KEY))
        self.assertFalse(self.shortcut().exists())


if __name__ == "__main__":
    unittest.main(verbosity=2)
