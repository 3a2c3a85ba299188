#!/usr/bin/env bash
# Writes a PNG of every property dialog the plug-in has, and of its About box.
#   samples/demo/shots.sh PLUGIN OUTDIR
set -uo pipefail
plugin=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$out"
# The stand-in host of the same build as the plug-in (a 64-bit host loads
# only a 64-bit plug-in).
host() { "$root/scripts/wine-run.sh" "$(dirname "$plugin")/hqhost.exe" "$@"; }
ids="1 2 3 4 5 20 21 23 24 25 26 27 28 30 31 32 33 35 38 39 40 41 44 45 46 100"
host shot "$plugin" about "$out/about.png"
for id in $ids; do
  # An action whose dialog is not built yet opens nothing; say so and go on.
  host shot "$plugin" "$id" "$out/dialog-$id.png" || true
done
