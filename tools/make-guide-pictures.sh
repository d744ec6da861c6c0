#!/usr/bin/env bash
# make-guide-pictures.sh [BUILD] - the pictures of docs/guide.md, made by the
# program itself: renders and exports of the sample diagrams through
# ideaweave-cli, and screenshots of the editor under Xvfb (through the GUI
# tests' picture saver, with the mind-map sample open). Run it after changing
# how the program looks, and look at the result with git diff.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cli=$build/src/ideaweave-cli
out=$root/docs/pictures
samples=$root/data/samples
work=$(mktemp -d "${TMPDIR:-/tmp}/iw-pictures-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data TMPDIR=$work
mkdir -p "$out"

# The whole page of each sample as the drawing window shows it.
page=(--size 640x880 --scroll 100,100)
"$cli" render "$samples/flowchart.iwo" "$out/flowchart.png" "${page[@]}"
"$cli" render "$samples/classes.iwo" "$out/classes.png" "${page[@]}"
"$cli" render "$samples/mindmap.iwo" "$out/mindmap-folded.png" "${page[@]}"

# The mind map unfolded: a press on each folded connector (half-way along
# it) and Object > Node.
cat >"$work/unfold.script" <<'SCRIPT'
window 760 1000
tool 32
press 309 644
release 309 644
call node
press 5 5
release 5 5
press 508 634
release 508 634
call node
press 5 5
release 5 5
render unfolded.png
SCRIPT
(cd "$work" && "$cli" run unfold.script "$samples/mindmap.iwo" >/dev/null)
# cut the unfolded window to the page as the renders above show it
/usr/bin/python3 - "$work/unfolded.png" "$out/mindmap-unfolded.png" <<'PY'
import sys, struct, zlib
# A palette PNG cropped to the page (100,100)-(740,980): rows of 8-bit indices.
data = open(sys.argv[1], 'rb').read()
pos, chunks = 8, []
while pos < len(data):
    n, kind = struct.unpack('>I4s', data[pos:pos + 8])
    chunks.append((kind, data[pos + 8:pos + 8 + n]))
    pos += 12 + n
ihdr = dict(chunks)[b'IHDR']
w, h, depth, ctype = struct.unpack('>IIBB', ihdr[:10])
assert depth == 8 and ctype == 3, 'an 8-bit palette PNG is expected'
raw = zlib.decompress(b''.join(c for k, c in chunks if k == b'IDAT'))
rows, stride, prev = [], w + 1, bytearray(w)
for y in range(h):
    f, line = raw[y * stride], bytearray(raw[y * stride + 1:(y + 1) * stride])
    for x in range(w):
        a = line[x - 1] if x else 0
        b, c = prev[x], prev[x - 1] if x else 0
        if f == 1: line[x] = (line[x] + a) & 255
        elif f == 2: line[x] = (line[x] + b) & 255
        elif f == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(bytes(line))
    prev = line
x0, y0, cw, ch = 100, 100, 640, 880
body = b''.join(b'\0' + r[x0:x0 + cw] for r in rows[y0:y0 + ch])
def chunk(kind, payload):
    return struct.pack('>I', len(payload)) + kind + payload + struct.pack('>I', zlib.crc32(kind + payload))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', cw, ch, 8, 3, 0, 0, 0))
png += b''.join(chunk(k, c) for k, c in chunks if k in (b'PLTE', b'tRNS'))
png += chunk(b'IDAT', zlib.compress(body, 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
PY

# A selected class box with its eight handles.
"$cli" render "$samples/classes.iwo" "$out/handles.png" --size 320x240 --scroll 280,100 \
  --highlight --select 2

"$cli" export "$samples/flowchart.iwo" "$work/flowchart.md" --focus 1 >/dev/null
# The outline the guide quotes.
cp "$work/flowchart.md" "$out/flowchart-outline.md"

# The editor under Xvfb: the main window with the mind map, the object
# properties window, a text requester.
gui=$build/tests/gui/iwgui_look
if [ -x "$gui" ] && command -v xvfb-run >/dev/null; then
  IW_GUI_LOOK=$work IW_GUI_LOOK_DIAGRAM=$samples/mindmap.iwo QT_QPA_PLATFORM=xcb \
    XDG_RUNTIME_DIR=$work xvfb-run -a -s "-screen 0 1024x768x24" \
    "$gui" >"$work/look.log" 2>&1 || { cat "$work/look.log"; exit 1; }
  cp "$work/sample.png" "$out/window.png"
  cp "$work/properties0.png" "$out/properties.png"
  cp "$work/properties1.png" "$out/properties-lines.png"
  cp "$work/text.png" "$out/text.png"
else
  echo "no editor build or no xvfb-run: the screenshots were not remade" >&2
fi
ls -l "$out"
