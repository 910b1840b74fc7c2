#!/usr/bin/env bash
# Installs the build to a temporary prefix and runs the installed modelconv on the
# installed example from a clean folder: the converted file must be the expected one.
# Usage: check_install.sh CMAKE BUILD_FOLDER EXPECTED_FOLDER
set -eu
cmake=$1
build=$2
expected=$3
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT

"$cmake" --install "$build" --prefix "$prefix" > /dev/null
for f in bin/modelconv bin/modeltest bin/rulecheck share/man/man1/modelconv.1 share/man/man1/modeltest.1 \
         share/man/man1/rulecheck.1 share/doc/modelconv/guide.md share/doc/modelconv/copyright \
         share/modelconv/examples/example.dyd share/modelconv/examples/rule.txt; do
  [ -f "$prefix/$f" ] || { echo "FAIL: $f is not installed"; exit 1; }
done
cp -a "$prefix/share/modelconv/examples/." "$work/"
cd "$work"
"$prefix/bin/modelconv" example.dyd exclude example-converted.dyd example.log example.changes 2> stderr
cmp example-converted.dyd "$expected/out.dyd"
cmp example.log "$expected/log.txt"
cmp stderr "$expected/stderr"
"$prefix/bin/rulecheck" > findings
[ "$(tail -n 1 findings)" = "0 errors, 0 warnings" ] || { echo "FAIL: the installed example library does not check clean"; exit 1; }
echo "installed to a temporary prefix; the installed modelconv converts the installed example as expected"
