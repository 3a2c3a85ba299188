#!/usr/bin/env bash
# Writes a PNG of every property dialog the plug-in has, and of its About box.
#   samples/demo/shots.sh PLUGIN OUTDIR
# With HQ_DPI=144 set (scripts/wine-run.sh) the dialogs open on a display
# scaled to 150 % and the pictures are of that size.
set -uo pipefail
plugin=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$out"
# The stand-in host of the same build as the plug-in (a 64-bit host loads
# only a 64-bit plug-in).
host() { "$root/scripts/wine-run.sh" "$(dirname "$plugin")/hqhost.exe" "$@"; }
# Exactly the actions with parameters have a dialog: their IDs as the plug-in
# registers them (a row without parameters shows its placeholder code [0]).
ids=$(host list "$plugin" | tr -d '\r' | awk '$1 ~ /^[0-9]+$/ && $3 != "[0]" { print $1 }')
[ -n "$ids" ] || { echo "shots: $plugin lists no action with parameters" >&2; exit 1; }
# One host takes every picture in turn (a Windows process start is the
# larger part of a picture's time, several seconds under emulation). An
# action whose dialog opens nothing is named and the rest go on.
pairs=(about "$out/about.png")
for id in $ids; do pairs+=("$id" "$out/dialog-$id.png"); done
host shot "$plugin" "${pairs[@]}" || true
