#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64 and runs the end-to-end cases on the
# .exe files under Wine, comparing every output byte for byte with the expectations the
# Linux build is tested with. Needs the Debian packages g++-mingw-w64-x86-64, wine and
# wine64.
#
# Left out: the cases that write to Unix devices (/dev/full, /dev/null), which Windows
# does not have, and those that state a limit of the system's paths (4095 characters here,
# 259 there); listed below. tests/wine/cases/PROGRAM holds their Windows counterparts
# where Windows has one (NUL for /dev/null; nothing is like /dev/full).
#
# Wine itself can drop a program's link to its server ("wine client error:0: recvmsg:
# Connection reset by peer"), which no program writes: one server is kept running for the
# whole stage, and a case whose stderr holds such a message of Wine's own is run again
# (at most twice, and said so in the log); the program's own output is never retried.
#
# Usage: tests/wine/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$root/build-windows
skipped=(modelconv/write-error modeltest/write-error modelconv/devices-may-repeat
         rulecheck/responses-long-folder)

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DSTRICT=ON > /dev/null
cmake --build "$build" -j2 > /dev/null

export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine)
[ -d "$WINEPREFIX" ] || "$wine" wineboot --init > /dev/null 2>&1
wineserver=$(command -v wineserver || ls /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver \
  2>/dev/null | head -n 1 || true)
if [ -n "$wineserver" ]; then
  "$wineserver" -w || true  # the one wineboot started, gone first
  "$wineserver" -p || true
  trap '"$wineserver" -k 2>/dev/null || true' EXIT
fi
export RETRY_IF='^wine client error|^wine: |^wineserver: '

status=0
for program in modelconv modeltest rulecheck; do
  wrapper=$build/$program-under-wine
  printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$wine" "$build/$program.exe" > "$wrapper"
  chmod +x "$wrapper"
  cases=()
  for dir in tests/$program/*/; do
    name=$(basename "$dir")
    [[ " ${skipped[*]} " == *" $program/$name "* ]] && continue
    cases+=("$name")
  done
  echo "== $program.exe: ${#cases[@]} cases"
  tests/run_cases.sh "$wrapper" "tests/$program" "${cases[@]}" || status=1
done
for program in modelconv rulecheck; do
  echo "== $program.exe: the Windows counterparts"
  tests/run_cases.sh "$build/$program-under-wine" "tests/wine/cases/$program" || status=1
done
echo "left out: ${skipped[*]}"
exit $status
