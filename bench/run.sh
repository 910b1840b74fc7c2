#!/usr/bin/env bash
# The benchmark in one command: a release build, the generated inputs (LINES lines,
# default 1000000) and every scenario against its baselines, ROUNDS times (default 5).
# Usage: bench/run.sh [LINES] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-1000000}
rounds=${2:-5}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build-bench -j2 > /dev/null
work=build-bench/work-$lines
[ -f "$work/machines/data.dyd" ] || python3 bench/make_bench.py "$work" "$lines"
python3 bench/run.py build-bench "$work" "$rounds"
