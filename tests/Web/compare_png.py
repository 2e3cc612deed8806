#!/usr/bin/env python3
"""Compares two screenshots of the page.

    compare_png.py A B          same picture: at most a few pixels differ by more than a
                                rounding would (a renderer's update may round otherwise)
    compare_png.py --exact A B  byte-for-byte the same pixels
    compare_png.py --differ A B the pictures differ somewhere

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
    if len(args) != 2 or mode not in ("--close", "--exact", "--differ"):
        sys.exit(__doc__.strip())
    a, b = (Image.open(name).convert("RGB") for name in args)
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
        if count > ALLOWED_PIXELS:
            sys.exit(f"{args[0]} and {args[1]} differ clearly in {count} pixels (at most {ALLOWED_PIXELS} may)")


if __name__ == "__main__":
    main()
