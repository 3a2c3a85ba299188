#!/usr/bin/env bash
# Runs a command where Windows programs run, in one Wine session (one virtual
# display and one wineserver for the whole command):
#   scripts/windows-session.sh COMMAND [ARGS...]          32-bit programs
#   scripts/windows-session.sh --win64 COMMAND [ARGS...]  64-bit programs
# COMMAND runs in the project folder.
# 64-bit programs run here on every machine, under 64-bit Wine, with the
# win64 prefix build/win64/wineprefix. 32-bit programs run here where the
# kernel runs 32-bit x86 programs; on a machine that refuses them Wine's
# 32-bit loader cannot start, and the command runs in the test VM instead
# (scripts/vm/), which sees the project folder at the same path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/limits.sh

if [ "${1:-}" = --win64 ]; then
  shift
  source scripts/wine-arch.sh
  hq_use_wine 64
  source scripts/xvfb.sh
  export HQ_WINEPREFIX=${HQ_WINEPREFIX:-$root/build/win64/wineprefix}
  export HQ_TIMEOUT=${HQ_TIMEOUT:-$hq_limit_session}
  start_wine_session "$root"
  scripts/wine-prefix.sh
  wineserver -p
  status=0
  "$@" || status=$?
  exit $status
fi

if reason=$(scripts/can-run-wine.sh 2>&1); then
  source scripts/xvfb.sh
  export HQ_TIMEOUT=${HQ_TIMEOUT:-$hq_limit_session}
  start_wine_session "$root"
  scripts/wine-prefix.sh
  # One wineserver for the whole command: one that exits when its last
  # program has ended can be shutting down just as the next program
  # connects, which then dies with "recvmsg: connection reset" (seen in a
  # loop of picture shots under emulation, where the gap between programs is long).
  wineserver -p
  status=0
  "$@" || status=$?
  exit $status
fi

echo "windows: $reason" >&2
echo "windows: running '$*' in the test VM instead (emulated, several times slower)" >&2
scripts/vm/image.sh
mkdir -p build/vm-jobs
job=$(mktemp -p "$root/build/vm-jobs" job.XXXXXX)
trap 'rm -f "$job" "$job.rc"' EXIT
{
  echo "export HQ_WINEPREFIX=/root/wineprefix"  # made with the disk, ready to use
  # Emulation is slow: the leak tests repeat each action 100 times, not 1,000,
  # the fault sweep fails at most 8 calls of each kind per site (first, spread,
  # last), not 48/12/8, and a program gets longer than here.
  echo "export HQ_SWEEP_CALLS=${HQ_SWEEP_CALLS:-8}"
  # The dialogs' fault sweep opens a dialog for every failure point (about a
  # minute for all of them natively, many times that emulated). It is left
  # out here (GoogleTest reads GTEST_FILTER); it runs where Wine runs natively.
  echo "export GTEST_FILTER=${GTEST_FILTER:--DialogSweep.EveryFailedCallStoresAllOrNothing}"
  echo "export HQ_TIMEOUT=${HQ_TIMEOUT:-$hq_limit_vm_program}"
  echo "export HQ_LEAK_ROUNDS=${HQ_LEAK_ROUNDS:-100}"
  # Each BMP corpus file is converted to one depth, in turn, not all five.
  echo "export HQ_CORPUS_DEPTHS=${HQ_CORPUS_DEPTHS:-1}"
  printf 'exec scripts/windows-session.sh'
  printf ' %q' "$@"
  echo
} >"$job"
scripts/vm/run.sh "$job"
