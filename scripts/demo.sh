#!/usr/bin/env bash
# Sets the machine up (idempotent), builds the plug-in and the stand-in host,
# lists the catalogue, runs the sample publication scripts, writes a picture
# of every dialog at 100 % (out/shots) and at 150 % (out/shots-150) and builds
# the authors' reference (out/reference/index.html). Files the demonstration
# writes go to out/.
#   bash scripts/demo.sh        the 32-bit plug-in where this machine runs
#                               32-bit programs, else the 64-bit build of the
#                               same sources, natively under 64-bit Wine
#   bash scripts/demo.sh --32   the 32-bit plug-in always (in the test VM
#                               where 32-bit programs cannot run here)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The set-up and build run here; the rest runs in one Wine session
# (scripts/windows-session.sh), as this script again with --in-session BUILD.
if [ "${1:-}" != --in-session ]; then
  case ${1:-} in "" | --32) ;; *) echo "usage: bash scripts/demo.sh [--32]" >&2; exit 2 ;; esac
  bash scripts/setup.sh
  if [ "${1:-}" = --32 ] || scripts/can-run-wine.sh 2>/dev/null; then
    build=build/win toolchain=cmake/mingw32.cmake session=()
  else
    echo "demo: this machine cannot run 32-bit programs; running the 64-bit build of the same sources natively (bash scripts/demo.sh --32 runs the 32-bit plug-in in the test VM)"
    build=build/win64 toolchain=cmake/mingw64.cmake session=(--win64)
  fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
  cmake --build "$build" -j "$(nproc)" --target zeZoreredur hqhost hqtables
  mkdir -p out
  # A virtual display large enough for the tallest dialog at 150 % (871
  # pixels with its frame); a picture holds only what lies on the screen.
  export HQ_SCREEN=${HQ_SCREEN:-1536x1152x24}
  exec scripts/windows-session.sh "${session[@]}" bash scripts/demo.sh --in-session "$build"
fi

build=$2
host() { scripts/wine-run.sh "$build/bin/hqhost.exe" "$@"; }
plugin=$build/bin/zeZoreredur.hqp

echo "== catalogue"
host list "$plugin"
for script in samples/demo/*.hqs; do
  echo "== $script"
  host run "$plugin" "$script"
done
if [ -x samples/demo/shots.sh ]; then
  echo "== dialog shots"
  samples/demo/shots.sh "$plugin" out/shots
  # The same dialogs on a display scaled to 150 %, to look at; the reference
  # keeps the 100 % ones.
  echo "== dialog shots at 150 %"
  HQ_DPI=144 samples/demo/shots.sh "$plugin" out/shots-150
fi
echo "== reference for authors"
reference/build.sh "$build" out/reference out/shots
echo "== output in out/"
ls -l out
