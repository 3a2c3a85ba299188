#!/usr/bin/env bash
# Exit status 0 when this machine can start Wine's 32-bit loader. Wine runs
# 32-bit Windows programs through i386 Linux programs (the loader and
# wineserver); a kernel built without IA-32 emulation refuses them with
# "Exec format error", and then no Windows program can run here at all.
# A user-mode emulator registered for i386 programs (qemu-i386 through
# binfmt_misc) starts the loader, but Wine does not come up under it (its
# prefix set-up hangs), so that counts as unable too.
# Otherwise prints why not on standard error.
set -u
for entry in /proc/sys/fs/binfmt_misc/*; do
  case $(basename "$entry") in register | status) continue ;; esac
  if grep -qx enabled "$entry" 2>/dev/null && grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" 2>/dev/null; then
    echo "32-bit x86 programs run here only through an emulator ($(sed -n 's/^interpreter //p' "$entry")); Wine does not start under it" >&2
    exit 1
  fi
done
if out=$(/lib/ld-linux.so.2 --version 2>&1 >/dev/null); then
  exit 0
fi
echo "this machine cannot execute 32-bit x86 programs (${out:-no i386 loader}); Wine cannot start here" >&2
exit 1
