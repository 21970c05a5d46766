#!/usr/bin/env bash
# Builds Veilpix and runs it under Wine. With an X display it runs there until you choose
# 終了 in its tray menu; without one it starts a virtual display, lets Veilpix settle in the
# tray of Wine's desktop, saves a screenshot and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
for preset in windows wine; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Veilpix
done

had_display=${DISPLAY:-}
# shellcheck source=wine-env.sh
. scripts/wine-env.sh
trap veilpix_wine_down EXIT
veilpix_wine_up

# This machine's Wine runs 64-bit code only; build/windows/tray/Veilpix.exe is the 32-bit download.
exe=build/wine/tray/Veilpix.exe
if [ -n "$had_display" ]; then
  wine "$exe"
  exit 0
fi

wine "$exe" &
veilpix=$!
sleep 4
shot=$root/build/wine/artefacts/run.png
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
kill "$veilpix" 2>/dev/null || true
echo "Veilpix is running in Wine's desktop; screenshot: $shot"
