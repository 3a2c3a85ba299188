#!/usr/bin/env bash
# Sets the machine up (idempotent), builds the plug-in and the stand-in host,
# lists the catalogue, runs the sample publication scripts and builds the
# authors' reference (out/reference/index.html). Files the demonstration
# writes go to out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The set-up and build run here; the rest runs in one Wine session
# (scripts/windows-session.sh), as this script again with --in-session.
if [ "${1:-}" != --in-session ]; then
  bash scripts/setup.sh
  cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake >/dev/null
  cmake --build build/win -j "$(nproc)" --target zeZoreredur hqhost hqtables
  mkdir -p out
  exec scripts/windows-session.sh bash scripts/demo.sh --in-session
fi

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
