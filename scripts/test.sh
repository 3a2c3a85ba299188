#!/usr/bin/env bash
# Sets the machine up (idempotent), builds everything and runs every test:
#   bash scripts/test.sh         the portable core natively (plain and with
#                                ASan/UBSan), the 64-bit Windows suite under
#                                64-bit Wine here, the 32-bit suite (here, or
#                                in the test VM where this machine's kernel
#                                refuses 32-bit x86 programs), and the
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
elapsed() { local s=$(( $(date +%s) - $1 )); printf '%dm%02ds' $((s / 60)) $((s % 60)); }
begin=$(date +%s)
mkdir -p build

# Where this machine cannot run 32-bit programs, the test VM's disk is made
# (once per machine) while the sources compile.
vm_image=
if [ "$mode" = all ] && ! scripts/can-run-wine.sh 2>/dev/null; then
  echo "test: making the test VM's disk in the background (build/vm-image.log)"
  bash scripts/vm/image.sh >build/vm-image.log 2>&1 &
  vm_image=$!
fi

configure() { # build folder, cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
configure build/native
configure build/native-asan -DCMAKE_BUILD_TYPE=Debug -DHQ_SANITIZE=ON
configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw64.cmake
[ "$mode" = win64 ] || configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake
echo "test: set-up and builds took $(elapsed "$begin")"

ctest --test-dir build/native --output-on-failure | tee build/test-native.log
ctest --test-dir build/native-asan --output-on-failure | tee build/test-native-asan.log

# A command whose output is shown as it comes with NAME before each line and
# kept whole in build/test-NAME.log, followed by its time.
labelled() { # name, what it is, command...
  local name=$1 what=$2 start status=0; shift 2
  start=$(date +%s)
  set +e
  "$@" 2>&1 | tee "build/test-$name.log" | sed -u "s/^/[$name] /"
  status=${PIPESTATUS[0]}
  set -e
  echo "test: $what took $(elapsed "$start") (exit status $status)"
  return $status
}
# A Windows suite in a session of its own (its own prefix, virtual display and
# wineserver).
suite() { # name, windows-session arguments...
  local name=$1; shift
  labelled "$name" "the $name suite" env -u DISPLAY scripts/windows-session.sh "$@"
}
# The 64-bit suite, natively at full depth: 1,000 leak rounds, every failure
# point of the fault sweep, the dialogs' fault sweep.
suite64() { suite win64 --win64 ctest --test-dir build/win64 --output-on-failure; }
# The 32-bit suite (the product's own build): here, or in the test VM where
# this machine cannot run 32-bit programs (reduced depth there).
suite32() { suite win32 ctest --test-dir build/win --output-on-failure; }

package() {
  labelled package "the package check" env HQ_WINEPREFIX="$root/build/package-wineprefix" bash reference/test_package.sh
}

status=0
if [ "$mode" = win64 ]; then
  suite64 || status=$?
else
  if [ -n "$vm_image" ]; then
    wait "$vm_image" || { tail -30 build/vm-image.log; echo "test: the test VM's disk could not be made" >&2; exit 1; }
  fi
  # Side by side: each has its own prefix and display, and much of either's
  # time is spent waiting on windows and timers.
  suite64 & p64=$!
  suite32 & p32=$!
  # The authors' package (built twice for the same bytes, its contents, its
  # reference page in headless Chromium, out/reference.png). Where Wine runs
  # here it is checked as soon as one suite has ended, beside the other, on a
  # Wine prefix of its own. The test VM keeps both cores busy by itself: a
  # second VM beside it only slows both (measured: the package check took 23
  # minutes there instead of 9), so there it follows the suites.
  if [ -z "$vm_image" ]; then
    wait -n -p ended $p64 $p32 || status=1
    package & ppkg=$!
    if [ "$ended" = "$p64" ]; then wait $p32 || status=1; else wait $p64 || status=1; fi
    wait $ppkg || status=1
  else
    wait $p64 || status=1
    wait $p32 || status=1
    package || status=1
  fi
fi

# One closing count over every CTest run above.
passed=0 failed=0
for log in build/test-native.log build/test-native-asan.log build/test-win64.log build/test-win32.log; do
  [ "$mode" = win64 ] && [ "$log" = build/test-win32.log ] && continue
  # CTest colours its summary where its output is a terminal (the VM's console).
  line=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' | tail -1 || true)
  if [ -z "$line" ]; then echo "test: $log has no CTest summary" >&2; status=1; continue; fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)) failed=$((failed + bad))
done
echo "test: everything took $(elapsed "$begin")"
echo "tests: $passed passed, $failed failed"
[ "$failed" = 0 ] || status=1
exit $status
