"""Draws the example's images and synthesises its sound with nothing but Python's own
modules: `python3 make_assets.py` rewrites Resources/Images/*.png and
Resources/Sounds/catch.wav. The files it wrote are committed, so the game runs without it."""
import math
import os
import struct
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write_png(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a), 0..255, y down."""
    rows = b"".join(
        b"\x00" + bytes(channel for x in range(width) for channel in pixel(x, y)) for y in range(height)
    )

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def smooth_edge(distance):
    """Coverage of a pixel whose centre is `distance` inside (+) or outside (-) an edge."""
    return max(0.0, min(1.0, distance + 0.5))


def apple(x, y):
    cx, cy = 32.0, 36.0
    px, py = x + 0.5, y + 0.5
    # Two overlapping discs make the apple's shoulders.
    body = max(26.0 - math.hypot(px - cx + 6, py - cy), 26.0 - math.hypot(px - cx - 6, py - cy)) - 4
    stem = min(1.5 - abs(px - 32.5 - (14 - py) * 0.15), py - 3, 16 - py)
    leaf = 1.0 - math.hypot((px - 41) / 7.0, (py - 9) / 3.5)
    if stem > -0.5 and body < 0.5:
        return (90, 60, 30, int(255 * smooth_edge(stem)))
    if leaf > 0 and body < 0.5:
        return (60, 170, 60, int(255 * min(1.0, leaf * 6)))
    if body > -0.5:
        shine = max(0.0, 1.0 - math.hypot(px - 22, py - 26) / 9.0)
        red = 200 + int(55 * shine)
        return (red, int(30 + 200 * shine), int(30 + 200 * shine), int(255 * smooth_edge(body)))
    # Clear pixels keep the apple's colour, so filtering blends no dark fringe into its edge.
    return (200, 30, 30, 0)


def basket(x, y):
    px, py = x + 0.5, y + 0.5
    top, bottom = 14.0, 60.0
    clear = (150, 90, 40, 0)
    if py < top - 4 or py > bottom + 0.5:
        return clear
    # Narrower at the bottom, with a rim across the top.
    inset = 6 + (py - top) * 0.25
    edge = min(px - inset, 128 - inset - px, bottom - py)
    if py < top + 4 and 2 < px < 126:
        return (120, 70, 30, 255)
    if edge < -0.5:
        return clear
    weave = (int(px // 8) + int(py // 8)) % 2
    shade = 170 if weave else 140
    return (shade, int(shade * 0.62), int(shade * 0.3), int(255 * smooth_edge(edge)))


def catch_sound(path):
    rate, seconds = 22050, 0.18
    frames = bytearray()
    for i in range(int(rate * seconds)):
        t = i / rate
        # A rising two-note chime.
        pitch = 880.0 if t < 0.06 else 1320.0
        envelope = math.exp(-t * 18.0)
        value = int(12000 * envelope * math.sin(2 * math.pi * pitch * t))
        frames += struct.pack("<h", value)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    write_png(os.path.join(HERE, "Resources/Images/apple.png"), 64, 64, apple)
    write_png(os.path.join(HERE, "Resources/Images/basket.png"), 128, 64, basket)
    catch_sound(os.path.join(HERE, "Resources/Sounds/catch.wav"))
