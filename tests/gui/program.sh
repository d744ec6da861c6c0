#!/usr/bin/env bash
# The ideaweave program as a process: without a display it says so and ends
# with the start-up failure code instead of Qt's abort (a display that cannot
# be reached too); a wrong command line is refused.
#
#   program.sh PROGRAM SAMPLE
set -u
program=$1
sample=$2
status=0
# check STATUS START [VAR=VALUE...] -- [ARG...]: the program run with no display
# but the variables given, its exit status, and the start of what it printed
# ("" for anything). 124 is a program still running after 20 seconds.
check() {
  local want=$1 start=$2 vars=()
  shift 2
  while [ "$1" != -- ]; do vars+=("$1"); shift; done
  shift
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${vars[@]}" \
    timeout 20 "$program" "$@" 2>/dev/null)
  rc=$?
  if [ "$rc" != "$want" ] || [[ $out != "$start"* ]]; then
    echo "FAIL: $* (${vars[*]}): exit $rc, wanted $want; printed: ${out:0:200}"
    status=1
  fi
}
check 30 "Unable to open a display" -- "$sample"
check 30 "Unable to open the display" DISPLAY=:4711 --
check 1 "" QT_QPA_PLATFORM=offscreen -- "$sample" "$sample"
check 1 "" QT_QPA_PLATFORM=offscreen -- --bogus
check 0 "ideaweave - " -- --help
[[ $out == *"Ctrl+U undo"* ]] || { echo "FAIL: --help names no keys"; status=1; }
check 0 "ideaweave " -- --version
exit $status
