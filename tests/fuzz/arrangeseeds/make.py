#!/usr/bin/env python3
# Writes the seed graphs of fuzz_arrange (run here; the files are kept in git):
# big trees (broad ones that fit the largest page, a deep one that does not)
# with cycles, self-loops, locked nodes and obstacles for the tree
# layouts, and a middling graph for the flowchart, whose layered drawing takes
# long for hundreds of nodes under the sanitizers.
import random
import struct

KINDS = {'mindmap': 0, 'tree': 1, 'orgchart': 2, 'flowchart': 3}


def graph(kind, nodes, extra, seed, root, fanout=0, locks=True):
    r = random.Random(seed)
    count = sum(1 for v in range(nodes) if not locks or v % 50 != 49)
    edges = count - 1 + extra
    b = bytearray([KINDS[kind] | (4 if root else 0)])
    b += struct.pack('>HHBHH', nodes - 1, edges, 25, 1100, 1970)
    if root:
        b += struct.pack('>H', 0)
    for v in range(nodes):
        flags = 0 if not locks else 1 if v % 50 == 49 else 6 if v % 37 == 5 else 0
        b += struct.pack('>BHHBB', flags, r.randrange(6000), r.randrange(6000),
                         r.randrange(20, 120), r.randrange(10, 60))
    for e in range(edges):
        if e < count - 1 and fanout:
            b += struct.pack('>HH', e // fanout, e + 1)
        elif e < count - 1:
            b += struct.pack('>HH', r.randrange(e + 1), e + 1)
        else:
            b += struct.pack('>HH', r.randrange(count), r.randrange(count))
    return bytes(b)


for name, args in {
    'tree500-mindmap.graph': ('mindmap', 500, 0, 1, False, 9, False),
    'tree500-tree.graph': ('tree', 500, 20, 5, True, 30, False),
    'tree500-orgchart.graph': ('orgchart', 500, 40, 2, True),
    'tree60-tree.graph': ('tree', 60, 10, 3, False),
    'graph120-flowchart.graph': ('flowchart', 120, 60, 4, False),
}.items():
    with open(name, 'wb') as f:
        f.write(graph(*args))
