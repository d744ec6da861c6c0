#!/usr/bin/env bash
# package.sh BUILD - builds the Debian package with CPack into a temporary
# directory, checks its declared dependencies and its contents, unpacks it
# (without installing it) and exports a sample with the unpacked programs.
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/iw-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/out/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for d in ttf-bitstream-vera libfreetype6 libfontconfig1 libpng16-16 libcairo2; do
  [[ ", $depends," == *", $d"[\ ,]* ]] || fail "Depends lacks $d: $depends"
done
# PNG and PDF are drawn in process: no SVG converter is needed.
[[ ", $depends," != *librsvg2-bin* ]] || fail "Depends names librsvg2-bin: $depends"
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
want=(./usr/bin/ideaweave-cli ./usr/libexec/ideaweave/svg2png ./usr/libexec/ideaweave/svg2pdf
      ./usr/share/man/man1/ideaweave-cli.1.gz ./usr/share/mime/packages/ideaweave.xml
      ./usr/share/icons/hicolor/scalable/apps/ideaweave.svg ./usr/share/doc/ideaweave/guide.md
      ./usr/share/ideaweave/samples/mindmap.iwo ./usr/share/ideaweave/samples/flowchart.iwo
      ./usr/share/ideaweave/samples/classes.iwo)
if dpkg-deb -c "$deb" | grep -q '/usr/bin/ideaweave$'; then
  want+=(./usr/share/applications/ideaweave.desktop ./usr/share/man/man1/ideaweave.1.gz
         ./usr/share/metainfo/org.ideaweave.Ideaweave.metainfo.xml)
  for d in qt6-qpa-plugins libqt6widgets6 libqt6svg6; do
    [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
  done
fi
for f in "${want[@]}"; do
  grep -qxF "$f" <<<"$files" || fail "package lacks $f"
done

dpkg-deb -x "$deb" "$work/root"
export TMPDIR=$work XDG_CONFIG_HOME=$work/config
"$work/root/usr/bin/ideaweave-cli" export "$work/root/usr/share/ideaweave/samples/flowchart.iwo" \
  "$work/flow.pdf" || fail "export from the unpacked package"
head -c 5 "$work/flow.pdf" | grep -q '%PDF-' || fail "flow.pdf"
echo "package ok: $(basename "$deb")"
