#!/usr/bin/env python3
"""Takes a screenshot of every pane of the real program under Wine for the
README: tools/make_screenshots.py [output folder, default docs/screenshots],
after a build of the windows preset."""
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
from harness import CAPTION, ROOT, WineDesktop, record  # noqa: E402

PANES = [(1, "定时关机", "schedule"), (2, "一键关机", "power-keys"), (3, "一键静音", "volume-keys"),
         (4, "开机自动登录", "auto-logon"), (5, "网络自动校时", "time-sync")]


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "docs" / "screenshots"
    out.mkdir(parents=True, exist_ok=True)
    desktop = WineDesktop("Screenshots")
    desktop.start()
    try:
        desktop.store_record(record())
        desktop.start_program()
        for index, pane, name in PANES:
            desktop.show_pane(index, pane)
            raw = desktop.dir / f"{name}-raw.png"
            subprocess.run(["import", "-display", desktop.env["DISPLAY"], "-window", "root", str(raw)], check=True)
            # Only the window: the desktop around it has a taskbar now.
            left, top, right, bottom = map(int, desktop.driver("find", CAPTION)[1][0].split()[2:])
            subprocess.run(["convert", str(raw), "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                            str(out / f"{name}.png")], check=True)
            print(out / f"{name}.png")
    finally:
        desktop.stop()


if __name__ == "__main__":
    main()
