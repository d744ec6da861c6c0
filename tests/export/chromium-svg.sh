#!/usr/bin/env bash
# chromium-svg.sh SVG OUT.png W H - Chromium's rendering of an SVG file: the
# picture at its own size (its width and height in millimetres at 96 dpi)
# with its top left corner at 0,0, in a W x H pixel screenshot written to
# OUT.png.
#
# The file is shown as an SVG <image> inside an inline <svg> of W x H pixels:
# loaded on its own or through <img>, Chromium snaps the picture's box to whole
# pixels (210 mm, 793.7 pixels, becomes 794) and stretches the drawing to
# fill it, a third of a pixel at the right edge, which would be a difference
# of the viewer's page layout rather than of the drawing. What still differs
# is Chromium's own: glyphs start on whole pixels at this scale, and some
# edges' coverage comes in quarters of a pixel. Headless, without
# a sandbox, the GPU or any network use (this machine has none to offer).
# Exit status 0 when OUT.png was written; Chromium's messages go to standard
# error only when it wasn't.
set -u
[ $# -eq 4 ] || { echo "usage: $0 SVG OUT.png W H" >&2; exit 2; }
svg=$1 out=$2 w=$3 h=$4
case "$w$h" in *[!0-9]*) echo "$0: W and H are whole numbers of pixels" >&2; exit 2 ;; esac
[ -r "$svg" ] || { echo "$0: cannot read $svg" >&2; exit 2; }
dir=$(mktemp -d) || exit 2
trap 'rm -rf "$dir"' EXIT
# A copy beside the page, so that its URL needs no quoting whatever its name.
cp "$svg" "$dir/picture.svg"
cat >"$dir/page.html" <<EOF
<!DOCTYPE html>
<html><head><style>html,body{margin:0;padding:0;overflow:hidden;background:#fff}svg{display:block}</style></head>
<body><svg xmlns="http://www.w3.org/2000/svg" width="$w" height="$h"><image href="picture.svg"/></svg></body></html>
EOF
# Our renderer draws text unhinted, at the outline's own positions; Chromium
# asks fontconfig, whose default here is slight hinting (stems and baselines
# pulled to whole pixels). The same fonts, with hinting off as ours.
cat >"$dir/fonts.conf" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="hinting" mode="assign"><bool>false</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintnone</const></edit>
  </match>
</fontconfig>
EOF
rm -f "$out"
FONTCONFIG_FILE="$dir/fonts.conf" chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$dir/profile" --hide-scrollbars --force-device-scale-factor=1 \
  --window-size="$w,$h" --screenshot="$out" "file://$dir/page.html" >"$dir/log" 2>&1
if [ ! -s "$out" ]; then
  echo "$0: Chromium wrote no screenshot of $svg:" >&2
  grep -v 'dbus' "$dir/log" | tail -20 >&2
  exit 1
fi
