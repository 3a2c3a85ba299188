#!/usr/bin/env bash
# Builds the release package for authors:
#   bash scripts/package.sh [OUT_DIR]        (default: dist)
# Sets the machine up (idempotent), builds the plug-in, builds the Russian
# reference, and writes OUT_DIR/zeZoreredur-<version>.zip holding the plug-in,
# the reference, the licence notices of everything linked into the plug-in,
# an install note and SHA256SUMS. The same commit gives the same zip bytes:
# fixed order, fixed permissions, and every entry dated with the commit's time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dist=${1:-dist}

bash scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake >/dev/null
cmake --build build/win -j "$(nproc)" --target zeZoreredur hqhost hqtables
version=$(cat build/win/version.txt)

stage=build/package/zeZoreredur-$version
rm -rf build/package
mkdir -p "$stage" "$dist"
# The dialog pictures and the table dump run under Wine, in one session.
scripts/windows-session.sh reference/build.sh build/win "$stage/reference"
cp build/win/bin/zeZoreredur.hqp "$stage/"
/usr/bin/python3 reference/release.py notices "$version" "$root/.cache/src" "$stage/NOTICES.txt"
/usr/bin/python3 reference/release.py install-note "$version" "$stage/INSTALL-ru.txt"

# Fixed date for every entry: the commit's time (SOURCE_DATE_EPOCH wins).
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)}
zip="$dist/zeZoreredur-$version.zip"
/usr/bin/python3 reference/release.py zip "$stage" "$zip" "$epoch"
echo "package: $zip ($(stat -c %s "$zip") bytes)"
sha256sum "$zip"
