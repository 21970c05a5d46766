#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix (CTest's emulator).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
exec "$WINELOADER" "$@"
