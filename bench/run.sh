#!/usr/bin/env bash
# Throughput and memory of modelconv and modeltest on a generated file of LINES lines
# (default 500000) converted with the example rule library.
#
# Targets (2-core machine, release build): modelconv at least 150000 lines per second
# (it flushes its line trace once per line, and every generated record is converted and
# most have suspect values to log) and modeltest at least 2000000, each in under 16 MiB
# of resident memory, which does not grow with the file. Measured 2026-12-08: modelconv
# 200000 lines/s, modeltest 4100000 lines/s, 2.0 MiB each.
# Usage: bench/run.sh [LINES]
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-500000}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build-bench -j2 > /dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r examples/rule.txt examples/lib "$work/"
: > "$work/exclude"
python3 bench/make_data.py "$lines" "$work/data.dyd"

measure() {
  local name=$1; shift
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f "%M" -o "$work/rss" "$@" > /dev/null 2> "$work/stderr"
  end=$(date +%s.%N)
  awk -v n="$name" -v lines="$lines" -v s="$start" -v e="$end" -v rss="$(cat "$work/rss")" \
    'BEGIN { t = e - s; printf "%-10s %8.3f s  %10.0f lines/s  %6.1f MiB\n", n, t, lines / t, rss / 1024 }'
}
cd "$work"
measure modelconv "$OLDPWD/build-bench/modelconv" data.dyd exclude out.dyd log.txt changes.txt
measure modeltest "$OLDPWD/build-bench/modeltest" data.dyd 17 "1 " case.dyd log.txt changes.txt
