#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, as root.
# Idempotent: packages already present are not fetched again.
#
# Wine is not installed here: the tests run the i686 download under 32-bit Wine in an i386 Debian
# root that scripts/i386-root.sh makes with debootstrap (and runs through QEMU where the kernel
# cannot execute 32-bit code).
set -euo pipefail

packages=(
  g++-mingw-w64-i686-win32 cmake make g++ googletest clang libclang-rt-14-dev
  debootstrap imagemagick nsis osslsigncode openssl clang-format python3 fonts-liberation xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
