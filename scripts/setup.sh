#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, as root.
# Idempotent: packages already present are not fetched again.
#
# Wine is the 64-bit one: the tests run the x86_64 build of Veilpix under it, because 32-bit
# code cannot run on kernels without IA-32 emulation (such as this project's build machines).
# The i686 Veilpix.exe that users download is built alongside from the same sources.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix cmake make g++ googletest
  libbenchmark-dev clang libclang-rt-14-dev wine wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick locales
  fonts-ipafont-gothic nsis clang-format python3
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

# Wine takes the ANSI code page 932 from this locale; without it Wine falls back to 1252.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen
fi
