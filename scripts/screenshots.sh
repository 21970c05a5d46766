#!/usr/bin/env bash
# Makes the pictures in docs/ anew: the README's screenshots, and their like at 144 dots per inch.
# Runs the end-to-end passes that capture the tray menu, the About window and the chooser under
# 32-bit Wine, at 96 dpi and again at 144 (e2e_captures_at_144dpi), and the English pass, which
# captures its tray menu and About window, and cuts their captures into
# docs/ (see pictures.sh, which the test command compares them with).
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
rm -f build/windows/artefacts/*.bmp
ctest --preset windows -R 'TrayE2eTest.IconClicks|AboutE2eTest|ChooserE2eTest|English|e2e_captures_at_144dpi'
bash scripts/pictures.sh make
