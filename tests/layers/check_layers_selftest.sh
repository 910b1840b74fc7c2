#!/usr/bin/env bash
# The layer check itself: a tree that keeps the layers passes; each kind of wrong arrow
# (a folder above, a room beside, a room above, a room without a level) fails.
# Usage: check_layers_selftest.sh CHECK_LAYERS
set -u
check=${1:?usage: check_layers_selftest.sh CHECK_LAYERS}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
make_tree() {
  rm -rf "$root/src"
  mkdir -p "$root/src/text" "$root/src/dynamics/governors" "$root/src/dynamics/exciters" \
    "$root/src/dynamics/comparison" "$root/src/rulecheck/report" "$root/src/rulecheck/check"
  echo '#pragma once' > "$root/src/text/scan.h"
  echo '#include "text/scan.h"' > "$root/src/dynamics/blocks.h"
  echo '#include "dynamics/blocks.h"' > "$root/src/dynamics/governors/tgov1.h"
  echo '#include "dynamics/governors/tgov1.h"' > "$root/src/dynamics/comparison/compare.cpp"
  echo '#include "dynamics/comparison/compare.h"' > "$root/src/dynamics/governors/tgov1_test.cpp"
  echo '#include "rulecheck/check/library_check.h"' > "$root/src/rulecheck/report/html_report.cpp"
  echo '#include "rulecheck/report/html_report.h"' > "$root/src/rulecheck/rulecheck.cpp"
}
failures=0
expect() {  # expect pass|fail WHAT
  if bash "$check" "$root/src" > "$root/out" 2>&1; then got=pass; else got=fail; fi
  if [ "$got" != "$1" ]; then
    echo "expected $1: $2"
    cat "$root/out"
    failures=$((failures + 1))
  fi
}
make_tree
expect pass "a tree that keeps the layers"
make_tree
echo '#include "dynamics/blocks.h"' >> "$root/src/text/scan.h"
expect fail "a folder that includes one above it"
make_tree
echo '#include "dynamics/exciters/st1.h"' >> "$root/src/dynamics/governors/tgov1.h"
expect fail "a room that includes one beside it"
make_tree
echo '#include "dynamics/comparison/compare.h"' >> "$root/src/dynamics/governors/tgov1.h"
expect fail "a room that includes one above it"
make_tree
echo '#include "rulecheck/rulecheck.h"' >> "$root/src/rulecheck/report/html_report.cpp"
expect fail "a room that includes its folder's own files above it"
make_tree
mkdir -p "$root/src/rulecheck/elsewhere"
echo '#pragma once' > "$root/src/rulecheck/elsewhere/x.h"
expect fail "a room without a level"
echo "$failures of 6 cases wrong"
[ "$failures" -eq 0 ]
