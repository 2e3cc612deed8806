"""Checks that a screenshot shows something: `frame_not_flat.py FILE`.

For a game whose picture the check can't know (the Python example, whatever it draws):
a frame of one flat colour means nothing was drawn."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'Program'))
from png_pixel import read_png  # noqa: E402


def main():
    rows, channels = read_png(sys.argv[1])
    colours = {bytes(row[x:x + 3]) for row in rows[::8] for x in range(0, len(row), channels * 8)}
    if len(colours) < 2:
        print("%s is one flat colour: nothing was drawn" % sys.argv[1])
        sys.exit(1)


if __name__ == '__main__':
    main()
