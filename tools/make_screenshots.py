#!/usr/bin/env python3
"""Takes a screenshot of every pane of the real program under Wine for the
README: tools/make_screenshots.py [output folder, default docs/screenshots],
after a build of the windows preset."""
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
from harness import ROOT, WineDesktop, record, wait_until  # noqa: E402

PANES = [(1, "schedule"), (2, "power-keys"), (3, "volume-keys"), (4, "auto-logon"), (5, "time-sync")]


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "docs" / "screenshots"
    out.mkdir(parents=True, exist_ok=True)
    desktop = WineDesktop("Screenshots")
    desktop.start()
    try:
        desktop.store_record(record())
        desktop.start_program()
        wait_until(lambda: desktop.main_windows() == [(True, True)], what="the main window")
        for index, name in PANES:
            desktop.click_toolbar(index)
            time.sleep(1.0)
            raw = desktop.dir / f"{name}-raw.png"
            subprocess.run(["import", "-display", desktop.display, "-window", "root", str(raw)], check=True)
            # The desktop around the window is one colour: trim it away.
            subprocess.run(["convert", str(raw), "-fuzz", "2%", "-trim", "+repage", str(out / f"{name}.png")], check=True)
            print(out / f"{name}.png")
    finally:
        desktop.stop()


if __name__ == "__main__":
    main()
