#!/usr/bin/env bash
# Runs one Windows program under the project's 32-bit Wine (CTest's emulator).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
if ! veilpix_root_runs "$VEILPIX_I386_ROOT"; then
  echo "wine-exec: the 32-bit root is missing or cannot run (not emulated); run the tests with" \
    "scripts/test.sh" >&2
  exit 1
fi
# At other dots per inch than 96 for this program alone (VEILPIX_DPI).
if [ -n "${VEILPIX_DPI:-}" ]; then
  veilpix_wine_dpi "$VEILPIX_DPI"
  trap 'veilpix_wine_dpi 96' EXIT
fi
wine "$@"
