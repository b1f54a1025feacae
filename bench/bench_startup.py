"""Start-up, memory, size and idle cost of Tavrin.exe under Wine, beside an
empty Win32 window and a window of the controls it shows first, with no program behind
it, built and started the same way, in the same run.
Figures only; no pass or fail.

    python3 bench/bench_startup.py [runs] [idle-seconds]
"""
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
from harness import BUILD, CAPTION, EXE, SETTINGS_KEY, WineDesktop  # noqa: E402

EMPTY = BUILD / "bench" / "tavrin_bench_empty.exe"
CONTROLS = BUILD / "bench" / "tavrin_bench_controls.exe"
PROBE = BUILD / "bench" / "tavrin_bench_probe.exe"


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def linux_pid(exe):
    """The newest process of this build's exe. Matched by its full path, so
    that a copy another work tree runs beside is never measured or killed."""
    names = (str(exe), windows_path(exe))
    found = []
    for entry in Path("/proc").iterdir():
        try:
            command = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
            if entry.name.isdigit() and any(n.lower() in command.lower() for n in names):
                found.append((entry.stat().st_mtime, int(entry.name)))
        except OSError:
            continue
    return max(found)[1] if found else None


def rss_mb(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return float("nan")


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def measure(desktop, exe, caption):
    """Milliseconds to a visible window, and the resident memory a second later."""
    code, out = desktop.run_wine(str(PROBE), "launch", caption, windows_path(exe))
    lines = out.decode().splitlines()
    if code != 0:
        raise RuntimeError(f"{exe.name} showed no window")
    time.sleep(1)
    pid = linux_pid(exe)
    rss = rss_mb(pid)
    subprocess.run(["kill", str(pid)])
    time.sleep(0.5)
    return float(lines[0]), rss


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    idle = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    desktop = WineDesktop("BenchStartup")
    desktop.start()
    try:
        figures = {"empty window": [], "controls only": [], "Tavrin.exe": []}
        programs = [("empty window", EMPTY, "EmptyWindow"), ("controls only", CONTROLS, "ControlsWindow"),
                    ("Tavrin.exe", EXE, CAPTION)]
        for run in range(runs):
            desktop.reg_delete_key(SETTINGS_KEY)  # every run a first start
            for name, exe, caption in programs[run % 3:] + programs[:run % 3]:  # none always warms the next
                figures[name].append(measure(desktop, exe, caption))
        print(f"start-up to the visible window and resident memory, medians of {runs} runs:")
        medians = {}
        for name, values in figures.items():
            start = statistics.median(v[0] for v in values)
            rss = statistics.median(v[1] for v in values)
            medians[name] = (start, rss)
            print(f"  {name:<13} {start:7.1f} ms  {rss:6.1f} MB   (runs: {', '.join(f'{v[0]:.0f}' for v in values)} ms)")
        for base in ("empty window", "controls only"):
            (start, rss), (own_start, own_rss) = medians[base], medians["Tavrin.exe"]
            print(f"  Tavrin.exe against the {base}: {own_start / start:.2f} x, {own_rss - rss:+.1f} MB")
        print(f"size of Tavrin.exe: {EXE.stat().st_size / 1024:.0f} KB ({EXE.stat().st_size} bytes)")

        program = desktop.start_program("/run")
        time.sleep(5)  # past start-up
        pid = linux_pid(EXE)
        before = cpu_seconds(pid)
        time.sleep(idle)
        used = cpu_seconds(pid) - before
        print(f"CPU while idle and hidden: {used:.2f} s over {idle} s = {100 * used / idle:.3f} %")
        program.kill()
    finally:
        desktop.stop()


if __name__ == "__main__":
    main()
