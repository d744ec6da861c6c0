#!/usr/bin/python3
"""Writes diagram files byte by byte from the documented file layout.

This writer shares no code with the program: it is the independent reference
that the reader is tested against. Run it to regenerate the fixture files:

    /usr/bin/python3 tests/tools/mkiwo.py OUTDIR

It writes, into OUTDIR:
    r97.iwo r96.iwo          current layout (1442-byte records)
    r95.iwo r92.iwo r50.iwo  old layout (688-byte records)
    sample.iwo               a small mind map for the sample directory
"""
import struct
import sys
import os

NEW_SIZE = 1442
OLD_SIZE = 688


def text(s, n):
    b = s.encode("latin-1")[: n - 1]
    return b + b"\0" * (n - len(b))


def diagram_record(objects, title="Fixture", filename="fixture.iwo", paper=(2100, 2900),
                   release=97):
    b = bytearray(2312)
    b[0:1000] = text(filename, 1000)
    b[1000:1256] = text("Fixture writer Version 1", 256)
    struct.pack_into(">hh", b, 1256, 1, release)
    b[1260:1515] = text(title, 255)
    b[1515:1770] = text("Written from the documented layout", 255)
    b[1770:2026] = text("Test Author \xe9", 256)
    struct.pack_into(">IHBB", b, 2026, 0, 16, 0, 1)
    b[2034:2290] = text("Bitstream Vera Sans.font", 256)
    struct.pack_into(">11h", b, 2290, 1, 2, 1, paper[0], paper[1], 2, 1, 2, 3, 10, objects)
    return bytes(b)


def header(release):
    return text("Fixture writer Version 1", 255) + struct.pack(">h", release)


def part(kind, pts, lc=1, fc=2, lw=10, pad=0):
    b = bytearray(34)
    b[0] = kind & 0xFF
    for i, (x, y) in enumerate(pts):
        b[1 + i] = x & 0xFF
        b[14 + i] = y & 0xFF
    b[27] = pad
    struct.pack_into(">hhh", b, 28, lc, fc, lw)
    return bytes(b)


BOX = [(0, 0), (100, 0), (100, 100), (0, 100), (0, 0)]
STD_HX = [-5, 0, 50, 100, 0, 100, 0, 50, 100, 50, -5, -5]
STD_HY = [0, 0, 0, 0, 50, 50, 100, 100, 100, 50, -5, -5]


def new_record(id, type, name, x, y, w, h, draw=(), highlight=(), erase=None, label="",
               lc=1, fc=2, lw=10, connect=None, handles=(STD_HX, STD_HY), group=0,
               locked=0, selected=0, visible=1, fold=0, nodefold=0, reserved=None,
               drawnum=None, highlightnum=None, fontpointer=0x1234ABCD, labelfilled=1):
    b = bytearray(NEW_SIZE)
    struct.pack_into(">hh", b, 0, id, type)
    b[4:30] = text(name, 26)
    struct.pack_into(">7h", b, 30, x, y, w, h, lc, lw, fc)
    struct.pack_into(">IHBB", b, 44, fontpointer, 16, 0, 1)
    b[52:308] = text("Bitstream Vera Sans.font", 256)
    struct.pack_into(">4h", b, 308, 50, 50, 0, 1)
    b[316:366] = text(label, 50)
    struct.pack_into(">hh", b, 366, 2, labelfilled)
    b[370] = len(draw) if drawnum is None else drawnum
    b[371] = len(highlight) if highlightnum is None else highlightnum
    for i, p in enumerate(draw):
        b[372 + 34 * i: 406 + 34 * i] = p
    for i, p in enumerate(highlight):
        b[1052 + 34 * i: 1086 + 34 * i] = p
    if erase:
        b[1222:1256] = erase
    b[1256:1352] = reserved if reserved is not None else bytes(range(96))
    c = connect or (-99, 0, 0, 0, 0, -99, 0, 0, 0, 0)
    struct.pack_into(">10h", b, 1352, *c)
    struct.pack_into(">12h", b, 1372, *handles[0])
    struct.pack_into(">12h", b, 1396, *handles[1])
    struct.pack_into(">8h", b, 1420, group, 0x7777, locked, selected, nodefold, fold, visible, 11)
    struct.pack_into(">3h", b, 1436, 21, 22, 23)
    return bytes(b)


def scratch_new():
    return new_record(-99, 35, "Unnamed", -99, -99, 0, 0)


def rect(id, x, y, w, h, label, fc=2, soft=False, **kw):
    d = part(1, BOX + [(25, 25) if soft else (0, 0)], fc=fc)
    return new_record(id, 102 if soft else 101, "SoftRect" if soft else "Rectangle", x, y, w, h,
                      draw=[d], highlight=[part(1, [(0, 0), (100, 100)])],
                      erase=part(1, [(0, 0), (100, 100)]), label=label, fc=fc, **kw)


def ellipse(id, x, y, w, h, label, fc=2, **kw):
    return new_record(id, 105, "Ellipse", x, y, w, h, draw=[part(6, [(50, 50), (50, 50)], fc=fc)],
                      highlight=[part(6, [(50, 50), (50, 50)])],
                      erase=part(1, [(0, 0), (100, 100)]), label=label, fc=fc, **kw)


def connector(id, a, b, ax, ay, bx, by, **kw):
    """A connector from object a (id, x, y, w, h) at percent (ax, ay) to b."""
    x = a[1] + a[3] * ax // 100
    y = a[2] + a[4] * ay // 100
    w = b[1] + b[3] * bx // 100 - x
    h = b[2] + b[4] * by // 100 - y
    draw = [part(13, [(0, 0), (100, 100)], fc=1, lw=5),
            part(17, [(0, 0), (10, 10)], fc=1, lw=5),
            part(19, [(100, 100), (10, 10)], fc=1, lw=5)]
    hx = [-5, 0, -5, -5, -5, -5, -5, -5, 100, 50, -5, -5]
    hy = [0, 0, -5, -5, -5, -5, -5, -5, 100, 50, -5, -5]
    return new_record(id, 108, "Connector", x, y, w, h, draw=draw,
                      highlight=[part(13, [(0, 0), (100, 100)])],
                      erase=part(13, [(0, 0), (100, 100)]), lw=5, fc=1,
                      connect=(a[0], ax, ay, 0, 1, b[0], bx, by, 0, 1), handles=(hx, hy), **kw)


def with_connections(rec, n):
    b = bytearray(rec)
    struct.pack_into(">h", b, 1396, n)
    return bytes(b)


def old_record(id, type, name, x, y, w, h, parts, lc=1, fc=2, lw=10, label="", group=0,
               selected=1, handles=None, attach=(10, -20, 30, 40), erase_pens=(4, 5),
               labelxy=(50, 50)):
    b = bytearray(OLD_SIZE)
    struct.pack_into(">hh", b, 0, id, type)
    b[4:29] = b"\xAA" * 25  # never read
    b[29:54] = text(name, 25)
    struct.pack_into(">7h", b, 54, x, y, w, h, lc, lw, fc)
    struct.pack_into(">IHBB", b, 68, 0xDEADBEEF, 16, 0, 1)
    b[76:332] = text("Bitstream Vera Sans.font", 256)
    struct.pack_into(">4h", b, 332, labelxy[0], labelxy[1], 0, 1)
    b[340:390] = text(label, 50)
    struct.pack_into(">hh", b, 390, 2, 1)
    b[394] = len(parts)
    b[395] = 1
    for k, (kind, xs, ys, plc, pfc) in enumerate(parts):
        o = 396 + 14 * k
        b[o] = kind
        b[o + 1:o + 5] = bytes(v & 0xFF for v in xs)
        b[o + 5:o + 9] = bytes(v & 0xFF for v in ys)
        struct.pack_into(">hh", b, o + 10, plc, pfc)
    struct.pack_into(">hh", b, 546, *erase_pens)
    struct.pack_into(">h", b, 610, 77)
    b[612] = attach[0] & 0xFF
    b[613] = attach[1] & 0xFF
    struct.pack_into(">hh", b, 614, 3, 1)
    struct.pack_into(">h", b, 618, 78)
    b[620] = attach[2] & 0xFF
    b[621] = attach[3] & 0xFF
    struct.pack_into(">hh", b, 622, 4, 1)
    hx, hy = handles or ([-5] * 12, [0] + [-5] * 11)
    struct.pack_into(">12h", b, 626, *hx)
    struct.pack_into(">12h", b, 650, *hy)
    struct.pack_into(">7h", b, 674, group, -99, 0, selected, 0, 0, 1)
    return bytes(b)


def old_scratch():
    return old_record(-99, 35, "Unnamed", -99, -99, 0, 0, [])


def write(path, release, records, **kw):
    with open(path, "wb") as f:
        f.write(header(release))
        f.write(diagram_record(len(records), release=release, **kw))
        for r in records:
            f.write(r)


def main(out):
    os.makedirs(out, exist_ok=True)
    a = (1, 200, 300, 400, 250)
    b = (2, 1000, 300, 310, 210)
    recs = [scratch_new(),
            with_connections(rect(1, *a[1:], "Start \xc4", group=3, selected=1), 1),
            with_connections(ellipse(2, *b[1:], "Goal", fc=5, locked=1), 1),
            connector(7, a, b, 100, 50, 0, 50),
            rect(4, 300, 900, 310, 210, "Soft", soft=True, fc=6, drawnum=25, highlightnum=9)]
    write(os.path.join(out, "r97.iwo"), 97, recs, title="Release 97")
    write(os.path.join(out, "r96.iwo"), 96, recs[:3], title="Release 96")

    std = ([-5, 0, 50, 100, 0, 100, 0, 50, 100, 50, -5, -5],
           [2, 0, 0, 0, 50, 50, 100, 100, 100, 50, -5, -5])
    old = [old_scratch(),
           old_record(1, 101, "Rectangle", 100, 200, 300, 150,
                      [(1, (0, 100, 0, 0), (0, 100, 0, 0), 1, 2)], label="Box", group=2,
                      handles=std, labelxy=(30, 70)),
           old_record(2, 104, "Diamond", 600, 200, 310, 210,
                      [(8, (1, 2, 3, 4), (5, 6, 7, 8), 9, 9)], lc=10, fc=11, label="Choice"),
           old_record(3, 114, "Hexagon", 100, 600, 310, 210,
                      [(39, (0, 0, 0, 0), (0, 0, 0, 0), 1, 6)], group=5),
           old_record(4, 115, "Pentagon", 600, 600, 310, 210,
                      [(40, (0, 0, 0, 0), (0, 0, 0, 0), 1, 7)]),
           old_record(5, 109, "Text", 100, 1000, 200, 32,
                      [(17, (10, 20, 30, 40), (50, 60, 70, 80), 3, 4)], label="Note")]
    write(os.path.join(out, "r95.iwo"), 95, old, title="Release 95")
    write(os.path.join(out, "r92.iwo"), 92, old, title="Release 92")
    write(os.path.join(out, "r50.iwo"), 50, old[:3], title="Release 50")

    # The bundled sample: a small mind map. The connectors come first in the
    # table, so the nodes are drawn over their ends.
    centre = (1, 800, 1200, 500, 300)
    nodes = [(2, 200, 400, 400, 210, "Ideas"), (3, 1400, 400, 400, 210, "Plans"),
             (4, 200, 2100, 400, 210, "People"), (5, 1400, 2100, 400, 210, "Dates")]
    conns = []
    shapes = [with_connections(ellipse(1, *centre[1:], "Project", fc=15, labelfilled=0), 4)]
    for i, (nid, x, y, w, h, label) in enumerate(nodes):
        shapes.append(with_connections(rect(nid, x, y, w, h, label, fc=[6, 5, 14, 15][i],
                                            soft=True, labelfilled=0), 1))
        conns.append(connector(10 + i, centre, (nid, x, y, w, h), 50, 50, 50, 50))
    write(os.path.join(out, "sample.iwo"), 97, [scratch_new()] + conns + shapes,
          title="Sample mind map", filename="sample.iwo")

if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
