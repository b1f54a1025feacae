# Runs the real Tavrin.exe under Wine on a virtual X display and watches it
# from outside: windows through a small driver program, input through
# xdotool, the registry through `reg`, platform calls through Wine's relay
# trace. The prefix, its server and the X display are the test's own.
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("TAVRIN_BUILD", ROOT / "build" / "windows"))
EXE = Path(os.environ.get("TAVRIN_EXE", BUILD / "src" / "platform" / "win32" / "Tavrin.exe"))
DRIVER = Path(os.environ.get("TAVRIN_DRIVER", BUILD / "tests" / "tavrin_driver.exe"))
WINE = shutil.which("wine64") or next((p for p in ["/usr/lib/wine/wine64"] if os.path.exists(p)), "wine")
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver64"

CAPTION = "Tavrin－定时关机免费版(2.4.8)"
BOX = "Tavrin－定时关机免费版"  # a message box's title
DIALOG = "Tavrin－定时关机免费版－关机"  # the countdown before a shut-down
SETTINGS_KEY = r"HKCU\Software\Dormalix"
RUN_KEY = r"HKCU\software\microsoft\windows\currentversion\run"
MACHINE_RUN_KEY = r"HKLM\software\microsoft\windows\currentversion\run"  # where earlier versions wrote
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
# Generous: a cold 2-core machine has taken minutes for the first desktop.
SLOW = float(os.environ.get("TAVRIN_E2E_WAIT", 300))


def wait_until(condition, timeout=SLOW, what="condition"):
    end = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > end:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.1)
    return value


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def enter_private_network(suite, hosts):
    # Runs this suite again as root of its own user, mount and network
    # namespaces: its port 13 and its /etc/hosts (the given lines) are its own,
    # and no privilege is needed. Exits 77 (a skip) where the machine forbids it.
    if os.environ.get("TAVRIN_PRIVATE_NET") == "1":
        return
    probe = subprocess.run(["unshare", "--user", "--map-root-user", "--mount", "--net", "true"],
                           capture_output=True, text=True)
    if probe.returncode != 0:
        print(f"skipped: this machine forbids unprivileged user namespaces ({probe.stderr.strip()})")
        sys.exit(77)
    hosts_file = BUILD / "tmp" / f"hosts-{os.getpid()}"
    hosts_file.parent.mkdir(parents=True, exist_ok=True)
    hosts_file.write_text("127.0.0.1 localhost\n" + "".join(f"{a} {n}\n" for a, n in hosts))
    ip = shutil.which("ip", path=os.environ.get("PATH", "") + ":/usr/sbin:/sbin") or "ip"  # iproute2
    inner = f'"{ip}" link set lo up && mount --bind "{hosts_file}" /etc/hosts && exec "$@"'
    os.execvpe("unshare", ["unshare", "--user", "--map-root-user", "--mount", "--net", "sh", "-c", inner, "sh",
                           sys.executable, "-m", "unittest", "-v", Path(sys.argv[0]).stem if suite == "__main__" else suite],
               dict(os.environ, TAVRIN_PRIVATE_NET="1"))


class WineDesktop:
    # One X display, one Wine prefix inside one virtual desktop and one
    # persistent wineserver for a suite, in a time zone (TZ) they all share.

    def __init__(self, name, zone="Asia/Shanghai"):
        self.dir, self.zone, self.prefix = BUILD / "e2e" / name, zone, BUILD / "e2e" / name / "prefix"
        self.programs, self.launches, self.xvfb, self.desktop_process = [], 0, None, None

    def start(self, display=True):
        shutil.rmtree(self.dir, ignore_errors=True)
        self.dir.mkdir(parents=True)
        (BUILD / "tmp").mkdir(exist_ok=True)
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all", WINEARCH="win64",
                        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=", TMPDIR=str(BUILD / "tmp"),
                        LANG="zh_CN.UTF-8", TZ=self.zone)
        if (BUILD.parent / "locale" / "zh_CN.UTF-8").is_dir():  # compiled by tools/setup where the system has none
            self.env["LOCPATH"] = str(BUILD.parent / "locale")
        for name in ("LC_ALL", "DISPLAY", "WAYLAND_DISPLAY"):  # LC_ALL breaks window titles
            self.env.pop(name, None)
        if display:
            read, write = os.pipe()  # Xvfb names its display once it is ready
            self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                                          "-nolisten", "tcp"], pass_fds=(write,), **QUIET)
            os.close(write)
            with os.fdopen(read) as f:
                self.env["DISPLAY"] = ":" + f.readline().strip()
        template = "desktop" if display else "unit"
        subprocess.run(["bash", "-c", f'source "{ROOT}/tools/lib/wine-env" && make_prefix "{self.prefix}" {template}'],
                       check=True, env=dict(self.env, TAVRIN_BUILD=str(BUILD.parent)), **QUIET)
        subprocess.Popen([WINESERVER, "-p"], env=self.env, **QUIET).wait()
        # Wine's own services start now, holding no pipe of ours; `wineserver -w`
        # is not an option while -p keeps the server.
        subprocess.run([WINE, "wineboot"], env=self.env, timeout=SLOW, **QUIET)
        if display:  # every program inside one virtual desktop: hotkeys and focus as on a real one
            self.reg_add(r"HKCU\Software\Wine\Explorer", "Desktop", "REG_SZ", "e2e")
            self.reg_add(r"HKCU\Software\Wine\Explorer\Desktops", "e2e", "REG_SZ", "1024x768")
            # A shut-down under Wine ends it: a suite does one last of all.
            self.desktop_process = subprocess.Popen([WINE, "explorer", "/desktop=e2e,1024x768"], env=self.env, **QUIET)
            wait_until(lambda: subprocess.run(["xdotool", "search", "--name", "e2e"], env=self.env, **QUIET).returncode
                       == 0 or self.desktop_process.poll() is not None, what="the virtual desktop")
            if self.desktop_process.poll() is not None:
                raise RuntimeError(f"Wine's desktop ended with {self.desktop_process.returncode}")

    def stop(self):
        self.end_programs()
        if getattr(self, "env", None):
            subprocess.run([WINESERVER, "-k"], env=self.env, **QUIET)
        for p in (self.desktop_process, self.xvfb):
            if p is not None:
                p.terminate()
                p.wait(timeout=SLOW)
        shutil.rmtree(self.prefix, ignore_errors=True)  # hundreds of MB; the logs stay

    def start_program(self, *args, relay=None):
        # relay: platform calls to trace, as "user32.LockWorkStation".
        env = dict(self.env)
        self.launches += 1
        if relay:
            self.reg_add(r"HKCU\Software\Wine\Debug", "RelayInclude", "REG_SZ", ";".join(relay))
            env["WINEDEBUG"] = "-all,+relay"
        with open(self.dir / f"program-{self.launches}.log", "wb") as log:
            p = subprocess.Popen([WINE, str(EXE), *args], env=env, stdin=subprocess.DEVNULL,
                                 stdout=subprocess.DEVNULL, stderr=log)
        p.log = log.name
        self.programs.append(p)
        return p

    def end_programs(self):
        for p in self.programs:
            if p.poll() is None:
                p.kill()
                p.wait(timeout=SLOW)
        self.programs = []

    @staticmethod
    def relay_calls(program, name):  # the lines of the program's trace that call name, in order
        return [line for line in Path(program.log).read_text(errors="replace").splitlines() if f"Call {name}(" in line]

    def run_wine(self, *args, input=None):
        # Through a file, never a pipe that a background Wine process could keep open.
        with tempfile.TemporaryFile() as out:
            r = subprocess.run([WINE, *args], env=self.env, input=input, stdin=None if input else subprocess.DEVNULL,
                               stdout=out, stderr=subprocess.DEVNULL, timeout=SLOW)
            out.seek(0)
            return r.returncode, out.read()

    def driver(self, *args):
        code, out = self.run_wine(str(DRIVER), *args)
        return code, out.decode("utf-8", errors="replace").splitlines()

    def main_windows(self, caption=CAPTION):  # (visible, foreground) of each
        code, lines = self.driver("find", caption)
        return [tuple(v == "1" for v in line.split()[:2]) for line in lines] if code == 0 else []

    def front_pane(self):  # the caption of the pane in front, and how many panes are shown
        shown = [c["text"] for c in self.controls() if c["visible"]]
        return (shown[0], len(shown)) if shown else (None, 0)

    def controls(self, pane=None, caption=CAPTION):
        # A window busy for a moment does not answer the driver: read it again.
        _, lines = wait_until(lambda: (r := self.driver("controls", caption, *([pane] if pane else [])))[0] == 0 and r,
                              what=f"{pane or caption} to be read")
        keys = ("cls", "visible", "enabled", "x", "y", "text")
        rows = [dict(zip(keys, line.split("|", 5))) for line in lines]
        return [dict(r, visible=r["visible"] == "1", enabled=r["enabled"] == "1") for r in rows]

    def control(self, text, pane=None, caption=CAPTION):
        return wait_until(lambda: next((c for c in self.controls(pane, caption) if c["text"] == text), None),
                          what=f"the control {text}")

    def texts(self, pane=None, caption=CAPTION):
        return [c["text"] for c in self.controls(pane, caption)]

    def click(self, control):
        self.xdotool("mousemove", control["x"], control["y"], "click", "1")

    def click_toolbar(self, index, caption=CAPTION):
        self.xdotool("mousemove", *self.driver("toolbar", caption, str(index))[1][0].split(), "click", "1")

    def show_pane(self, index, pane):
        wait_until(lambda: self.main_windows() == [(True, True)], what="the main window in front")
        self.click_toolbar(index)
        wait_until(lambda: self.front_pane()[0] == pane, what=f"{pane} in front")

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=SLOW)

    def reg_add(self, key, name, kind, data):
        if self.run_wine("reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f")[0] != 0:
            raise RuntimeError(f"reg add {key} {name} failed")

    def reg_delete_key(self, key):
        self.run_wine("reg", "delete", key, "/f")

    def reg_values(self, key):
        # None when `reg query` fails three times running: a busy machine has
        # seen it fail once for a key that was there.
        for _ in range(3):
            code, out = self.run_wine("reg", "query", key)
            if code == 0:
                rows = [line.strip().split(None, 2) for line in out.decode("gbk", errors="replace").splitlines()]
                return {r[0]: r[2] if len(r) > 2 else "" for r in rows if len(r) >= 2 and r[1].startswith("REG_")}
        return None

    def reg_query(self, key, name):
        return next((v for n, v in (self.reg_values(key) or {}).items() if n.lower() == name.lower()), None)

    def store_record(self, record_bytes):
        self.reg_add(SETTINGS_KEY, "setupinfo", "REG_BINARY", record_bytes.hex())

    def stored_record(self):
        data = self.reg_query(SETTINGS_KEY, "setupinfo")
        return dict(zip(RECORD_FIELDS, struct.unpack(RECORD_FORMAT, bytes.fromhex(data)))) if data else {}


class DesktopTest(unittest.TestCase):
    # One desktop a suite; each test starts from no program and no settings.
    zone = "Asia/Shanghai"

    @classmethod
    def setUpClass(cls):
        cls.desktop = WineDesktop(cls.__name__, cls.zone)
        cls.addClassCleanup(cls.desktop.stop)  # also when the start fails
        cls.desktop.start()

    def setUp(self):
        for key in (SETTINGS_KEY, r"HKCU\Software\Wine\Debug"):
            self.desktop.reg_delete_key(key)
        for key in (RUN_KEY, MACHINE_RUN_KEY):
            self.desktop.run_wine("reg", "delete", key, "/v", "Dormalix", "/f")

    def tearDown(self):
        self.desktop.end_programs()


RECORD_FORMAT = "<4h4d8h"  # the 56 stored bytes, fields in this order
RECORD_FIELDS = ("TaskIndex CountdownEnabled CountdownSeconds TimingMode CloseDate CloseTime CountDownSpan "
                 "AllDayTime StartCloseTask SyncMode AutoLogonLock PowerKeySet PowerKeyCountdown PowerKeysEnabled "
                 "VolumeKeySet VolumeKeysEnabled").split()
RECORD_DEFAULTS = dict(zip(RECORD_FIELDS, (3, -1, 30, 3, 0.0, 0.0, 1 / 48, 0.0, 0, 3, 0, 3, 1, 1, 1, 1)))


def record(**fields):
    # Quiet defaults (no task at start-up) plus fields.
    return struct.pack(RECORD_FORMAT, *dict(RECORD_DEFAULTS, **fields).values())
