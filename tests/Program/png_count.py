"""Counts the pixels of one kind in a box of a screenshot and fails below a minimum:
`png_count.py FILE LEFT TOP RIGHT BOTTOM red|lie|band|circle|blue|bright|dark MIN WHAT`.

Boxes are window pixels from the top left, right and bottom excluded."""
import sys

from png_pixel import read_png

KINDS = {
    # The title and the player's tie: a strong red.
    'red': lambda r, g, b: r > 200 and g < 150 and b < 150,
    # The lie circle is drawn see-through over the field: red, paler than the title.
    'lie': lambda r, g, b: r > 200 and g < 190 and b < 190 and r - g > 60,
    # The player's lie circle: a solid band of its own red.
    'band': lambda r, g, b: 210 <= r <= 230 and 14 <= g <= 34 and 28 <= b <= 44,
    # A thin see-through red line over the field's pale background (a journalist's flash).
    'circle': lambda r, g, b: r > 225 and 90 < g < 170 and 90 < b < 170 and abs(g - b) < 25,
    # The ticker's price graph.
    'blue': lambda r, g, b: b > 200 and r < 140 and g < 140,
    # Banner boxes and page backgrounds.
    'bright': lambda r, g, b: r > 190 and g > 190 and b > 190,
    # Text.
    'dark': lambda r, g, b: r < 80 and g < 80 and b < 80,
}


def main():
    path = sys.argv[1]
    left, top, right, bottom = (int(v) for v in sys.argv[2:6])
    kind, least, what = KINDS[sys.argv[6]], int(sys.argv[7]), sys.argv[8]
    rows, channels = read_png(path)
    count = 0
    for y in range(max(top, 0), min(bottom, len(rows))):
        row = rows[y]
        for x in range(max(left, 0), min(right, len(row) // channels)):
            if kind(*row[x * channels:x * channels + 3]):
                count += 1
    if count < least:
        print("%s: %d %s pixels in (%d, %d)-(%d, %d), want at least %d: no %s" %
              (path, count, sys.argv[6], left, top, right, bottom, least, what))
        sys.exit(1)


if __name__ == '__main__':
    main()
