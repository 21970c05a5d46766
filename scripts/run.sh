#!/usr/bin/env bash
# Builds the download and runs it under 32-bit Wine in the i386 root (made on the first run, see
# scripts/i386-root.sh). With an X display it runs there until you choose 終了 in its tray menu;
# without one it starts a virtual display, lets Veilpix settle in the tray of Wine's desktop,
# opens its tray menu with a right click on its icon, saves a screenshot and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Veilpix

had_display=${DISPLAY:-}
# shellcheck source=wine-env.sh
. scripts/wine-env.sh
trap veilpix_wine_down EXIT
veilpix_wine_up

exe=build/windows/Veilpix.exe
if [ -n "$had_display" ]; then
  wine "$exe"
  exit 0
fi

wine "$exe" &
veilpix=$!
# Under QEMU Veilpix takes a few seconds more to reach the tray.
sleep 10
# Its icon has the notification area's first place, in the corner of Wine's 1024x768 desktop.
xdotool mousemove 1012 757 click 3
sleep 3
shot=$root/build/windows/artefacts/run.png
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
xdotool key Escape
kill "$veilpix" 2>/dev/null || true
echo "Veilpix is running in Wine's desktop; screenshot: $shot"
