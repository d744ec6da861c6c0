#!/usr/bin/env bash
# Turns the user guide (Markdown) into the HTML page the editor's Help > User
# Guide shows: cmark's rendering inside a page with a title and the character
# set. Written to a temporary file and renamed, so a failed run leaves no
# half-written page.
#
#   make-guide-html.sh CMARK GUIDE.md OUT.html
set -euo pipefail
cmark=$1
src=$2
out=$3
tmp=$(mktemp "$out.XXXXXX")
trap 'rm -f "$tmp"' EXIT
{
  cat <<'HEAD'
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Ideaweave User Guide</title>
<style>
body { max-width: 50em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.45; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; text-align: left; }
img { max-width: 100%; }
code { background: #f2f2f2; padding: 0 0.2em; }
</style>
</head>
<body>
HEAD
  "$cmark" --to html "$src"
  printf '</body>\n</html>\n'
} >"$tmp"
chmod 644 "$tmp"
mv "$tmp" "$out"
trap - EXIT
