#!/usr/bin/env bash
# check-package-clean.sh [DEB] - installs the Debian package on a clean Debian 12
# system and runs the installed programs there, where no source or build tree
# exists: exports of every installed sample as SVG, PNG and PDF (drawn in
# process, no converter installed) and the fonts they name, a render of the pen
# picture and of the smooth view, the editor starting on a sample offscreen and
# on an X server, the desktop entry and ".iwo" file type registered with the
# desktop, and the purge taking it all away again. librsvg2-bin (rsvg-convert),
# which the example converters in libexec use, stays absent throughout: nothing
# installed pulls it in, and the converters pointed at without it fail plainly.
#
# Run as root, on demand (it downloads a minimal Debian 12 with debootstrap; not
# part of ./test.sh). DEB defaults to the one package in build/. The first run
# makes the base system in $IW_DEB12 (default /tmp/deb12) and later runs reuse
# it; every run installs into a fresh copy of it, which is removed afterwards.
# The mirror is the machine's own Debian 12 mirror from /etc/apt, or $IW_MIRROR.
#
# First only the package's declared dependencies are installed and the programs
# run; a missing dependency shows there. Then the tools the registration checks
# need (the package's recommendations, xdg-utils, Xvfb) are added. Prints one line per
# check and ends with PASS or FAIL; the exit status is 0 only on PASS.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
base=${IW_DEB12:-/tmp/deb12}
say() { echo "check-package-clean: $*"; }
die() { echo "check-package-clean: $*" >&2; echo "FAIL"; exit 1; }

[ "$(id -u)" -eq 0 ] || die "run as root (debootstrap, chroot and mount need it)"
for t in debootstrap chroot mount umount dpkg-deb; do
  command -v "$t" >/dev/null || die "$t is missing (apt-get install debootstrap)"
done

if [ $# -ge 1 ]; then
  deb=$1
else
  debs=("$src"/build/ideaweave_*.deb)
  [ -e "${debs[0]}" ] || die "no package in $src/build; build it with: cmake --build build --target package"
  [ ${#debs[@]} -eq 1 ] || die "several packages in $src/build; name one: ${debs[*]}"
  deb=${debs[0]}
fi
[ -f "$deb" ] && dpkg-deb -f "$deb" Package >/dev/null 2>&1 || die "not a Debian package: $deb"
pkg=$(dpkg-deb -f "$deb" Package)

# The machine's Debian 12 mirror: the URI of the first enabled source of the
# suite "bookworm" itself, in one-line or deb822 form.
mirror() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk '$1 == "deb" { l = $0; sub(/\[[^]]*\]/, "", l); split(l, w)
                       if (w[3] == "bookworm") { print w[2]; exit } }' "$f"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
         { uri = ""; deb = 0; suite = 0; on = 1
           for (i = 1; i <= NF; i++) {
             if ($i ~ /^Types:/ && $i ~ /[ \t]deb([ \t]|$)/) deb = 1
             if ($i ~ /^URIs:/) { split($i, w, /[ \t]+/); uri = w[2] }
             if ($i ~ /^Suites:/ && $i ~ /[ \t]bookworm([ \t]|$)/) suite = 1
             if ($i ~ /^Enabled:[ \t]*no/) on = 0 }
           if (deb && suite && on && uri != "") { print uri; exit } }' "$f"
  done
}
if [ -n "${IW_MIRROR:-}" ]; then
  url=$IW_MIRROR
else
  url=$(mirror | head -n 1 || true)
  [ -n "$url" ] || die "no Debian 12 (bookworm) mirror in /etc/apt; name one in IW_MIRROR"
fi

# The base system, made once. debootstrap removes its own work directory
# "debootstrap" from the target when it succeeds.
if [ ! -e "$base" ]; then
  say "making a minimal Debian 12 in $base from $url (takes a while)"
  debootstrap --variant=minbase bookworm "$base" "$url" >"$base.log" 2>&1 ||
    die "debootstrap failed; see $base.log (remove $base before trying again)"
fi
[ -x "$base/usr/bin/apt-get" ] && [ ! -e "$base/debootstrap" ] ||
  die "$base is not a finished Debian system (an interrupted debootstrap?); remove it and run again"

root=$(mktemp -d "${TMPDIR:-/tmp}/iw-clean-XXXXXX")
mounts=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[$i]}" 2>/dev/null || umount -l "${mounts[$i]}" 2>/dev/null || true
  done
  # Removed only when nothing is mounted below it any more.
  if grep -q " $root/" /proc/mounts; then
    echo "check-package-clean: $root still has mounts; not removed" >&2
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT
say "copying the base system into $root"
cp -a "$base/." "$root/"
mount -t proc proc "$root/proc" || die "cannot mount /proc in $root"
mounts+=("$root/proc")
mount --bind /dev "$root/dev" || die "cannot bind /dev into $root"
mounts+=("$root/dev")
cp /etc/resolv.conf "$root/etc/resolv.conf"
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" # start no services
chmod +x "$root/usr/sbin/policy-rc.d"
cp "$deb" "$root/tmp/$pkg.deb"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }
as_user() { chroot --userspec="$uid:$gid" "$root" /usr/bin/env -i PATH=/usr/bin:/bin \
  HOME=/home/iwuser LANG=C.UTF-8 /bin/bash "$@"; }

failures=0
ok() { echo "ok: $*"; }
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }

say "installing $(basename "$deb") with its declared dependencies only"
in_root apt-get update -qq >"$root/tmp/apt.log" 2>&1 || die "apt-get update: $(tail -5 "$root/tmp/apt.log")"
if in_root apt-get install -y -q --no-install-recommends "/tmp/$pkg.deb" >>"$root/tmp/apt.log" 2>&1; then
  ok "apt-get install ./$(basename "$deb") (declared dependencies only)"
else
  bad "apt-get install: $(tail -5 "$root/tmp/apt.log")"
  echo "FAIL"
  exit 1
fi
# PNG and PDF are drawn in process: the converter program is no dependency.
rsvg_absent() {
  if in_root dpkg-query -W -f='${Status}' librsvg2-bin 2>/dev/null | grep -q 'install ok installed' ||
     [ -e "$root/usr/bin/rsvg-convert" ]; then
    bad "librsvg2-bin is installed $1"
  else
    ok "librsvg2-bin is not installed $1"
  fi
}
rsvg_absent "with the package's dependencies"
in_root useradd -m -s /bin/bash iwuser
uid=$(in_root id -u iwuser)
gid=$(in_root id -g iwuser)

# The checks a user would make, as an ordinary user in an empty home directory.
cat >"$root/tmp/iw-run.sh" <<'EOF'
set -u
work=$(mktemp -d)
export TMPDIR=$work
ok() { echo "ok: $*"; }
bad() { echo "FAIL: $*"; }
cd "$HOME" || { bad "no home directory"; exit 1; }
ideaweave-cli --version | grep -q '^ideaweave-cli [0-9]' && ok "ideaweave-cli --version" ||
  bad "ideaweave-cli --version"
samples=(/usr/share/ideaweave/samples/*.iwo)
[ -e "${samples[0]}" ] || bad "no samples in /usr/share/ideaweave/samples"
# The magic numbers of SVG, PNG and PDF.
magic() {
  case $1 in
    *.svg) grep -q '<svg' "$1" ;;
    *.png) head -c 8 "$1" | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' ;;
    *.pdf) head -c 5 "$1" | grep -q '%PDF-' ;;
  esac
}
for s in "${samples[@]}"; do
  n=$(basename "$s" .iwo)
  for ext in svg png pdf; do
    if ! ideaweave-cli export "$s" "$work/$n.$ext" >"$work/out" 2>"$work/err"; then
      bad "export $n.$ext: $(head -5 "$work/err")"
    elif [ -s "$work/err" ]; then
      bad "export $n.$ext said: $(head -5 "$work/err")"
    elif ! magic "$work/$n.$ext" 2>/dev/null; then
      bad "export $n.$ext made no .$ext file"
    else
      ok "export $n.$ext"
    fi
  done
done
# The fonts the drawings name are installed, not stood in for by others.
if command -v fc-match >/dev/null; then
  # The first family each label names (the rest are its fallbacks).
  sed -n 's/.*font-family="\([^"]*\)".*/\1/p' "$work"/*.svg | cut -d, -f1 | tr -d "'" |
    sort -u >"$work/families"
  [ -s "$work/families" ] || bad "the exported SVG files name no font"
  while read -r f; do
    got=$(fc-match -f '%{family[0]}' "$f")
    [ "$got" = "$f" ] && ok "font $f installed" || bad "font $f missing (fontconfig offers $got)"
  done <"$work/families"
else
  echo "note: no fc-match (package fontconfig); the fonts were not checked"
fi
if ideaweave-cli render "${samples[0]}" "$work/render.png" 2>"$work/err" && [ ! -s "$work/err" ] &&
   head -c 8 "$work/render.png" | od -An -tx1 | grep -q '89 50 4e 47'; then
  ok "render $(basename "${samples[0]}")"
else
  bad "render: $(head -5 "$work/err")"
fi
if ideaweave-cli render "${samples[0]}" "$work/smooth.png" --smooth --scale 2 2>"$work/err" &&
   [ ! -s "$work/err" ] && head -c 8 "$work/smooth.png" | od -An -tx1 | grep -q '89 50 4e 47'; then
  ok "render $(basename "${samples[0]}") --smooth --scale 2"
else
  bad "render --smooth: $(head -5 "$work/err")"
fi
# Nothing is left behind but the outputs and the (empty) per-user directory.
left=$(find "$work" -mindepth 1 ! -name '*.svg' ! -name '*.png' ! -name '*.pdf' ! -name out ! -name err ! -name families \
  ! \( -type d -name "ideaweave-$(id -u)" -empty \) -printf '%P ')
[ -z "$left" ] && ok "no temporary files left" || bad "temporary files left behind: $left"
# The example converters, chosen without the program they run: the export
# fails with a message and writes nothing.
if IDEAWEAVE_CONVERTERS=/usr/libexec/ideaweave ideaweave-cli export "${samples[0]}" "$work/conv.png" \
     >"$work/out" 2>"$work/err"; then
  bad "export through the converters without rsvg-convert succeeded"
elif [ -e "$work/conv.png" ]; then
  bad "export through the converters without rsvg-convert left $work/conv.png"
elif ! grep -q "Couldn't export" "$work/err"; then
  bad "export through the converters without rsvg-convert said: $(head -5 "$work/err")"
else
  ok "export through the converters without rsvg-convert fails and writes nothing"
fi

# The editor starts on a sample and quits on Ctrl-C.
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work ideaweave "${samples[0]}" >"$work/editor.log" 2>&1 &
pid=$!
sleep 3
if kill -0 $pid 2>/dev/null; then
  kill -INT $pid
  rc=0
  wait $pid || rc=$?
  [ $rc -eq 0 ] && ok "ideaweave starts on $(basename "${samples[0]}") and quits" ||
    bad "ideaweave ended with $rc: $(head -20 "$work/editor.log")"
else
  wait $pid
  bad "ideaweave ended early ($?): $(head -20 "$work/editor.log")"
fi
if [ -s "$work/editor.log" ]; then
  echo "note: the editor said:"
  sed 's/^/    /' "$work/editor.log" | head -20
fi
rm -rf "$work"
EOF

# The desktop's view of the package, once the tools that build its databases
# (the package's recommendations), xdg-utils and an X server are there.
cat >"$root/tmp/iw-desktop.sh" <<'EOF'
set -u
work=$(mktemp -d)
ok() { echo "ok: $*"; }
bad() { echo "FAIL: $*"; }
entry=/usr/share/applications/ideaweave.desktop
if [ -f "$entry" ]; then
  out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] && ok "desktop entry valid" ||
    bad "desktop-file-validate: $out"
  exe=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  command -v "$exe" >/dev/null && ok "desktop entry runs $(command -v "$exe")" ||
    bad "desktop entry's Exec=$exe is not on PATH"
else
  bad "no $entry"
fi
grep -q '^application/x-ideaweave=.*ideaweave\.desktop' /usr/share/applications/mimeinfo.cache 2>/dev/null &&
  ok "desktop database: application/x-ideaweave opens with ideaweave.desktop" ||
  bad "application/x-ideaweave is not in /usr/share/applications/mimeinfo.cache"
[ -f /usr/share/mime/application/x-ideaweave.xml ] && ok "MIME database has application/x-ideaweave" ||
  bad "no /usr/share/mime/application/x-ideaweave.xml"
# A diagram as the installed program saves it, with and without the extension.
ideaweave-cli convert /usr/share/ideaweave/samples/mindmap.iwo "$work/diagram.iwo" || bad "convert"
cp "$work/diagram.iwo" "$work/diagram" # recognised by its content
for f in diagram.iwo diagram; do
  t=$(xdg-mime query filetype "$work/$f" 2>&1)
  [ "$t" = application/x-ideaweave ] && ok "xdg-mime query filetype $f: $t" ||
    bad "xdg-mime query filetype $f: $t"
done
d=$(xdg-mime query default application/x-ideaweave 2>&1)
[ "$d" = ideaweave.desktop ] && ok "xdg-mime query default application/x-ideaweave: $d" ||
  bad "xdg-mime query default application/x-ideaweave: $d"

# The editor on an X server (Qt's xcb platform, what a desktop session uses).
Xvfb :7 -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
xpid=$!
sleep 2
DISPLAY=:7 XDG_RUNTIME_DIR=$work ideaweave /usr/share/ideaweave/samples/mindmap.iwo >"$work/editor.log" 2>&1 &
pid=$!
sleep 3
if kill -0 $pid 2>/dev/null; then
  kill -INT $pid
  rc=0
  wait $pid || rc=$?
  [ $rc -eq 0 ] && ok "ideaweave starts on an X server and quits" ||
    bad "ideaweave on X ended with $rc: $(head -20 "$work/editor.log")"
else
  wait $pid
  bad "ideaweave on X ended early ($?): $(head -20 "$work/editor.log") $(tail -5 "$work/xvfb.log")"
fi
if [ -s "$work/editor.log" ]; then
  echo "note: the editor on X said:"
  sed 's/^/    /' "$work/editor.log" | head -20
fi
kill $xpid 2>/dev/null
wait $xpid 2>/dev/null
rm -rf "$work"
EOF

say "running the installed programs as an ordinary user"
out=$(as_user /tmp/iw-run.sh 2>&1)
echo "$out"
failures=$((failures + $(grep -c '^FAIL' <<<"$out" || true)))

say "adding desktop-file-utils, shared-mime-info (recommended), xdg-utils, libfile-mimeinfo-perl and xvfb"
if in_root apt-get install -y -q --no-install-recommends desktop-file-utils shared-mime-info \
     xdg-utils libfile-mimeinfo-perl xvfb >>"$root/tmp/apt.log" 2>&1; then
  out=$(as_user /tmp/iw-desktop.sh 2>&1)
  echo "$out"
  failures=$((failures + $(grep -c '^FAIL' <<<"$out" || true)))
else
  bad "installing the desktop tools: $(tail -5 "$root/tmp/apt.log")"
fi

rsvg_absent "with the desktop tools"

# Removing the package takes its registrations away again.
if in_root apt-get purge -y -q "$pkg" >>"$root/tmp/apt.log" 2>&1 &&
   [ ! -e "$root/usr/share/mime/application/x-ideaweave.xml" ] &&
   ! grep -q 'x-ideaweave' "$root/usr/share/applications/mimeinfo.cache" 2>/dev/null &&
   [ -z "$(find "$root/usr" -name '*ideaweave*' -print -quit)" ]; then
  ok "purge removes the programs and the registrations"
else
  bad "after purge: $(find "$root/usr" -name '*ideaweave*' | head -5) $(tail -3 "$root/tmp/apt.log")"
fi

if [ "$failures" -eq 0 ]; then
  echo "PASS: $(basename "$deb") on a clean Debian 12"
else
  echo "FAIL: $failures check(s) failed for $(basename "$deb") on a clean Debian 12"
  exit 1
fi
