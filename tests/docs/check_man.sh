#!/usr/bin/env bash
# Every manual page renders without a warning.
# Usage: check_man.sh MAN PAGE...
set -u
man=$1
shift
status=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 "$man" --warnings -E UTF-8 -l "$page" 2>&1 > /dev/null)
  if [ -n "$warnings" ] || ! LC_ALL=C.UTF-8 "$man" -l "$page" > /dev/null 2>&1; then
    echo "FAIL $page: $warnings"
    status=1
  fi
done
[ $status -eq 0 ] && echo "$# pages render without a warning"
exit $status
