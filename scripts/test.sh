#!/usr/bin/env bash
# Every test: installs what is missing, builds the native tree (clang with AddressSanitizer and
# UndefinedBehaviorSanitizer: unit tests, fuzz targets replayed briefly, icon drawings), the
# Windows download (i686, static checks) and the Wine tree (x86_64), and runs the Windows-side
# tests under a headless Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

cmake --preset native >/dev/null
cmake --preset windows >/dev/null
cmake --preset wine -DVEILPIX_BENCH=OFF >/dev/null
for preset in native windows wine; do
  cmake --build --preset "$preset"
done

ctest --preset native
ctest --preset windows

# shellcheck source=wine-env.sh
. scripts/wine-env.sh
trap veilpix_wine_down EXIT
veilpix_wine_up
ctest --preset wine
