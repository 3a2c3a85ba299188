#!/usr/bin/env bash
# Sets the machine up (idempotent), builds the plug-in and the stand-in host,
# lists the catalogue, runs the sample publication scripts and builds the
# authors' reference (out/reference/index.html). Files the demonstration
# writes go to out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake >/dev/null
cmake --build build/win -j "$(nproc)" --target zeZoreredur hqhost hqtables

mkdir -p out
if ! scripts/can-run-wine.sh; then
  echo "demo: the plug-in and the stand-in host are built in build/win/bin, but they cannot run on this machine" >&2
  exit 0
fi
source scripts/xvfb.sh
start_wine_session "$root"

host() { scripts/wine-run.sh build/win/bin/hqhost.exe "$@"; }
plugin=build/win/bin/zeZoreredur.hqp

echo "== catalogue"
host list "$plugin"
for script in samples/demo/*.hqs; do
  echo "== $script"
  host run "$plugin" "$script"
done
if [ -x samples/demo/shots.sh ]; then
  echo "== dialog shots"
  samples/demo/shots.sh "$plugin" out/shots
fi
echo "== reference for authors"
reference/build.sh build/win out/reference out/shots
echo "== output in out/"
ls -l out
