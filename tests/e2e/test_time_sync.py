"""Network time sync under Wine against Daytime servers on loopback. The
program gets its own hosts file that sends each server row to its own
loopback address, so a server knows which row connected. Wine refuses any
clock change of more than a second, so the machine's clock never moves, and a
clock set in any zone but the program's own would show the refusal."""
import datetime
import re
import socket
import threading
import time
import unittest
import zoneinfo
from pathlib import Path

from harness import ROOT, DesktopTest, record, wait_until

PANE = "网络自动校时"
HOSTS = re.findall(r'\{"([^"]+)", "', (ROOT / "src" / "timesync" / "server_table.cpp").read_text())


def address(row):
    return f"127.0.0.{row + 2}"


def daytime_line(moment):
    mjd = (moment.date() - datetime.date(1858, 11, 17)).days
    return f"\n{mjd} {moment:%y-%m-%d %H:%M:%S} 00 0 0 150.0 UTC(NIST) * \n".encode()


class DaytimeServers:
    """One listener on port 13 of each row's address. What a row answers is
    set per test: "now" (the current UTC time), "late" (hours off), or
    nothing (the connection is accepted and left silent)."""

    def __init__(self):
        self.answers = {}
        self.connections = []  # (row, monotonic time)
        self.sockets = []
        self.held = []
        for row in range(len(HOSTS)):
            s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            s.bind((address(row), 13))
            s.listen(4)
            s.settimeout(0.2)
            self.sockets.append(s)
        self.running = True
        self.threads = [threading.Thread(target=self._serve, args=(row,), daemon=True) for row in range(len(HOSTS))]
        for t in self.threads:
            t.start()

    def _serve(self, row):
        while self.running:
            try:
                conn, _ = self.sockets[row].accept()
            except OSError:
                continue
            self.connections.append((row, time.monotonic()))
            answer = self.answers.get(row)
            # Rounded to the nearest second: Wine accepts only changes under a second.
            now = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(milliseconds=500)
            if answer == "now":
                conn.sendall(daytime_line(now))
                conn.close()
            elif answer == "late":
                conn.sendall(daytime_line(now + datetime.timedelta(hours=5)))
                conn.close()
            else:
                self.held.append(conn)

    def stop(self):
        self.running = False
        for t in self.threads:
            t.join(timeout=2)
        for s in self.sockets + self.held:
            s.close()


class TimeSyncTest(DesktopTest):
    zone = "Europe/Berlin"  # neither UTC nor the +8 of the hidden offset list

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.hosts = cls.desktop.dir / "hosts"
        cls.hosts.write_text("127.0.0.1 localhost\n" + "".join(f"{address(r)} {h}\n" for r, h in enumerate(HOSTS)))

    def setUp(self):
        super().setUp()
        self.servers = DaytimeServers()

    def tearDown(self):
        super().tearDown()
        self.servers.stop()

    def test_start_up_sync_moves_to_the_next_row_and_ends_in_local_time(self):
        self.assertEqual(len(HOSTS), 12)
        self.servers.answers = {2: "now"}  # row 1 stays silent
        self.desktop.store_record(record(SyncMode=2))
        started = time.monotonic()
        self.desktop.start_program(hosts=self.hosts)
        wait_until(lambda: len(self.servers.connections) >= 2, timeout=30, what="two connections")
        (first, at1), (second, at2) = self.servers.connections[:2]
        self.assertEqual((first, second), (1, 2))
        self.assertLess(at1 - started, 6)
        self.assertTrue(3.5 <= at2 - at1 <= 5.0, at2 - at1)

        def synced():
            controls = self.desktop.controls(PANE)
            labels = [c["text"] for c in controls if c["cls"] == "Static"]
            button = next(c for c in controls if c["text"] in ("更新系统时间", "等待网络数据"))
            done = "本地时间" in labels and button["text"] == "更新系统时间" and button["enabled"]
            return labels if done else None
        labels = wait_until(synced, timeout=10, what="本地时间 and an enabled 更新系统时间")
        # The clock label shows Berlin's time: the zone really is the program's.
        berlin = datetime.datetime.now(zoneinfo.ZoneInfo(self.zone))
        near = {f"{berlin + datetime.timedelta(seconds=s):%H:%M:%S}" for s in range(-3, 4)}
        self.assertTrue(near & set(labels), (labels, near))

    def test_a_reply_hours_off_is_refused_and_said(self):
        self.servers.answers = {row: "late" for row in range(12)}
        self.desktop.store_record(record(SyncMode=2))
        self.desktop.start_program(hosts=self.hosts)
        wait_until(lambda: any(c["text"] == "校时失败：无权修改系统时间" for c in self.desktop.controls(PANE)),
                   timeout=20, what="the refusal text")
        self.assertEqual(self.servers.connections[0][0], 1)
        button = self.desktop.control("更新系统时间", PANE)
        self.assertTrue(button["enabled"])


if __name__ == "__main__":
    unittest.main()
