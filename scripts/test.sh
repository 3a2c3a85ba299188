#!/usr/bin/env bash
# Sets the machine up (idempotent), builds everything and runs every test:
#   bash scripts/test.sh         the portable core natively (plain and with
#                                ASan/UBSan), the 64-bit Windows suite under
#                                64-bit Wine here, the 32-bit suite (here, or
#                                in the test VM where this machine's kernel
#                                refuses 32-bit x86 programs), then the
#                                authors' package
#   bash scripts/test.sh win64   the set-up, the native tests and the 64-bit
#                                Windows suite only: a quick check, no VM
# Both Windows suites run through the stand-in host, each in one Wine session
# (scripts/windows-session.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mode=${1:-all}
case $mode in all | win64) ;; *) echo "usage: bash scripts/test.sh [win64]" >&2; exit 2 ;; esac

bash scripts/setup.sh

jobs=$(nproc)
configure() { # build folder, cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
configure build/native
configure build/native-asan -DCMAKE_BUILD_TYPE=Debug -DHQ_SANITIZE=ON
configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw64.cmake
[ "$mode" = win64 ] || configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake

ctest --test-dir build/native --output-on-failure
ctest --test-dir build/native-asan --output-on-failure

elapsed() { local s=$(( $(date +%s) - $1 )); printf '%dm%02ds' $((s / 60)) $((s % 60)); }

# The 64-bit suite, natively at full depth: 1,000 leak rounds, every failure
# point of the fault sweep, the dialogs' fault sweep.
start=$(date +%s)
scripts/windows-session.sh --win64 ctest --test-dir build/win64 --output-on-failure
echo "test: the 64-bit Windows suite took $(elapsed "$start")"
[ "$mode" = win64 ] && exit 0

# The 32-bit suite (the product's own build): here, or in the test VM where
# this machine cannot run 32-bit programs (reduced depth there).
start=$(date +%s)
scripts/windows-session.sh bash -c 'wineserver -p && ctest --test-dir build/win --output-on-failure'
echo "test: the 32-bit Windows suite took $(elapsed "$start")"

# The authors' package: built twice (same bytes), its contents, and its
# reference page in headless Chromium (screenshot out/reference.png).
bash reference/test_package.sh
