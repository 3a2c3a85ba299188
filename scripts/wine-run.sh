#!/usr/bin/env bash
# Runs a Windows executable under Wine the way every test and demo does:
# a private 32-bit prefix inside the build folder, no debug output, the
# Russian locale (ANSI code page 1251), no Mono/Gecko prompt, no crash dialog,
# unmanaged X windows, a virtual display when none is set, and a time limit.
#   wine-run.sh PROGRAM.exe [ARGS...]
# Environment: HQ_WINEPREFIX (default: <build>/wineprefix, found from the
# program's path), HQ_TIMEOUT seconds (default 600).
set -euo pipefail

exe=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${HQ_WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$exe")" && pwd)
  # <build>/bin/x.exe -> <build>/wineprefix
  HQ_WINEPREFIX="$(dirname "$dir")/wineprefix"
fi
export WINEPREFIX=$HQ_WINEPREFIX WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=
cleanup() { if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  source "$here/xvfb.sh"
  start_xvfb
  xvfb_pid=$HQ_XVFB_PID
fi

"$here/wine-prefix.sh"
# The program's output goes through a file: Wine's service processes
# (winedevice, the desktop) inherit the descriptors of the process that starts
# them and outlive it while wineserver persists, and would hold a pipe to the
# caller (CTest) open forever.
out=$(mktemp)
status=0
# The locale is set for Wine only: bash has no ru_RU locale to switch to.
env LC_ALL=ru_RU.UTF-8 timeout --kill-after=15 "${HQ_TIMEOUT:-600}" wine "$exe" "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
rm -f "$out"
exit $status
