# Sourced by the scripts that run Windows programs: one Wine prefix inside the build tree, the
# Japanese ANSI code page, headless X when there is no display. Starts only what is missing and
# stops only what it started.

VEILPIX_ROOT=${VEILPIX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
VEILPIX_BUILD=${VEILPIX_BUILD:-$VEILPIX_ROOT/build/wine}
export WINEPREFIX=${WINEPREFIX:-$VEILPIX_BUILD/wineprefix}
export WINEARCH=win64
# 64-bit Wine, called by name: Debian's wrapper would pick a 32-bit loader when one is installed.
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }
wineboot() { "$WINELOADER" wineboot "$@"; }
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8

_veilpix_started_xvfb=
_veilpix_started_wineserver=

# A prefix made before wine32 was installed cannot run 32-bit programs: make it anew then.
veilpix_prefix() {
  if [ -f "$WINEPREFIX/.veilpix-ready" ] && wine cmd /c exit 0 >/dev/null 2>&1; then
    return 0
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Without Wine's own fonts the title-bar buttons show as letters.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Every program runs in one virtual desktop with a taskbar and a notification area, so the
  # tests can find Veilpix's windows and its tray icon has a home.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.veilpix-ready"
}

# One display per prefix, found again by every script that uses the prefix: the prefix's
# wineserver and desktop stay bound to the display they were started on.
veilpix_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=$((90 + $(printf '%s' "$WINEPREFIX" | cksum | cut -d' ' -f1) % 100))
  export DISPLAY=":$n"
  xdpyinfo >/dev/null 2>&1 && return 0
  rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
  # A server left on a display that is gone cannot draw any more.
  wineserver -k >/dev/null 2>&1 || true
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  _veilpix_started_xvfb=$!
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine-env: could not start Xvfb on $DISPLAY" >&2
  return 1
}

# A persistent server keeps each test program's start near 0.1 s instead of 2.5 s. A server
# already serving this prefix is left to whoever started it.
veilpix_wineserver() {
  if ! pgrep -f "wineserver64 -p" >/dev/null 2>&1; then
    wineserver -p >/dev/null 2>&1
    _veilpix_started_wineserver=1
  fi
  wine cmd /c exit 0 >/dev/null 2>&1  # brings up the desktop
}

veilpix_wine_up() {
  command -v wine >/dev/null || { echo "wine-env: wine is not installed" >&2; return 1; }
  veilpix_display && veilpix_prefix && veilpix_wineserver
}

veilpix_wine_down() {
  [ -n "$_veilpix_started_wineserver" ] && wineserver -k >/dev/null 2>&1
  [ -n "$_veilpix_started_xvfb" ] && kill "$_veilpix_started_xvfb" 2>/dev/null
  _veilpix_started_wineserver=
  _veilpix_started_xvfb=
  return 0
}
