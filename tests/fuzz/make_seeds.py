#!/usr/bin/env python3
"""Writes the seed corpus of both fuzz targets into corpus/<target>/.

Each seed is laid out the way its target reads it with FuzzedDataProvider:
integers are taken from the end of the input, texts and bytes from the front.
Run it again after changing a layout; the seeds are checked in.
"""
import math
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def day(y, m, d):
    """Days since 1899-12-30, as the record's dates count."""
    import datetime
    return float((datetime.date(y, m, d) - datetime.date(1899, 12, 30)).days)


def record(task=3, countdown_on=-1, countdown_s=30, mode=3, close_date=day(2026, 12, 6), close_time=20 / 24,
           span=1 / 48, all_day=20.5 / 24, start_task=1, sync=3, lock=0, power_set=3, power_countdown=1,
           power_on=1, volume_set=1, volume_on=1):
    return struct.pack('<4h4d8h', task, countdown_on, countdown_s, mode, close_date, close_time, span, all_day,
                       start_task, sync, lock, power_set, power_countdown, power_on, volume_set, volume_on)


def text(s):
    """A FuzzedDataProvider text: backslashes doubled, ended by a backslash and one more byte."""
    return s.encode('utf-8').replace(b'\\', b'\\\\') + b'\\x'


def settings_seed(stored, user='', password='', auto='', switches=0, steps=0x0f, clock=0x3e000000):
    return text(user) + text(password) + text(auto) + stored + struct.pack('<I', clock) + bytes([steps, switches])


def settings_seeds():
    default = record()
    return {
        'defaults': settings_seed(default),
        'defaults_saved_everywhere': settings_seed(default, 'admin', 'secret', '1', steps=0xff),
        'missing_record': settings_seed(b'', switches=0x80),
        'empty_record': settings_seed(b''),
        'short_record': settings_seed(default[:11]),
        'long_record': settings_seed(default + b'\xff' * 40),
        'record_as_text': settings_seed(default, switches=0x10),
        'record_as_number': settings_seed(default[:4], switches=0x20),
        'user_key_closed': settings_seed(default, switches=0x01, steps=0xff),
        'read_only_everywhere': settings_seed(default, 'x', 'y', '1', switches=0x0a, steps=0xff),
        'machine_key_closed': settings_seed(default, switches=0x04, steps=0x3f),
        'logon_values_as_numbers': settings_seed(default, 'admin', 'pw', '1', switches=0x40, steps=0x2f),
        'fixed_moment_passing': settings_seed(record(task=1, mode=1, close_time=(20 * 3600 + 5) / 86400),
                                              clock=0, steps=0x1f),
        'countdown_mode_no_reminder': settings_seed(record(task=6, countdown_on=0, mode=2, span=2 / 86400),
                                                    steps=0x1f),
        'hourly_sync_and_lock': settings_seed(record(sync=1, lock=1, power_set=1, volume_set=2), 'me', '', '0'),
        'out_of_range_fields': settings_seed(record(task=0, countdown_on=7, countdown_s=-5, mode=9, sync=-1,
                                                    lock=2, power_set=0, power_countdown=-1, power_on=-7,
                                                    volume_set=5, volume_on=32767), steps=0xff),
        'extreme_fields': settings_seed(record(task=-32768, countdown_s=32767, mode=-32768, start_task=-32768),
                                        steps=0xff),
        'damaged_dates': settings_seed(record(close_date=math.nan, close_time=math.inf, span=-math.inf,
                                              all_day=1e300), steps=0xff),
        'dates_beyond_the_calendar': settings_seed(record(mode=1, close_date=-700000.0, close_time=-0.75,
                                                          span=3e6, all_day=-1e-300), steps=0xff),
        'backslashes_in_logon': settings_seed(default, 'DOMAIN\\user', 'p\\w', '1\\'),
    }


def nist(date, time, health='0'):
    return f'\n61014 {date} {time} 00 0 {health} 123.4 UTC(NIST) * \n'


def daytime_seed(pieces, settings=20):
    """pieces: strings to send (each at most 32 bytes) or the steps 'tick', 'close', 'click'."""
    front, ops = b'', []
    for piece in pieces:
        if piece in ('tick', 'close', 'click'):
            ops.append({'tick': 5, 'close': 6, 'click': 7}[piece])
            continue
        data = piece.encode('latin-1')
        for at in range(0, len(data), 32):
            chunk = data[at:at + 32]
            front += chunk
            ops.append(((len(chunk) - 1) << 3) | (at // 32 % 5))
    return front + bytes(reversed(ops)) + bytes([settings])


def split(text, size):
    return [text[i:i + size] for i in range(0, len(text), size)]


def daytime_seeds():
    good = nist('26-12-05', '23:59:58')
    return {
        'whole_line': daytime_seed([good]),
        'line_in_single_bytes': daytime_seed(split(good, 1)[:60] + ['close']),
        'line_in_pieces_then_close': daytime_seed(split(good.rstrip('\n'), 7) + ['close']),
        'noon_with_another_entry': daytime_seed([nist('26-12-05', '12:00:00')], settings=24),
        'new_year_early': daytime_seed([nist('26-01-01', '03:00:00')], settings=7),
        'start_of_century': daytime_seed([nist('00-01-01', '00:00:00')], settings=0),
        'end_of_century': daytime_seed([nist('99-12-31', '23:59:59')], settings=24),
        'leap_day': daytime_seed([nist('28-02-29', '16:30:00')], settings=12),
        'not_a_leap_day': daytime_seed([nist('27-02-29', '16:30:00')]),
        'unhealthy_server': daytime_seed([nist('26-12-05', '10:00:00', health='2')]),
        'short_reply': daytime_seed(['\n61014 26-12-05 23:5', 'close']),
        'damaged_fields': daytime_seed(['\n61014 26-13-05 25:61:99 00 0 0 \n', 'click',
                                        '\n61014 2x-12-05 1a:00:00 00 0 0 \n']),
        'crlf_line': daytime_seed(['\r\n61014 26-12-05 23:59:58 00 0 0 \r\n']),
        'no_leading_line_feed': daytime_seed(['61014 26-12-05 23:59:58 00 0 0 \n']),
        'partial_then_new_attempt': daytime_seed(['\n61014 26-12-05 23:5', 'tick', 'tick', 'tick', 'tick', 'tick',
                                                  good]),
        'flood_without_line_end': daytime_seed(['x' * 32] * 10 + [good]),
        'reply_after_done_then_refused': daytime_seed([good, 'click', nist('26-12-06', '00:00:00')], settings=0x20 | 20),
        'change_failed': daytime_seed([good], settings=0x40 | 13),
        # A whole pass unanswered (5 ticks, then 4 for each of the other 11 rows), then the button.
        'silent_pass_then_button': daytime_seed(['tick'] * 49 + ['click', good]),
    }


def write(target, seeds):
    folder = HERE / 'corpus' / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


if __name__ == '__main__':
    write('setup_info_fuzz', settings_seeds())
    write('daytime_reply_fuzz', daytime_seeds())
