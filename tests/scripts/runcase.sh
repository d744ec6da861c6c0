#!/usr/bin/env bash
# Runs one scripted editing session and compares what it produced.
#
#   runcase.sh CLI CASEDIR
#
# CASEDIR holds:
#   script          the session (ideaweave-cli run)
#   input.iwo       optional: the diagram the session opens
#   *.iwo           optional: other diagrams, copied beside the script
#   default.prefs   optional: the settings file the session starts with
#   *.uiwo          optional: user-object banks, copied beside the script
#   *.md, *.opml, *.txt  optional: outlines the session imports, copied beside
#                   the script (but for expect.* files)
#   expected        what the session prints (requesters, print lines)
#   expect.NAME     optional: a file the session writes as NAME, compared byte
#                   for byte (NAME.json: the `info` JSON of the written NAME;
#                   NAME.png: the pens of the image, whatever its compression)
#   same            optional: lines "A B" naming two diagram files the session
#                   writes that must hold the same diagram (their `info` JSON
#                   equal but for the file name and the saved flag)
# The session runs in an empty directory, so relative paths in the script
# name files there; its temporary, data and settings directories lie there too
# (.tmp, .data and config; printed as WORK), and the random part of a temporary
# name prints as XXXXXX. With IW_UPDATE_GOLDEN=1 the expectations are rewritten
# from what the session produced (review them with git diff).
set -u
cli=$1
case=$2
tools=$(cd "$(dirname "$0")/../tools" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$case/script" "$work/"
# input.iwo, and any other diagram the script opens by name
for diagram in "$case"/*.iwo; do [ -e "$diagram" ] && cp "$diagram" "$work/"; done
for bank in "$case"/*.uiwo; do [ -e "$bank" ] && cp "$bank" "$work/"; done
for outline in "$case"/*.md "$case"/*.opml "$case"/*.txt; do
  case ${outline##*/} in expect.*) continue ;; esac
  [ -e "$outline" ] && cp "$outline" "$work/"
done
cd "$work"
mkdir -p .tmp .data config
if [ -f "$case/default.prefs" ]; then
  mkdir -p config/ideaweave && cp "$case/default.prefs" config/ideaweave/
fi
input=""
[ -f input.iwo ] && input=input.iwo
TMPDIR="$work/.tmp" XDG_DATA_HOME="$work/.data" XDG_CONFIG_HOME="$work/config" \
  "$cli" run script $input >actual.raw 2>stderr
rc=$?
sed -e "s#$work#WORK#g" -E -e 's/(useriwo-)[A-Za-z0-9]{6}/\1XXXXXX/g' \
  -e 's#ideaweave-[0-9]+/#ideaweave-UID/#g' actual.raw >actual
if [ $rc -ne 0 ]; then
  echo "session exited $rc"; cat stderr; exit 1
fi
status=0
update=${IW_UPDATE_GOLDEN:-0}
if [ "$update" = 1 ]; then
  cp actual "$case/expected"
else
  diff -u "$case/expected" actual || status=1
fi
for exp in "$case"/expect.*; do
  [ -e "$exp" ] || continue
  name=${exp##*/expect.}
  if [[ $name == *.json ]]; then
    produced=${name%.json}
    "$cli" info "$produced" >"$name" 2>&1 || { echo "info $produced failed"; cat "$name"; status=1; continue; }
  else
    produced=$name
  fi
  if [ "$update" = 1 ]; then
    cp "$name" "$exp"
  elif [[ $name == *.json ]]; then
    diff -u "$exp" "$name" || status=1
  elif [[ $name == *.png ]]; then
    python3 "$tools/samepens.py" "$exp" "$name" || status=1
  else
    cmp "$exp" "$name" || { echo "$name differs from $exp"; status=1; }
  fi
done
if [ -f "$case/same" ]; then
  while read -r a b; do
    [ -n "$a" ] || continue
    for f in "$a" "$b"; do
      "$cli" info "$f" 2>&1 | grep -v -E '^  "(filename|saved)": ' >"$f.same" || true
    done
    diff -u "$a.same" "$b.same" >/dev/null || { echo "$a and $b differ:"; diff -u "$a.same" "$b.same" | head -40; status=1; }
  done <"$case/same"
fi
exit $status
