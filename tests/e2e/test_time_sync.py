# Network time sync under Wine against Daytime servers on loopback, in a
# network and mount namespace of the suite's own: its hosts file sends each
# server row to its own loopback address, so a server knows which row
# connected. Wine refuses any clock change of more than a second, so the
# machine's clock never moves, and a clock set in any zone but the program's
# own would be refused.
import contextlib
import datetime
import re
import socket
import threading
import unittest
import zoneinfo

from harness import ROOT, DesktopTest, enter_private_network, record, wait_until

PANE = "网络自动校时"
HOSTS = re.findall(r'\{"([^"]+)", "', (ROOT / "src" / "timesync" / "server_table.cpp").read_text())
enter_private_network(__name__, [(f"127.0.0.{row + 2}", host) for row, host in enumerate(HOSTS)])


class DaytimeServers:
    # A listener on port 13 of each row's address. The rows in `answering`
    # send the time (UTC, rounded to the second: Wine accepts only changes
    # under one); the others hold the connection open in silence.
    def __init__(self, answering):
        self.answering, self.connections, self.held = answering, [], []
        self.sockets = [socket.create_server((f"127.0.0.{row + 2}", 13)) for row in range(len(HOSTS))]
        for row, listener in enumerate(self.sockets):
            threading.Thread(target=self.serve, args=(row, listener), daemon=True).start()

    def serve(self, row, listener):
        with contextlib.suppress(OSError):  # until the listener closes
            while conn := listener.accept()[0]:
                self.connections.append(row)
                if row not in self.answering:
                    self.held.append(conn)
                    continue
                now = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(milliseconds=500)
                mjd = (now.date() - datetime.date(1858, 11, 17)).days
                conn.sendall(f"\n{mjd} {now:%y-%m-%d %H:%M:%S} 00 0 0 150.0 UTC(NIST) * \n".encode())
                conn.close()

    def stop(self):
        for s in self.sockets + self.held:
            with contextlib.suppress(OSError):
                s.shutdown(socket.SHUT_RDWR)  # wakes a thread waiting in accept
            s.close()


class TimeSyncTest(DesktopTest):
    zone = "Europe/Berlin"  # neither UTC nor the +8 of the hidden offset list

    def test_start_up_sync_moves_on_from_a_silent_row_and_sets_the_clock_in_utc(self):
        servers = DaytimeServers(answering={2})  # row 1 stays silent
        self.addCleanup(servers.stop)
        self.desktop.store_record(record(SyncMode=2))
        self.desktop.start_program()

        def synced():
            controls = self.desktop.controls(PANE)
            return "本地时间" in [c["text"] for c in controls] and any(
                c["text"] == "更新系统时间" and c["enabled"] for c in controls)
        wait_until(synced, what="本地时间 and an enabled 更新系统时间")
        self.assertEqual(servers.connections[:2], [1, 2])
        # The clock label shows Berlin's time, as of some second while the pane
        # was read: the zone really is the program's.
        before = datetime.datetime.now(zoneinfo.ZoneInfo(self.zone))
        texts = set(self.desktop.texts(PANE))
        taken = (datetime.datetime.now(zoneinfo.ZoneInfo(self.zone)) - before).total_seconds()
        near = {f"{before + datetime.timedelta(seconds=s):%H:%M:%S}" for s in range(-3, int(taken) + 2)}
        self.assertTrue(near & texts, (texts, near))
        self.assertLessEqual({"开机启动并每小时校时", "开机启动自动校时", "手动校时"}, texts)


if __name__ == "__main__":
    unittest.main()
