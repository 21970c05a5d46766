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
wine "$@"
