#!/usr/bin/env bash
# Every test: installs what is missing, builds the native tree (clang with AddressSanitizer and
# UndefinedBehaviorSanitizer: unit tests) and the
# Windows tree (the i686 download and the tests that drive it), checks the download statically and
# runs the Windows-side tests on it under 32-bit Wine in the i386 root (see scripts/i386-root.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

cmake --preset native >/dev/null
cmake --preset windows -DVEILPIX_BENCH=OFF >/dev/null
for preset in native windows; do
  cmake --build --preset "$preset"
done

ctest --preset native

# shellcheck source=wine-env.sh
. scripts/wine-env.sh
trap veilpix_wine_down EXIT
veilpix_wine_up
ctest --preset windows
