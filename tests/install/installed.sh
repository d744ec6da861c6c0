#!/usr/bin/env bash
# installed.sh BUILD - installs the build into a fresh prefix, moves it
# elsewhere, and runs the installed programs from there: the version, info and
# exports (SVG, PNG and PDF, drawn in process) of every installed
# sample, the editor starting on a sample offscreen, the manual pages, and the
# desktop entry, file type and AppStream data through their validators.
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/iw-installed-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
mv "$work/prefix" "$work/moved" # nothing may depend on where it was installed
p=$work/moved
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data TMPDIR=$work
unset IDEAWEAVE_DATADIR

"$p/bin/ideaweave-cli" --version | grep -q '^ideaweave-cli [0-9]' || fail "--version"
[ -x "$p/libexec/ideaweave/svg2png" ] && [ -x "$p/libexec/ideaweave/svg2pdf" ] || fail "converters"
samples=("$p"/share/ideaweave/samples/*.iwo)
[ ${#samples[@]} -ge 4 ] || fail "samples: ${samples[*]}"
for s in "${samples[@]}"; do
  n=$(basename "$s" .iwo)
  "$p/bin/ideaweave-cli" info "$s" >"$work/$n.json" || fail "info $n"
  for ext in svg png pdf; do
    "$p/bin/ideaweave-cli" export "$s" "$work/$n.$ext" >/dev/null || fail "export $n.$ext"
  done
  grep -q '<svg' "$work/$n.svg" || fail "$n.svg"
  head -c 8 "$work/$n.png" | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' || fail "$n.png"
  head -c 5 "$work/$n.pdf" | grep -q '%PDF-' || fail "$n.pdf"
done

# Manual pages render without warnings.
for m in "$p"/share/man/man1/*.1.gz; do
  out=$(MANWIDTH=80 man --warnings -l "$m" 2>&1 >/dev/null) || fail "man $m"
  [ -z "$out" ] || fail "man $m: $out"
done

# The manual page of ideaweave-cli names every script line that `help run` lists.
man_cli=$(MANWIDTH=200 man -l "$p/share/man/man1/ideaweave-cli.1.gz" 2>/dev/null |
  grep -E '^ {7}[^ ]') # the items' tags
"$p/bin/ideaweave-cli" help run | sed -n 's/^  \([a-z#][a-z]*\) .*/\1/p' | sort -u | while read -r w; do
  [ "$w" = "#" ] || grep -qE "(^ +|, )$w( |,|$)" <<<"$man_cli" || fail "ideaweave-cli(1) lacks the run line $w"
done

# The guide's pictures are installed beside it.
doc=$p/share/doc/ideaweave
for pic in $(grep -o 'pictures/[a-z-]*\.png' "$doc/guide.md" | sort -u); do
  [ -s "$doc/$pic" ] || fail "guide picture $pic not installed"
done

# Desktop metadata.
if [ -x "$p/bin/ideaweave" ]; then
  desktop-file-validate "$p/share/applications/ideaweave.desktop" || fail "desktop entry"
  appstreamcli validate --no-net "$p"/share/metainfo/*.metainfo.xml >/dev/null || fail "metainfo"
fi
cp -r "$p/share/mime" "$work/mime"
XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>"$work/mime.log" || fail "mime: $(cat "$work/mime.log")"
[ ! -s "$work/mime.log" ] || fail "mime: $(cat "$work/mime.log")"
grep -q 'application/x-ideaweave' "$work/mime/magic" || fail "no magic for .iwo"
grep -q 'application/x-ideaweave:\*\.iwo' "$work/mime/globs" || fail "no glob for .iwo"

# The editor starts on a sample and quits on Ctrl-C.
if [ -x "$p/bin/ideaweave" ]; then
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work "$p/bin/ideaweave" "${samples[0]}" \
    >"$work/editor.log" 2>&1 &
  pid=$!
  sleep 2
  kill -0 $pid 2>/dev/null || fail "editor ended early: $(cat "$work/editor.log")"
  kill -INT $pid
  rc=0
  wait $pid || rc=$?
  [ $rc -eq 0 ] || fail "editor ended with $rc: $(cat "$work/editor.log")"
fi
echo "installed programs ok"
