#!/usr/bin/env bash
# Sets the machine up (idempotent), builds everything and runs every test:
# the portable core natively (plain and with ASan/UBSan), then the Windows
# tests under Wine through the stand-in host (scripts/windows-session.sh),
# then the authors' package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/native-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHQ_SANITIZE=ON >/dev/null
cmake --build build/native-asan -j "$jobs"
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake >/dev/null
cmake --build build/win -j "$jobs"

ctest --test-dir build/native --output-on-failure
ctest --test-dir build/native-asan --output-on-failure

# The Windows tests, in one Wine session: here, or in the test VM where this
# machine's kernel refuses the 32-bit x86 programs Wine is made of.
scripts/windows-session.sh bash -c 'WINEARCH=win32 wineserver -p && ctest --test-dir build/win --output-on-failure'

# The authors' package: built twice (same bytes), its contents, and its
# reference page in headless Chromium (screenshot out/reference.png).
bash reference/test_package.sh
