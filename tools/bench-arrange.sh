#!/usr/bin/env bash
# The flowchart arrangement against Graphviz's own program, in the same run:
# the in-process arrangement of 200 steps and 300 connectors (iwbench), and
# `dot -Tsvg` of the same graph as a whole process (hyperfine).
#
#   tools/bench-arrange.sh [BUILD]     (BUILD defaults to build)
set -euo pipefail
build=${1:-build}
dotfile=$(mktemp --suffix=.dot)
trap 'rm -f "$dotfile"' EXIT
IW_BENCH_DOTFILE=$dotfile "$build/bench/iwbench" --benchmark_filter='Arrange' \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
hyperfine --warmup 2 --runs 10 "dot -Tsvg $dotfile -o /dev/null"
