#!/usr/bin/env python3
"""samepens.py A.png B.png: exit 0 when two 8-bit palette (or grey) PNG files
hold the same size and the same pixel values, whatever their compression;
otherwise print where they first differ and exit 1."""
import struct
import sys
import zlib


def pens(path):
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG file')
    pos, idat, head = 8, b'', None
    while pos + 8 <= len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b'IHDR':
            head = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        elif kind == b'IEND':
            break
        pos += 12 + n
    w, h, depth, ctype, _, _, interlace = head
    if depth != 8 or ctype not in (0, 3) or interlace:
        raise ValueError('not an 8-bit palette image')
    raw = zlib.decompress(idat)
    out, prev = bytearray(), bytearray(w)
    for y in range(h):
        f, row = raw[y * (w + 1)], bytearray(raw[y * (w + 1) + 1:(y + 1) * (w + 1)])
        for x in range(w if f else 0):
            a = row[x - 1] if x else 0
            b = prev[x]
            c = prev[x - 1] if x else 0
            if f == 1:
                row[x] = (row[x] + a) & 255
            elif f == 2:
                row[x] = (row[x] + b) & 255
            elif f == 3:
                row[x] = (row[x] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out += row
        prev = row
    return w, h, bytes(out)


(wa, ha, a), (wb, hb, b) = pens(sys.argv[1]), pens(sys.argv[2])
if (wa, ha) != (wb, hb):
    print(f'{sys.argv[2]} is {wb}x{hb}, not {wa}x{ha}')
    sys.exit(1)
if a != b:
    i = next(k for k in range(len(a)) if a[k] != b[k])
    print(f'{sys.argv[2]} differs first at ({i % wa},{i // wa}): {b[i]} instead of {a[i]}')
    sys.exit(1)
