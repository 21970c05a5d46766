#!/usr/bin/env bash
# Every test: installs what is missing, builds the native, the sanitized (asan), the Windows
# (i686) and the Wine (x86_64) trees, and runs their tests, the Windows-side ones under a
# headless Wine; runs each fuzz target for 30 s.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

for preset in native asan windows wine; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

ctest --preset native
ctest --preset asan
ctest --preset windows
bash scripts/fuzz.sh 30

# shellcheck source=wine-env.sh
. scripts/wine-env.sh
trap veilpix_wine_down EXIT
veilpix_wine_up
ctest --preset wine
