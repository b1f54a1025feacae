"""How exactly the schedule fires: the real program under Wine, armed a few
seconds ahead by a stored record. Prints, for each run, how many
milliseconds after its second the countdown dialog appeared and whether a
second of the countdown texts was skipped or repeated. Figures only; no
pass or fail.

    python3 bench/bench_schedule_firing.py [runs]
"""
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
from harness import BOX, BUILD, SLOW, WINE, WineDesktop, record, wait_until  # noqa: E402

PROBE = BUILD / "bench" / "tavrin_bench_probe.exe"

DAY = 86400.0
DIALOG = "Tavrin－定时关机免费版－锁定"
SPAN, REMINDER = 3, 3


def ms_after_second(stamp):
    return int(stamp.rsplit(".", 1)[1])


def seconds(stamp):
    h, m, s = stamp.split(":")
    return int(h) * 3600 + int(m) * 60 + float(s)


def counted(lines, pattern_end):
    """The whole seconds shown, in order, with the time each was first seen."""
    shown = []
    for line in lines:
        parts = line.split(" ", 2)
        if parts[0] != "text" or len(parts) < 3 or not parts[2].endswith(pattern_end):
            continue
        digits = "".join(ch for ch in parts[2].split("：")[-1] if ch.isdigit()) if "剩余" in parts[2] else \
            "".join(ch for ch in parts[2] if ch.isdigit())
        if digits:
            shown.append((int(digits), seconds(parts[1])))
    return shown


def faults(shown, start):
    """Seconds skipped and repeated in a countdown expected from start down to 1."""
    values = [v for v, _ in shown]
    skipped = [n for n in range(start, 0, -1) if n not in values]
    repeated = sorted({v for v in values if values.count(v) > 1})
    return skipped, repeated


def start_watch(desktop, caption, timeout_ms, pane=None):
    """Watches a dialog or a pane's first control in the background; see probe.cpp."""
    out = tempfile.TemporaryFile()
    p = subprocess.Popen([WINE, str(PROBE), "watch", caption, str(timeout_ms), *([pane] if pane else [])],
                         env=desktop.env, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL)

    def lines(timeout=SLOW):
        p.wait(timeout=timeout)
        out.seek(0)
        return out.read().decode("utf-8", errors="replace").splitlines()
    p.lines = lines
    return p


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    desktop = WineDesktop("BenchScheduleFiring")
    desktop.start()
    late, faulty = [], 0
    try:
        print(f"{'run':>3}  {'dialog after its second':>24}  {'caption skipped/repeated':>26}  {'dialog skipped/repeated':>24}")
        for run in range(1, runs + 1):
            desktop.end_programs()
            desktop.store_record(record(StartCloseTask=1, TimingMode=2, CountDownSpan=SPAN / DAY, TaskIndex=4,
                                        CountdownEnabled=-1, CountdownSeconds=REMINDER))
            dialog = start_watch(desktop, DIALOG, 20000)
            pane = start_watch(desktop, "Tavrin－定时关机免费版(2.4.8)", (SPAN + REMINDER + 5) * 1000, "定时关机")
            time.sleep(0.3)  # both watchers polling before the program starts
            desktop.start_program("/run")
            # Wine refuses the lock, and its box holds the dialog open until closed.
            wait_until(lambda: desktop.main_windows(BOX), timeout=20, what="the lock's box")
            desktop.run_wine(str(PROBE), "close", BOX)
            lines = dialog.lines(timeout=40)
            pane_lines = pane.lines(timeout=40)
            appeared = next((l.split()[1] for l in lines if l.startswith("appear")), None)
            if appeared is None:
                print(f"{run:>3}  no dialog")
                faulty += 1
                continue
            after = ms_after_second(appeared)
            late.append(after)
            caption = faults(counted(pane_lines, "秒"), SPAN)
            label = faults(counted(lines, "！"), REMINDER)
            if any(caption) or any(label):
                faulty += 1
            print(f"{run:>3}  {after:>21} ms  {str(caption):>26}  {str(label):>24}")
    finally:
        desktop.stop()
    if late:
        print(f"\ndialog after its second: median {statistics.median(late):.0f} ms, max {max(late)} ms over {len(late)} runs")
    print(f"runs with a skipped or repeated second: {faulty} of {runs}")


if __name__ == "__main__":
    main()
