#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60), starting
# from the checked-in seeds. Findings land in build-fuzz/findings/<target>/.
# Usage: fuzz/run.sh [SECONDS] [target ...]   (targets: expression record rules modelconv modeltest dynamics fit)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(expression record rules modelconv modeltest dynamics fit)

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DBUILD_FUZZERS=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j2 > /dev/null

for t in "${targets[@]}"; do
  # The targets work in a folder of their own under /tmp: pass absolute paths.
  work=$PWD/build-fuzz/corpus/$t
  findings=$PWD/build-fuzz/findings/$t
  mkdir -p "$work" "$findings"
  echo "== $t: ${seconds}s"
  # stdout and stderr of the programs are closed; libFuzzer and the sanitizers keep theirs.
  build-fuzz/${t}_fuzzer "$work" "$PWD/fuzz/corpus/$t" -max_total_time="$seconds" -close_fd_mask=3 \
    -artifact_prefix="$findings/" -max_len=20000 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 2>&1 |
    grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' || true
  # Any kind of finding fails the run (ls of several patterns would fail on one that is
  # missing, and hide the others).
  found=$(find "$findings" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
          -o -name 'oom-*' \) | sort)
  if [ -n "$found" ]; then
    echo "finding in $t: $found"
    exit 1
  fi
done
