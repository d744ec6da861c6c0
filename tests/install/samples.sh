#!/usr/bin/env bash
# samples.sh CLI SOURCE - the sample diagrams are what tools/make-samples.py
# makes with the current program (IW_UPDATE_GOLDEN=1 rewrites them), and each
# opens in an editing session, renders and exports as SVG, PNG, PDF and outline.
set -euo pipefail
cli=$1
src=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/iw-samples-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data TMPDIR=$work

/usr/bin/python3 "$src/tools/make-samples.py" --cli "$cli" --out "$work/made" >/dev/null
for made in "$work"/made/*.iwo; do
  name=$(basename "$made")
  if ! cmp -s "$made" "$src/data/samples/$name"; then
    if [ "${IW_UPDATE_GOLDEN:-}" = 1 ]; then cp "$made" "$src/data/samples/$name"
    else fail "data/samples/$name differs from what tools/make-samples.py makes"; fi
  fi
done

for s in "$src"/data/samples/*.iwo; do
  n=$(basename "$s" .iwo)
  printf 'print\nsave %s\n' "$work/$n.saved.iwo" >"$work/open.script"
  "$cli" run "$work/open.script" "$s" >"$work/$n.out" || fail "$n: run"
  grep -q '^requester' "$work/$n.out" && fail "$n: $(cat "$work/$n.out")"
  "$cli" render "$s" "$work/$n.png" --size 760x1000 || fail "$n: render"
  for ext in svg png pdf md; do
    "$cli" export "$s" "$work/$n.$ext" >/dev/null || fail "$n: export .$ext"
    [ -s "$work/$n.$ext" ] || fail "$n: empty .$ext"
  done
done
echo "samples ok"
