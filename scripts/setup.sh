#!/usr/bin/env bash
# Idempotent machine set-up: installs the packages the build and the Wine test
# run need (only those missing), then builds libjpeg-turbo and libpng statically
# twice, with the MinGW-w64 i686 toolchain (the product) and the x86_64 one
# (the test build that runs natively under 64-bit Wine), into .cache/deps
# (git-ignored).
# A second run finds everything in place and says so.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache="$root/.cache"
src="$cache/src"
did_something=0

source "$root/scripts/apt.sh"
sudo_if_needed() { hq_sudo "$@"; }

# ---------------------------------------------------------------- packages
packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix nasm cmake ninja-build dpkg-dev
  wine wine64 libc6:i386
  xvfb xauth fonts-liberation fonts-wine
  libz-mingw-w64-dev googletest
  g++ clang libclang-rt-14-dev
  python3 python3-websocket chromium locales
)
# 32-bit Wine and the X libraries it loads at run time (without libxi6:i386,
# for one, ClipCursor never holds). Only where this machine runs 32-bit
# programs: elsewhere the 32-bit suite runs in the test VM, whose disk has its
# own, and these would be of no use (they also need the i386 package lists,
# which a mirror mid-sync can leave unusable).
wine32_packages=(
  wine32:i386
  libxi6:i386 libxcursor1:i386 libxrandr2:i386 libxinerama1:i386
  libxcomposite1:i386 libxrender1:i386 libxfixes3:i386 libxxf86vm1:i386
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  sudo_if_needed dpkg --add-architecture i386
  did_something=1
  need_update=1
fi

if [ -n "$(hq_apt_missing "${packages[@]}")" ] || [ "${need_update:-0}" = 1 ]; then
  hq_apt_update
  hq_apt_install "${packages[@]}"
  did_something=1
fi
if bash "$root/scripts/can-run-wine.sh" 2>/dev/null && [ -n "$(hq_apt_missing "${wine32_packages[@]}")" ]; then
  hq_apt_install "${wine32_packages[@]}"
  did_something=1
fi

# Wine runs in the Russian locale: its code page gives the Windows side
# Windows-1251, and its UTF-8 character set lets Wine name files in Cyrillic
# on the Linux side (without it such a file cannot be created at all).
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  echo "setup: generating the ru_RU.UTF-8 locale"
  sudo_if_needed sh -c 'grep -qx "ru_RU.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "ru_RU.UTF-8 UTF-8" >> /etc/locale.gen; locale-gen >/dev/null'
  did_something=1
fi

# ---------------------------------------------------------------- sources
# deb-src entries derived from the machine's own deb entries, kept in a
# private apt configuration so the system's lists are untouched.
aptdir="$cache/apt"
fetch_source() { # package, glob of the upstream tarball
  local pkg=$1 pattern=$2
  mkdir -p "$src"
  if compgen -G "$src/$pattern" >/dev/null; then return 0; fi
  mkdir -p "$aptdir/lists/partial" "$aptdir/archives/partial" "$aptdir/sources.list.d"
  : > "$aptdir/sources.list"
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list | sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' >> "$aptdir/sources.list" || true
  fi
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # deb822 stanzas: keep those of type deb whose URI is a Debian archive
    awk 'BEGIN{RS=""; ORS="\n\n"} /Types:[^\n]*deb/ && /Components:/ && !/Architectures: amd64/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" > "$aptdir/sources.list.d/$(basename "$f")"
  done
  local opts=(-o Dir::Etc::SourceList="$aptdir/sources.list" -o Dir::Etc::SourceParts="$aptdir/sources.list.d"
              -o Dir::State::Lists="$aptdir/lists" -o Dir::Cache::Archives="$aptdir/archives"
              -o Dir::Cache="$aptdir" -o APT::Sandbox::User=root)
  if [ ! -f "$aptdir/updated" ]; then
    # Stamped only after a clean update; a failed one is retried next time, and
    # the tarball check below decides whether this run can go on.
    if apt-get "${opts[@]}" update -q >/dev/null 2>&1; then touch "$aptdir/updated"; fi
  fi
  # apt-get source can exit non-zero after the upstream tarball has arrived
  # (a security update whose .dsc the mirror dropped): check the tarball.
  (cd "$src" && apt-get "${opts[@]}" source --download-only -q "$pkg" >/dev/null 2>&1) || true
  if ! compgen -G "$src/$pattern" >/dev/null; then
    echo "setup: could not fetch the $pkg source package" >&2
    exit 1
  fi
  did_something=1
}

fetch_source libjpeg-turbo 'libjpeg-turbo_*.orig.tar.gz'
fetch_source libpng1.6 'libpng1.6_*.orig.tar.*'

# Built libraries are also kept per machine (HQ_DEPS_CACHE), under a key of
# everything they are made from: this script, the toolchain files, the source
# tarballs and the compilers' versions. A fresh clone copies them from there.
machine_deps=${HQ_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zeZoreredur-deps}
deps_key=$( { cat "$root/scripts/setup.sh" "$root/cmake/mingw32.cmake" "$root/cmake/mingw64.cmake"
  (cd "$src" && sha256sum libjpeg-turbo_*.orig.tar.* libpng1.6_*.orig.tar.*)
  i686-w64-mingw32-g++-posix --version; x86_64-w64-mingw32-g++-posix --version; nasm -v; } | sha256sum | cut -c1-16)

build_dep() { # folder, toolchain, name, tarball glob, stamp file, extra cmake args...
  local deps=$1 toolchain=$2 name=$3 pattern=$4 stamp=$5; shift 5
  if [ -f "$deps/$stamp" ]; then return 0; fi
  local kept="$machine_deps/$deps_key/$(basename "$deps")"
  if [ -f "$kept/$stamp" ]; then
    echo "setup: copying $name into ${deps#"$root/"} (built before on this machine)"
    mkdir -p "$deps" && cp -a "$kept/." "$deps/"
    did_something=1
    return 0
  fi
  echo "setup: building $name into ${deps#"$root/"}"
  local work="$cache/build-$name-$(basename "$deps")"
  rm -rf "$work"; mkdir -p "$work"
  tar -xf $(compgen -G "$src/$pattern" | head -1) -C "$work"
  local dir; dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -1)
  cmake -S "$dir" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps" "$@" >"$work/configure.log" 2>&1 \
    || { cat "$work/configure.log" >&2; exit 1; }
  cmake --build "$work/build" >"$work/build.log" 2>&1 || { tail -50 "$work/build.log" >&2; exit 1; }
  cmake --install "$work/build" >"$work/install.log" 2>&1 || { tail -50 "$work/install.log" >&2; exit 1; }
  rm -rf "$work"
  # Kept for the next clone: the install folder as it now stands, put in
  # place whole (a copy cut short is never found).
  mkdir -p "$machine_deps/$deps_key"
  local part; part=$(mktemp -d "$machine_deps/$deps_key/part.XXXXXX")
  cp -a "$deps/." "$part/" && rm -rf "$kept" && mv "$part" "$kept" || rm -rf "$part"
  did_something=1
}

# One set per target: mingw32 (i686, the product) and mingw64 (x86_64), each
# with libjpeg-turbo's SIMD code for its processor.
for target in mingw32:i686 mingw64:x86_64; do
  folder=${target%%:*} cpu=${target#*:}
  deps="$cache/deps/$folder"
  toolchain="$root/cmake/$folder.cmake"
  sysroot="/usr/$cpu-w64-mingw32"
  build_dep "$deps" "$toolchain" libjpeg-turbo 'libjpeg-turbo_*.orig.tar.gz' lib/libjpeg.a \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DCMAKE_SYSTEM_PROCESSOR="$cpu"
  build_dep "$deps" "$toolchain" libpng 'libpng1.6_*.orig.tar.*' lib/libpng16.a \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_TOOLS=OFF \
    -DZLIB_LIBRARY="$sysroot/lib/libz.a" -DZLIB_INCLUDE_DIR="$sysroot/include"
done

if [ $did_something = 0 ]; then
  echo "setup: everything is in place, nothing to do"
else
  echo "setup: done"
fi
