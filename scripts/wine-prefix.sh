#!/usr/bin/env bash
# Creates the private Wine prefix named by WINEPREFIX once, with the settings
# tests rely on; later calls return at once. WINEARCH (win32, the default, or
# win64) says which kind.
set -euo pipefail
: "${WINEPREFIX:?}"
source "$(dirname "$0")/wine-arch.sh"
if [ "${WINEARCH:-win32}" = win64 ]; then hq_use_wine 64; else hq_use_wine 32; fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/.hq-ready" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.hq-ready" ] && exit 0
rm -rf "$WINEPREFIX"
"$HQ_WINE" wineboot.exe -i >/dev/null 2>&1
# A crash fails the test instead of waiting for a click.
"$HQ_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Without a window manager, managed windows take ~2 s to hide or destroy.
"$HQ_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.hq-ready"
