"""Checks one pixel of a game screenshot: `png_pixel.py FILE X Y menu|play|console`.

FILE is a PNG written by the game or a window dump (`xwd`, name ending in .xwd) taken
while it runs. The menu's background is (237, 240, 230); on the play field the ticker's
panel makes the top-left corner nearly white; the open console's backdrop makes it dark."""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, 'rb').read()
    pos, idat = 8, b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, _, colour = struct.unpack('>IIBB', body[:10])
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    channels = {2: 3, 6: 4}[colour]
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b = prev[x]
            c = prev[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return rows, channels


def xwd_pixel(path, x, y):
    """(r, g, b) of a true-colour window dump."""
    data = open(path, 'rb').read()
    fields = struct.unpack('>25I', data[:100])
    header_size, byte_order, bits_per_pixel, bytes_per_line = fields[0], fields[7], fields[11], fields[12]
    masks, colours = fields[14:17], fields[19]
    size = bits_per_pixel // 8
    at = header_size + 12 * colours + y * bytes_per_line + x * size
    value = int.from_bytes(data[at:at + size], 'little' if byte_order == 0 else 'big')

    def channel(mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    return tuple(channel(mask) for mask in masks)


def pixel(path, x, y):
    if path.endswith('.xwd'):
        return xwd_pixel(path, x, y)
    rows, channels = read_png(path)
    return tuple(rows[y][x * channels:x * channels + 3])


def main():
    path, x, y, screen = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    r, g, b = pixel(path, x, y)
    if screen == 'console':
        if max(r, g, b) >= 120:
            print("pixel (%d, %d) of %s is %s: no console over it" % (x, y, path, (r, g, b)))
            sys.exit(1)
        return
    white = min(r, g, b) >= 248
    if white != (screen == 'play'):
        print("pixel (%d, %d) of %s is %s: not the %s" % (x, y, path, (r, g, b), screen))
        sys.exit(1)


if __name__ == '__main__':
    main()
