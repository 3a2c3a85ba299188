#!/usr/bin/env bash
# Exit status 0 when this machine can start Wine's 32-bit loader. Wine runs
# 32-bit Windows programs through i386 Linux programs (the loader and
# wineserver); a kernel built without IA-32 emulation refuses them with
# "Exec format error", and then no Windows program can run here at all.
# Otherwise prints why not on standard error.
set -u
if out=$(/lib/ld-linux.so.2 --version 2>&1 >/dev/null); then
  exit 0
fi
echo "this machine cannot execute 32-bit x86 programs (${out:-no i386 loader}); Wine cannot start here" >&2
exit 1
