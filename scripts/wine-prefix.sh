#!/usr/bin/env bash
# Creates the private Wine prefix named by WINEPREFIX once, with the settings
# tests rely on; later calls return at once. WINEARCH (win32, the default, or
# win64) says which kind.
set -euo pipefail
: "${WINEPREFIX:?}"
source "$(dirname "$0")/wine-arch.sh"
if [ "${WINEARCH:-win32}" = win64 ]; then hq_use_wine 64; else hq_use_wine 32; fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A prefix is ready once made with every setting below; .hq-ready holds the
# set-up's version, and a prefix of an older one is made anew.
version=2
ready() { [ "$(cat "$WINEPREFIX/.hq-ready" 2>/dev/null)" = "$version" ]; }
ready && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
ready && exit 0
rm -rf "$WINEPREFIX"
"$HQ_WINE" wineboot.exe -i >/dev/null 2>&1
# A crash fails the test instead of waiting for a click.
"$HQ_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Without a window manager, managed windows take ~2 s to hide or destroy.
"$HQ_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# The title bar draws its buttons with the symbol font Marlett; Wine's own copy
# (package fonts-wine) is not found from this installation, and without it the
# close box shows a letter "r" instead of its cross. Fonts in the prefix's
# Fonts folder are loaded at start.
marlett=/usr/share/wine/fonts/marlett.ttf
if [ -f "$marlett" ]; then
  cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
else
  echo "wine-prefix: $marlett is missing (package fonts-wine): close boxes will show a letter" >&2
fi
wineserver -w
echo "$version" >"$WINEPREFIX/.hq-ready"
