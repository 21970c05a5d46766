# shellcheck shell=bash
# Sourced by the scripts that run Windows programs: 32-bit Wine inside the i386 root (see
# i386-root.sh), one Wine prefix inside the build tree, the Japanese ANSI code page, headless X
# when there is no display. Starts only what is missing and stops only what it started.

VEILPIX_ROOT=${VEILPIX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
VEILPIX_BUILD=${VEILPIX_BUILD:-$VEILPIX_ROOT/build/windows}
# shellcheck source=i386-root.sh
. "$VEILPIX_ROOT/scripts/i386-root.sh"
export WINEPREFIX=${WINEPREFIX:-$VEILPIX_BUILD/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes the display language and the ANSI code page from this locale: Japanese and 932
# (generated inside the root), or for the English pass C.UTF-8's English and 1252.
export LANG=${VEILPIX_LOCALE:-ja_JP.UTF-8}
_veilpix_trapno=$VEILPIX_BUILD/qemu-trapno.so

# Runs one of the root's programs; under QEMU with Wine's fault handlers mended.
veilpix_in_root() {
  if veilpix_emulating; then
    veilpix_root_run env LD_PRELOAD="$_veilpix_trapno" "$@"
  else
    veilpix_root_run "$@"
  fi
}
# Called by name: Debian's wrappers are shell scripts (slow to start under QEMU), and the
# server's would add -p0 to every call.
export WINELOADER=/usr/lib/wine/wine
export WINESERVER=/usr/lib/wine/wineserver32
wine() { veilpix_in_root "$WINELOADER" "$@"; }
wineserver() { veilpix_in_root "$WINESERVER" "$@"; }
wineboot() { wine wineboot "$@"; }

_veilpix_started_xvfb=
_veilpix_started_wineserver=

# The mend is built by the host's compiler, for the root's 32-bit libc.
_veilpix_trapno_up() {
  local source=$VEILPIX_ROOT/scripts/qemu-trapno.c
  veilpix_emulating || return 0
  [ "$_veilpix_trapno" -nt "$source" ] && return 0
  mkdir -p "$VEILPIX_BUILD"
  gcc -m32 -O2 -fPIC -shared -nostdlib -ffreestanding -fno-stack-protector \
    -o "$_veilpix_trapno" "$source"
}

# What the prefix is made with; a prefix made otherwise (or by another Wine) is made anew.
_veilpix_prefix_version=4

veilpix_prefix() {
  if [ "$(cat "$WINEPREFIX/.veilpix-ready" 2>/dev/null)" = "$_veilpix_prefix_version" ] &&
    wine cmd /c exit 0 >/dev/null 2>&1; then
    return 0
  fi
  echo "wine-env: making the 32-bit Wine prefix $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Without Wine's own fonts the title-bar buttons show as letters.
  cp "$VEILPIX_I386_ROOT"/usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || true
  # The About window is designed in Times New Roman and Arial: a metric twin of the first, and
  # for the second the font Japanese Windows draws the Japanese text of an Arial label in, since
  # under Wine an Arial twin without Japanese glyphs would show that text as boxes.
  cp /usr/share/fonts/truetype/liberation/LiberationSerif-*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
    /d 'Liberation Serif' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'IPA Pゴシック' /f \
    >/dev/null 2>&1
  # Every program runs in one virtual desktop with a taskbar and a notification area, so the
  # tests can find Veilpix's windows and its tray icon has a home.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  echo "$_veilpix_prefix_version" >"$WINEPREFIX/.veilpix-ready"
}

# One display per prefix, found again by every script that uses the prefix: the prefix's
# wineserver and desktop stay bound to the display they were started on. The X sockets are
# shared between the host and the root.
veilpix_display() {
  if [ -n "${DISPLAY:-}" ] && veilpix_in_root xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=$((90 + $(printf '%s' "$WINEPREFIX" | cksum | cut -d' ' -f1) % 100))
  export DISPLAY=":$n"
  veilpix_in_root xdpyinfo >/dev/null 2>&1 && return 0
  rm -f "/tmp/.X$n-lock" "$VEILPIX_I386_ROOT/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
  # A server left on a display that is gone cannot draw any more.
  wineserver -k >/dev/null 2>&1 || true
  veilpix_in_root Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  # Xvfb runs below the shell that entered the root: found again by the lock it writes there.
  _veilpix_started_xvfb=$VEILPIX_I386_ROOT/tmp/.X$n-lock
  for _ in $(seq 100); do
    veilpix_in_root xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  echo "wine-env: could not start Xvfb on $DISPLAY" >&2
  return 1
}

# True when a persistent server serves this prefix; other prefixes' servers may run beside it.
_veilpix_persistent_server() {
  local pid
  for pid in $(pgrep -f "wineserver32 -p$"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# A persistent server keeps each test program's start short. A server already serving this
# prefix is left to whoever started it; the one Wine started on its own for the last program
# (Debian's starts it with -p0) is replaced.
veilpix_wineserver() {
  if ! _veilpix_persistent_server; then
    wineserver -k >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1
    _veilpix_started_wineserver=1
  fi
  wine cmd /c exit 0 >/dev/null 2>&1 # brings up the desktop
}

# Every window of the prefix at $1 dots per inch, as on a display scaled so: stored for the user,
# then the server and the desktop started anew to take it.
veilpix_wine_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
    wineserver -k && wineserver -w && wineserver -p >/dev/null 2>&1 &&
    wine cmd /c exit 0 >/dev/null 2>&1
}

veilpix_wine_up() {
  veilpix_root_up && _veilpix_trapno_up && veilpix_display && veilpix_prefix &&
    veilpix_wineserver && return 0
  echo "wine-env: 32-bit Wine could not be set up; the Windows-side tests cannot run" >&2
  return 1
}

veilpix_wine_down() {
  # Waits too for a server that a program still ending started on its way out.
  [ -n "$_veilpix_started_wineserver" ] && wineserver -k >/dev/null 2>&1 && wineserver -w
  if [ -n "$_veilpix_started_xvfb" ]; then
    local xvfb
    xvfb=$(tr -d ' ' <"$_veilpix_started_xvfb")
    kill "$xvfb" 2>/dev/null
    # Gone before the next script may start one on the same display.
    for _ in $(seq 50); do kill -0 "$xvfb" 2>/dev/null || break; sleep 0.1; done
  fi
  _veilpix_started_wineserver=
  _veilpix_started_xvfb=
  veilpix_emulation_off
}
