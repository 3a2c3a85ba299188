#!/usr/bin/env bash
# Builds the authors' reference page from the built plug-in:
#   reference/build.sh BUILD_DIR OUT_DIR [SHOTS_DIR]
# dumps the plug-in's own tables (hqtables), takes a picture of every property
# dialog (samples/demo/shots.sh; SHOTS_DIR reuses pictures already taken) and
# writes OUT_DIR/index.html with the pictures in OUT_DIR/img. Run it where
# Wine can open windows (the demo and the package command provide a display;
# without one wine-run.sh starts its own).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:?usage: reference/build.sh BUILD_DIR OUT_DIR [SHOTS_DIR]}
out=${2:?usage: reference/build.sh BUILD_DIR OUT_DIR [SHOTS_DIR]}
work="$build/reference-page"
shots=${3:-$work/shots}
rm -rf "$work" "$out"
mkdir -p "$work" "$out"

scripts/wine-run.sh "$build/bin/hqtables.exe" "$work/tables.json" ||
  { echo "reference: $build/bin/hqtables.exe did not run under Wine (exit $?)" >&2; exit 1; }
if [ -z "${3:-}" ]; then
  samples/demo/shots.sh "$build/bin/zeZoreredur.hqp" "$shots"
fi
/usr/bin/python3 reference/build_page.py "$work/tables.json" reference/actions.json "$shots" "$out"
