#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files.

Every icon is a rounded tile in the function's colour with a white glyph.
Shapes are signed-distance functions on a 0..1 canvas, sampled several times
per pixel, so the same drawing serves every size. Run it after changing a
drawing: python3 assets/icons/make_icons.py src/platform/win32/resources/icons
"""
import math
import struct
import sys
import zlib
from pathlib import Path

# --- shapes: each returns a signed distance (negative inside), canvas units ---

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r

def ring(cx, cy, r, w):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - w / 2

def segment(ax, ay, bx, by, w):
    def d(x, y):
        px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - vx * t, py - vy * t) - w / 2
    return d

def arc(cx, cy, r, w, start, end):
    """A ring from angle start to end (degrees, clockwise from 12 o'clock), round caps."""
    a0, a1 = math.radians(start), math.radians(end)
    caps = [(cx + r * math.sin(a), cy - r * math.cos(a)) for a in (a0, a1)]
    def d(x, y):
        a = math.atan2(x - cx, -(y - cy)) % (2 * math.pi)
        lo, hi = a0 % (2 * math.pi), a1 % (2 * math.pi)
        inside = lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
        if inside:
            return abs(math.hypot(x - cx, y - cy) - r) - w / 2
        return min(math.hypot(x - px, y - py) for px, py in caps) - w / 2
    return d

def box(x0, y0, x1, y1, radius=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius
    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - radius
    return d

def polygon(points):
    def d(x, y):
        best, inside = float("inf"), False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            vx, vy, px, py = bx - ax, by - ay, x - ax, y - ay
            t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
            best = min(best, math.hypot(px - vx * t, py - vy * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -best if inside else best
    return d

def ellipse_ring(cx, cy, rx, ry, w):
    # Good enough for thin strokes: distance scaled by the local radius.
    def d(x, y):
        k = math.hypot((x - cx) / rx, (y - cy) / ry)
        return abs(k - 1) * min(rx, ry) - w / 2
    return d

def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)

def minus(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))

# --- the drawings ---

STROKE = 0.085

def glyph_exit():
    door = minus(box(0.22, 0.2, 0.56, 0.8, 0.03), box(0.29, 0.27, 0.49, 0.8))
    return union(door, segment(0.42, 0.5, 0.8, 0.5, STROKE), segment(0.8, 0.5, 0.67, 0.37, STROKE),
                 segment(0.8, 0.5, 0.67, 0.63, STROKE), circle(0.44, 0.52, 0.0))

def glyph_clock():
    return union(ring(0.5, 0.5, 0.29, STROKE), segment(0.5, 0.5, 0.5, 0.31, STROKE),
                 segment(0.5, 0.5, 0.64, 0.58, STROKE), circle(0.5, 0.5, 0.055))

def glyph_power():
    return union(arc(0.5, 0.53, 0.26, STROKE, 35, 325), segment(0.5, 0.2, 0.5, 0.5, STROKE))

def glyph_mute():
    speaker = polygon([(0.18, 0.4), (0.3, 0.4), (0.48, 0.24), (0.48, 0.76), (0.3, 0.6), (0.18, 0.6)])
    return union(speaker, segment(0.6, 0.38, 0.82, 0.62, STROKE), segment(0.6, 0.62, 0.82, 0.38, STROKE))

def glyph_user():
    head = circle(0.5, 0.36, 0.14)
    shoulders = minus(circle(0.5, 0.86, 0.3), box(0.0, 0.8, 1.0, 1.0))
    return union(head, shoulders)

def glyph_globe():
    return union(ring(0.5, 0.5, 0.29, STROKE * 0.8), ellipse_ring(0.5, 0.5, 0.12, 0.29, STROKE * 0.7),
                 segment(0.23, 0.5, 0.77, 0.5, STROKE * 0.7), segment(0.5, 0.21, 0.5, 0.79, STROKE * 0.7))

def glyph_home():
    roof = polygon([(0.5, 0.18), (0.84, 0.48), (0.16, 0.48)])
    body = minus(box(0.27, 0.44, 0.73, 0.8, 0.02), box(0.44, 0.58, 0.56, 0.8))
    return union(roof, body)

def glyph_app():
    badge = circle(0.72, 0.72, 0.2)
    clock = minus(union(ring(0.45, 0.45, 0.27, STROKE), segment(0.45, 0.45, 0.45, 0.27, STROKE),
                        segment(0.45, 0.45, 0.58, 0.52, STROKE)), circle(0.72, 0.72, 0.24))
    return clock, badge, union(arc(0.72, 0.74, 0.1, 0.045, 40, 320), segment(0.72, 0.58, 0.72, 0.72, 0.045))

ICONS = {
    "exit": ((0xD9, 0x4B, 0x45), glyph_exit),
    "schedule": ((0x2F, 0x7E, 0xD8), glyph_clock),
    "power_keys": ((0xE0, 0x7A, 0x22), glyph_power),
    "volume_keys": ((0x17, 0x9C, 0x86), glyph_mute),
    "auto_logon": ((0x73, 0x58, 0xCF), glyph_user),
    "time_sync": ((0x34, 0x97, 0x3F), glyph_globe),
    "home_page": ((0x46, 0x67, 0x9E), glyph_home),
}

# --- rendering ---

def render(size, colour, glyph, badge=None, badge_glyph=None, badge_colour=(0xE0, 0x4A, 0x3A)):
    n = 4 if size <= 48 else 2
    tile = box(0.04, 0.04, 0.96, 0.96, 0.2)
    pixels = bytearray()
    for py in range(size):
        for px in range(size):
            t = g = b = bg = 0.0
            for sy in range(n):
                for sx in range(n):
                    x, y = (px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size
                    if tile(x, y) <= 0:
                        t += 1
                        if glyph(x, y) <= 0:
                            g += 1
                        if badge and badge(x, y) <= 0:
                            b += 1
                            if badge_glyph(x, y) <= 0:
                                bg += 1
            t, g, b, bg = (v / (n * n) for v in (t, g, b, bg))
            if t == 0:
                pixels += b"\0\0\0\0"
                continue
            shade = 1.12 - 0.24 * (py / size)  # lighter at the top
            base = [min(255.0, c * shade) for c in colour]
            rgb = [base[i] * (t - g - b) + 255 * g + badge_colour[i] * (b - bg) + 255 * bg for i in range(3)]
            rgb = [max(0, min(255, round(c / t))) for c in rgb]
            pixels += bytes([rgb[2], rgb[1], rgb[0], round(255 * t)])  # BGRA
    return bytes(pixels)

def bmp_entry(size, bgra):
    rows = [bgra[(size - 1 - y) * size * 4:(size - y) * size * 4] for y in range(size)]  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4 + mask_row * size, 0, 0, 0, 0)
    return header + b"".join(rows) + b"\0" * (mask_row * size)

def png_entry(size, bgra):
    raw = b"".join(b"\0" + bytes(c for i in range(0, size * 4, 4)
                                 for c in (row[i + 2], row[i + 1], row[i], row[i + 3]))
                   for row in (bgra[y * size * 4:(y + 1) * size * 4] for y in range(size)))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

def write_ico(path, images):
    entries, blobs, offset = b"", b"", 6 + 16 * len(images)
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    Path(path).write_bytes(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)

def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    for name, (colour, drawing) in ICONS.items():
        glyph = drawing()
        write_ico(out / f"{name}.ico", [(s, bmp_entry(s, render(s, colour, glyph))) for s in (32, 48, 64)])
    clock, badge, badge_glyph = glyph_app()
    images = [(s, bmp_entry(s, render(s, (0x2F, 0x7E, 0xD8), clock, badge, badge_glyph))) for s in (16, 24, 32, 48)]
    images.append((256, png_entry(256, render(256, (0x2F, 0x7E, 0xD8), clock, badge, badge_glyph))))
    write_ico(out / "app.ico", images)

if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "icons")
