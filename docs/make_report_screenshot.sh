#!/usr/bin/env bash
# Makes docs/report-example.png, the guide's picture of the example's conversion report,
# with Debian's headless chromium. Run it again whenever the report changes.
# Usage: docs/make_report_screenshot.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -a examples/rule.txt examples/lib examples/example.dyd "$work/"
(cd "$work" && "$build/rulecheck" --data example.dyd --report report.html > /dev/null)
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
  --user-data-dir="$work/profile" --window-size=1400,1000 \
  --screenshot="$PWD/docs/report-example.png" "file://$work/report.html" 2> /dev/null
echo "wrote docs/report-example.png"
