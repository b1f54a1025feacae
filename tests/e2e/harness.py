"""Runs the real Tavrin.exe under Wine on a virtual X display and watches it
from outside: window captions and states through a small driver program,
clicks and keys through xdotool, the registry through `reg`, platform calls
through Wine's relay trace. Nothing here reaches the machine outside the
build tree: the Wine prefix, its server and the X display are the test's own.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("TAVRIN_BUILD", ROOT / "build" / "windows"))
EXE = Path(os.environ.get("TAVRIN_EXE", BUILD / "src" / "platform" / "win32" / "Tavrin.exe"))
DRIVER = Path(os.environ.get("TAVRIN_DRIVER", BUILD / "tests" / "tavrin_driver.exe"))

CAPTION = "Tavrin－定时关机免费版(2.4.8)"
BOX = "Tavrin－定时关机免费版"  # a message box's title
SETTINGS_KEY = r"HKCU\Software\Dormalix"
RUN_KEY = r"HKCU\software\microsoft\windows\currentversion\run"
MACHINE_RUN_KEY = r"HKLM\software\microsoft\windows\currentversion\run"  # where earlier versions wrote


def _wine_binary():
    for candidate in (shutil.which("wine64"), "/usr/lib/wine/wine64", shutil.which("wine")):
        if candidate and os.path.exists(candidate):
            return candidate
    raise RuntimeError("Wine is not installed (tools/setup installs it)")


WINE = _wine_binary()
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver64"


class WineDesktop:
    """One X display, one Wine prefix and one persistent wineserver for a suite,
    in a time zone (TZ) that the program and wineserver share."""

    def __init__(self, name, zone="Asia/Shanghai"):
        self.dir = BUILD / "e2e" / name
        self.zone = zone
        self.prefix = self.dir / "prefix"
        self.programs = []
        self.launches = 0
        self.xvfb = None
        self.display = None

    # --- set-up and tear-down ---

    def start(self):
        shutil.rmtree(self.dir, ignore_errors=True)
        self.dir.mkdir(parents=True)
        (BUILD / "tmp").mkdir(parents=True, exist_ok=True)
        self._start_xvfb()
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all", WINEARCH="win64",
                        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=", TMPDIR=str(BUILD / "tmp"), DISPLAY=self.display,
                        LANG="zh_CN.UTF-8", TZ=self.zone)
        self.env.pop("LC_ALL", None)  # breaks window titles
        subprocess.run(["bash", "-c", f'source "{ROOT}/tools/lib/wine-env" && make_prefix "{self.prefix}" desktop'],
                       check=True, env=dict(os.environ, TAVRIN_BUILD=str(BUILD.parent)),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.Popen([WINESERVER, "-p"], env=self.env, **quiet).wait()
        # Start Wine's own services now, with no pipe of ours for them to hold.
        subprocess.run([WINE, "wineboot"], env=self.env, timeout=120, **quiet)
        # Every program of the prefix opens inside one virtual desktop, so
        # hotkeys and focus behave as on a real desktop.
        self.reg_add(r"HKCU\Software\Wine\Explorer", "Desktop", "REG_SZ", "e2e")
        self.reg_add(r"HKCU\Software\Wine\Explorer\Desktops", "e2e", "REG_SZ", "1024x768")
        self.ensure_desktop()

    def ensure_desktop(self):
        """Starts the virtual desktop unless it runs; a shut-down under Wine ends it too.
        Its own process starts here, so it inherits no trace file of a program."""
        if getattr(self, "desktop_process", None) is not None and self.desktop_process.poll() is None:
            return
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.desktop_process = subprocess.Popen([WINE, "explorer", "/desktop=e2e,1024x768"], env=self.env, **quiet)
        wait_until(lambda: self._has_desktop_window(), timeout=120, what="the virtual desktop")  # slow after a cold build

    def _has_desktop_window(self):
        r = subprocess.run(["xdotool", "search", "--name", "e2e"], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return r.returncode == 0

    def stop(self):
        if not hasattr(self, "env"):
            self.env = dict(os.environ, WINEPREFIX=str(self.prefix))
        for p in self.programs:
            if p.poll() is None:
                p.kill()
        subprocess.run([WINESERVER, "-k"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        desktop = getattr(self, "desktop_process", None)
        if desktop is not None:
            try:
                desktop.wait(timeout=10)
            except subprocess.TimeoutExpired:
                desktop.kill()
        if self.xvfb is not None:
            self.xvfb.send_signal(signal.SIGTERM)
            self.xvfb.wait(timeout=10)
        # The logs stay for a look after a failure; the prefix (hundreds of MB) goes.
        shutil.rmtree(self.prefix, ignore_errors=True)

    def _start_xvfb(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                     pass_fds=(write,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.display = ":" + f.readline().strip()

    # --- the program ---

    def start_program(self, *args, relay=None, hosts=None):
        """Starts Tavrin.exe; relay names platform calls to trace, as "user32.LockWorkStation";
        hosts is a hosts file the program alone resolves names with (a private mount namespace)."""
        env = dict(self.env)
        self.launches += 1
        log = self.dir / f"program-{self.launches}.log"
        if relay:
            self.reg_add(r"HKCU\Software\Wine\Debug", "RelayInclude", "REG_SZ", ";".join(relay))
            env["WINEDEBUG"] = "-all,+relay"
        command = [WINE, str(EXE), *args]
        if hosts:
            command = ["unshare", "-m", "sh", "-c", 'mount --bind "$0" /etc/hosts && exec "$@"', str(hosts), *command]
        with open(log, "wb") as out:
            p = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=out)
        p.log = log
        self.programs.append(p)
        return p

    def end_programs(self):
        for p in self.programs:
            if p.poll() is None:
                p.kill()
                p.wait(timeout=10)
        self.programs = []

    @staticmethod
    def relay_calls(program, name):
        """The lines of the program's relay trace that call `name`, in order."""
        text = Path(program.log).read_text(errors="replace")
        return [line for line in text.splitlines() if f"Call {name}(" in line]

    # --- looking from outside ---

    def run_wine(self, *args, timeout=60):
        """Runs a Windows command; its output goes through a file, never a pipe
        that a background Wine process could keep open."""
        with tempfile.TemporaryFile() as out:
            r = subprocess.run([WINE, *args], env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                               stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            return r.returncode, out.read()

    @staticmethod
    def windows_path(path):
        """A path of this machine as Wine's programs name it."""
        return "Z:" + str(path).replace("/", "\\")

    def driver(self, *args):
        code, out = self.run_wine(str(DRIVER), *args)
        return code, out.decode("utf-8", errors="replace").splitlines()

    def start_watch(self, caption, timeout_ms, pane=None):
        """Watches a dialog or a pane's first control in the background; see the driver."""
        out = tempfile.TemporaryFile()
        p = subprocess.Popen([WINE, str(DRIVER), "watch", caption, str(timeout_ms), *([pane] if pane else [])],
                             env=self.env, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL)

        def lines(timeout=None):
            p.wait(timeout=timeout)
            out.seek(0)
            return out.read().decode("utf-8", errors="replace").splitlines()
        p.lines = lines
        return p

    def main_windows(self, caption=CAPTION):
        """(visible, foreground) for each top-level window with exactly this caption."""
        code, lines = self.driver("find", caption)
        return [tuple(int(v) == 1 for v in line.split()) for line in lines] if code == 0 else []

    def panes(self, caption=CAPTION):
        _, lines = self.driver("panes", caption)
        return [(line[0] == "1", line[2:]) for line in lines]

    def status(self, caption=CAPTION):
        return self.driver("status", caption)[1]

    def controls(self, pane=None, caption=CAPTION):
        """The controls of a pane (by its caption) or of a top-level window, in
        creation order: dicts with cls, enabled, visible, checked, x, y, text."""
        code, lines = self.driver("controls", caption, *([pane] if pane else []))
        result = []
        for line in lines if code == 0 else []:
            cls, enabled, visible, checked, x, y, text = line.split("|", 6)
            result.append(dict(cls=cls, enabled=enabled == "1", visible=visible == "1", checked=int(checked),
                               x=int(x), y=int(y), text=text))
        return result

    def control(self, text, pane=None, caption=CAPTION, cls=None):
        """The one control with this text (and class), or fails."""
        found = [c for c in self.controls(pane, caption) if c["text"] == text and (cls is None or c["cls"] == cls)]
        if len(found) != 1:
            raise AssertionError(f"{len(found)} controls named {text!r}")
        return found[0]

    def click(self, control):
        self.xdotool("mousemove", str(control["x"]), str(control["y"]), "click", "1")

    def type_into(self, control, text):
        """Replaces an edit box's text the way a user would."""
        self.click(control)
        self.xdotool("key", "End", "shift+Home", "BackSpace")
        self.xdotool("type", "--delay", "20", text)

    def click_toolbar(self, index, caption=CAPTION):
        code, lines = self.driver("toolbar", caption, str(index))
        if code != 0:
            raise AssertionError("toolbar not found")
        x, y = lines[0].split()
        self.xdotool("mousemove", x, y, "click", "1")

    def close_main_window(self, caption=CAPTION):
        self.driver("close", caption)

    def end_copy(self, caption=CAPTION):
        """Ends the copy that owns the main window, one that start_program did not start."""
        self.driver("end", caption)
        wait_until(lambda: not self.main_windows(caption), what="the copy to end")

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=30)

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)], check=True, timeout=30)

    # --- the registry ---

    def reg_add(self, key, name, kind, data):
        code, _ = self.run_wine("reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f")
        if code != 0:
            raise RuntimeError(f"reg add {key} {name} failed")

    def reg_delete_key(self, key):
        self.run_wine("reg", "delete", key, "/f")

    def reg_delete_value(self, key, name):
        self.run_wine("reg", "delete", key, "/v", name, "/f")

    def reg_query(self, key, name):
        """The value's data as `reg query` prints it, or None when it is missing."""
        code, out = self.run_wine("reg", "query", key, "/v", name)
        if code != 0:
            return None
        for line in out.decode("gbk", errors="replace").splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0].lower() == name.lower() and parts[1].startswith("REG_"):
                return parts[2] if len(parts) > 2 else ""
        return None

    def store_record(self, record_bytes):
        self.reg_add(SETTINGS_KEY, "setupinfo", "REG_BINARY", record_bytes.hex())


def wait_until(condition, timeout=60.0, interval=0.2, what="condition"):
    """Polls until condition() is truthy; returns its value or fails the test."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(interval)


class DesktopTest(unittest.TestCase):
    """A suite sharing one desktop; each test starts from no program and no settings."""

    desktop = None
    zone = "Asia/Shanghai"

    @classmethod
    def setUpClass(cls):
        cls.desktop = WineDesktop(cls.__name__, cls.zone)
        try:
            cls.desktop.start()
        except BaseException:
            cls.desktop.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.desktop.stop()

    def setUp(self):
        self.desktop.end_programs()
        self.desktop.ensure_desktop()
        self.desktop.reg_delete_key(SETTINGS_KEY)
        self.desktop.reg_delete_key(r"HKCU\Software\Wine\Debug")
        self.desktop.reg_delete_value(RUN_KEY, "Dormalix")
        self.desktop.reg_delete_value(MACHINE_RUN_KEY, "Dormalix")

    def tearDown(self):
        self.desktop.end_programs()


RECORD_FIELDS = [  # (name, struct code) in stored order
    ("TaskIndex", "h"), ("CountdownEnabled", "h"), ("CountdownSeconds", "h"), ("TimingMode", "h"),
    ("CloseDate", "d"), ("CloseTime", "d"), ("CountDownSpan", "d"), ("AllDayTime", "d"),
    ("StartCloseTask", "h"), ("SyncMode", "h"), ("AutoLogonLock", "h"), ("PowerKeySet", "h"),
    ("PowerKeyCountdown", "h"), ("PowerKeysEnabled", "h"), ("VolumeKeySet", "h"), ("VolumeKeysEnabled", "h"),
]
RECORD_DEFAULTS = dict(TaskIndex=3, CountdownEnabled=-1, CountdownSeconds=30, TimingMode=3, CloseDate=0.0,
                       CloseTime=0.0, CountDownSpan=1 / 48, AllDayTime=0.0, StartCloseTask=0, SyncMode=3,
                       AutoLogonLock=0, PowerKeySet=3, PowerKeyCountdown=1, PowerKeysEnabled=1, VolumeKeySet=1,
                       VolumeKeysEnabled=1)


def record(**fields):
    """The 56 stored bytes of a settings record: quiet defaults (no task at start-up) plus fields."""
    import struct
    values = dict(RECORD_DEFAULTS, **fields)
    unknown = set(fields) - set(values)
    if unknown:
        raise KeyError(unknown)
    return struct.pack("<" + "".join(code for _, code in RECORD_FIELDS), *(values[n] for n, _ in RECORD_FIELDS))


def unpack_record(data):
    import struct
    names = [n for n, _ in RECORD_FIELDS]
    return dict(zip(names, struct.unpack("<" + "".join(c for _, c in RECORD_FIELDS), data)))
