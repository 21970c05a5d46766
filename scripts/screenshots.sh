#!/usr/bin/env bash
# Makes the README's screenshots anew: runs the end-to-end tests that capture the tray menu,
# the About window and the chooser under 32-bit Wine, and crops their captures into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

# shellcheck source=wine-env.sh
. scripts/wine-env.sh
trap veilpix_wine_down EXIT
veilpix_wine_up
ctest --preset windows -R 'TrayE2eTest.IconClicks|AboutE2eTest|ChooserE2eTest'

shots=build/windows/artefacts
mkdir -p docs
# The tray corner of the desktop with the menu the right click opened (Wine keeps it inside the
# screen, so it covers the icon).
convert "$shots/tray-menu.bmp" -gravity SouthEast -crop 360x240+0+0 +repage docs/tray-menu.png
# A window alone: the desktop (its taskbar, and the tray's tip just above) trimmed away around
# it, with a margin.
for name in about chooser; do
  convert "$shots/$name.bmp" -gravity South -chop 0x48 -fuzz 2% -trim +repage \
    -bordercolor '#26708f' -border 16 "docs/$name.png"
done
ls -l docs/*.png
