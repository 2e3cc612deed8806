#!/usr/bin/env python3
"""Compares two screenshots of the page.

    compare_png.py A B          same picture: at most a few pixels differ by more than a
                                rounding would (a renderer's update may round otherwise)
    compare_png.py --exact A B  byte-for-byte the same pixels
    compare_png.py --differ A B the pictures differ somewhere
    compare_png.py --text L,T,R,B A B
                                the box from (L, T) to (R, B) only, where no pixel may
                                differ by more than a rounding would: text whose few
                                characters could be others in fewer pixels than a
                                whole picture may differ in

Exits 1 with one line saying how they differ.
"""

import sys

from PIL import Image, ImageChops

# Channel steps a different rounding can't explain, and how many such pixels may differ
# before the picture counts as another: a missing word differs in hundreds.
CLEAR_DIFFERENCE = 32
ALLOWED_PIXELS = 50


def differing_pixels(a, b, threshold):
    difference = ImageChops.difference(a, b).convert("L")
    histogram = difference.histogram()
    return sum(histogram[threshold + 1 :])


def main():
    args = sys.argv[1:]
    mode = args.pop(0) if args and args[0].startswith("--") else "--close"
    box = None
    allowed = ALLOWED_PIXELS
    if mode == "--text" and args:
        try:
            box = tuple(int(side) for side in args.pop(0).split(","))
        except ValueError:
            box = ()
        if len(box) != 4 or not (0 <= box[0] < box[2] and 0 <= box[1] < box[3]):
            sys.exit("--text takes a box LEFT,TOP,RIGHT,BOTTOM in pixels")
        mode, allowed = "--close", 0
    if len(args) != 2 or mode not in ("--close", "--exact", "--differ"):
        sys.exit(__doc__.strip())
    a, b = (Image.open(name).convert("RGB") for name in args)
    if box and (box[2] > min(a.size[0], b.size[0]) or box[3] > min(a.size[1], b.size[1])):
        sys.exit(f"the box {box} does not fit in {args[0]} ({a.size[0]}x{a.size[1]}) and {args[1]} ({b.size[0]}x{b.size[1]})")
    if box:
        a, b = a.crop(box), b.crop(box)
    if a.size != b.size:
        if mode == "--differ":
            return
        sys.exit(f"{args[0]} is {a.size[0]}x{a.size[1]}, {args[1]} is {b.size[0]}x{b.size[1]}")
    if mode == "--exact":
        count = differing_pixels(a, b, 0)
        if count:
            sys.exit(f"{args[0]} and {args[1]} differ in {count} pixels")
    elif mode == "--differ":
        if differing_pixels(a, b, 0) == 0:
            sys.exit(f"{args[0]} and {args[1]} are the same picture")
    else:
        count = differing_pixels(a, b, CLEAR_DIFFERENCE)
        if count > allowed:
            where = " in %d,%d,%d,%d" % box if box else ""
            sys.exit(f"{args[0]} and {args[1]} differ clearly{where} in {count} pixels (at most {allowed} may)")


if __name__ == "__main__":
    main()
