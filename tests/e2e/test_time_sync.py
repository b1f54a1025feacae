# Network time sync under Wine against Daytime servers on loopback, in a
# network and mount namespace of the suite's own: its hosts file sends each
# server row to its own loopback address, so a server knows which row
# connected. Wine refuses any clock change of more than a second, so the
# machine's clock never moves, and a clock set in any zone but the program's
# own would show the refusal.
import contextlib
import datetime
import re
import socket
import threading
import time
import unittest
import zoneinfo

from harness import ROOT, DesktopTest, enter_private_network, record, wait_until

PANE = "网络自动校时"
HOSTS = re.findall(r'\{"([^"]+)", "', (ROOT / "src" / "timesync" / "server_table.cpp").read_text())
enter_private_network(__name__, [(f"127.0.0.{row + 2}", host) for row, host in enumerate(HOSTS)])


class DaytimeServers:
    # A listener on port 13 of each row's address, answering what `answers`
    # says for its row: "now" (UTC, rounded to the second: Wine accepts only
    # changes under one), "late" (hours off), or nothing (held open, silent).
    def __init__(self):
        self.answers, self.connections, self.held = {}, [], []
        self.sockets = [socket.create_server((f"127.0.0.{row + 2}", 13)) for row in range(len(HOSTS))]
        for row, listener in enumerate(self.sockets):
            threading.Thread(target=self.serve, args=(row, listener), daemon=True).start()

    def serve(self, row, listener):
        with contextlib.suppress(OSError):  # until the listener closes
            while conn := listener.accept()[0]:
                self.connections.append(row)
                now = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(milliseconds=500)
                moment = {"now": now, "late": now + datetime.timedelta(hours=5)}.get(self.answers.get(row))
                if moment is None:
                    self.held.append(conn)
                    continue
                mjd = (moment.date() - datetime.date(1858, 11, 17)).days
                conn.sendall(f"\n{mjd} {moment:%y-%m-%d %H:%M:%S} 00 0 0 150.0 UTC(NIST) * \n".encode())
                conn.close()

    def stop(self):
        for s in self.sockets + self.held:
            with contextlib.suppress(OSError):
                s.shutdown(socket.SHUT_RDWR)  # wakes a thread waiting in accept
            s.close()


class TimeSyncTest(DesktopTest):
    zone = "Europe/Berlin"  # neither UTC nor the +8 of the hidden offset list

    def test_start_up_sync_moves_on_from_a_silent_row_sets_the_clock_and_a_reply_hours_off_is_refused(self):
        servers = DaytimeServers()
        self.addCleanup(servers.stop)
        servers.answers = {2: "now"}  # row 1 stays silent
        self.desktop.store_record(record(SyncMode=2))
        self.desktop.start_program()

        def synced():
            controls = self.desktop.controls(PANE)
            button = [c for c in controls if c["text"] in ("更新系统时间", "等待网络数据")]
            return "本地时间" in [c["text"] for c in controls] and button[0]["text"] == "更新系统时间" and button[0]["enabled"] and button[0]
        wait_until(synced, what="本地时间 and an enabled 更新系统时间")
        self.assertEqual(servers.connections[:2], [1, 2])
        # The clock label shows Berlin's time: the zone really is the program's.
        berlin = datetime.datetime.now(zoneinfo.ZoneInfo(self.zone))
        near = {f"{berlin + datetime.timedelta(seconds=s):%H:%M:%S}" for s in range(-5, 6)}
        self.assertTrue(near & set(self.desktop.texts(PANE)), (self.desktop.texts(PANE), near))
        servers.answers = {row: "late" for row in range(len(HOSTS))}
        self.desktop.show_pane(5, PANE)
        self.desktop.click(synced())
        wait_until(lambda: "校时失败：无权修改系统时间" in self.desktop.texts(PANE), what="the refusal")
        self.assertTrue(self.desktop.control("更新系统时间", PANE)["enabled"])


if __name__ == "__main__":
    unittest.main()
