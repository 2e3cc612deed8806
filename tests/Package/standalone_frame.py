"""Checks the standalone example's last frame: `standalone_frame.py FILE`.

The example draws a red card left of the centre on a dark blue background, and white
text to the right of the centre."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'Program'))
from png_pixel import read_png  # noqa: E402


def near(pixel, colour, tolerance=12):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))


def main():
    rows, channels = read_png(sys.argv[1])
    if len(rows) != 768 or len(rows[0]) != 1024 * channels:
        print("expected a 1024 x 768 frame")
        sys.exit(1)

    def pixel(x, y):
        return tuple(rows[y][x * channels:x * channels + 3])

    failures = []
    if not near(pixel(20, 20), (25, 38, 76)):
        failures.append("background at (20, 20) is %s" % (pixel(20, 20),))
    card = (512 - 6 * 768 // 20, 384)
    if not near(pixel(*card), (230, 38, 25)):
        failures.append("card centre at %s is %s" % (card, pixel(*card)))
    text = [(x, y) for y in range(330, 440) for x in range(480, 1010) if min(pixel(x, y)) >= 200]
    if len(text) < 200:
        failures.append("only %d white text pixels right of the centre" % len(text))
    if failures:
        print("; ".join(failures))
        sys.exit(1)


if __name__ == '__main__':
    main()
