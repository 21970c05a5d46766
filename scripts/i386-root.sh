# shellcheck shell=bash
# Sourced by wine-env.sh: the 32-bit Debian root the Windows download runs in. Wine there is the
# 32-bit one, so the tests run the i686 Veilpix.exe and installer that users get. Where the kernel
# cannot execute 32-bit code, QEMU's user-mode emulator runs the root through binfmt_misc; whether
# it is needed is found by trying. Everything runs as root.

# What the root holds; a change here makes the next run build it anew.
_veilpix_root_packages=wine,wine32,xvfb,xauth,x11-utils,locales,fonts-ipafont-gothic,fonts-wine
_veilpix_root_version=1
_veilpix_cache=/var/cache/veilpix
_veilpix_root_key=$(printf '%s %s' "$_veilpix_root_packages" "$_veilpix_root_version" |
  sha256sum | cut -c1-12)
VEILPIX_I386_ROOT=$_veilpix_cache/i386-$_veilpix_root_key
VEILPIX_QEMU=$_veilpix_cache/qemu/qemu-i386
_veilpix_binfmt=/proc/sys/fs/binfmt_misc
# binfmt_misc's registrations are global to the kernel: under a name of our own, so we remove
# only what we added.
_veilpix_binfmt_name=veilpix-i386
_veilpix_registered=
_veilpix_mounted_binfmt=

# The machine's own Debian mirror, read at run time (either format of apt's sources; some of
# their files may be absent).
_veilpix_mirror() {
  local uris
  uris=$(sed -n -e 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' \
    -e 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]*\).*/\2/p' \
    /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null) || true
  awk '!/-security/ { print; exit }' <<<"$uris"
}

# Debian 12's own qemu-user (7.2) spins for most of a minute in every Wine process; the one from
# bookworm-backports does not. Only its i386 emulator is taken, through a private apt
# configuration, so nothing is installed on the host.
_veilpix_qemu() {
  local qemu=$VEILPIX_QEMU
  [ -x "$qemu" ] && { echo "$qemu"; return 0; }
  local work mirror
  work=$(mktemp -d) && mirror=$(_veilpix_mirror) || return 1
  mkdir -p "$work/lists/partial" "$work/archives/partial" "$(dirname "$qemu")"
  echo "deb $mirror bookworm-backports main" >"$work/sources.list"
  local apt=(-q -o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work" -o "Dir::Cache::Archives=$work/archives"
    -o APT::Sandbox::User=root)
  if apt-get "${apt[@]}" update >/dev/null &&
    (cd "$work" && apt-get "${apt[@]}" download qemu-user/bookworm-backports >/dev/null) &&
    dpkg-deb --fsys-tarfile "$work"/qemu-user_*.deb | tar -x -C "$work" ./usr/bin/qemu-i386; then
    mv "$work/usr/bin/qemu-i386" "$qemu"
  fi
  rm -rf "$work"
  [ -x "$qemu" ] && echo "$qemu"
}

# True when the kernel runs the root's programs, natively or through our registration.
veilpix_root_runs() { chroot "$1" /bin/true 2>/dev/null; }

# Registers QEMU for i386 programs unless they run already. The F flag opens the emulator now,
# so it also serves programs inside the root.
veilpix_emulate_if_needed() {
  local dir=$1 qemu
  veilpix_root_runs "$dir" && return 0
  if [ ! -f "$_veilpix_binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$_veilpix_binfmt" || return 1
    _veilpix_mounted_binfmt=1
  fi
  qemu=$(_veilpix_qemu) || { echo "i386-root: could not fetch qemu-i386" >&2; return 1; }
  printf ':%s:M::%s:%s:%s:F\n' "$_veilpix_binfmt_name" \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
    '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' \
    "$qemu" >"$_veilpix_binfmt/register" || return 1
  _veilpix_registered=1
  veilpix_root_runs "$dir" || { echo "i386-root: QEMU does not run the root" >&2; return 1; }
}

veilpix_emulation_off() {
  [ -n "$_veilpix_registered" ] && echo -1 >"$_veilpix_binfmt/$_veilpix_binfmt_name"
  [ -n "$_veilpix_mounted_binfmt" ] && umount "$_veilpix_binfmt"
  _veilpix_registered=
  _veilpix_mounted_binfmt=
  return 0
}

# True while the root's programs run through QEMU (Wine then needs the trap-number mend).
veilpix_emulating() { [ -e "$_veilpix_binfmt/$_veilpix_binfmt_name" ]; }

# Builds the root beside its final place and renames it there only when complete, so an
# interrupted build is never taken for a root. The second stage runs the root's own programs.
_veilpix_build_root() {
  local mirror tmp=$VEILPIX_I386_ROOT.partial
  mirror=$(_veilpix_mirror)
  [ -n "$mirror" ] || { echo "i386-root: no Debian mirror in /etc/apt" >&2; return 1; }
  echo "i386-root: setting up the 32-bit root in $VEILPIX_I386_ROOT (once; 5 to 10 minutes)" >&2
  rm -rf "$tmp" "$_veilpix_cache"/i386-*
  mkdir -p "$_veilpix_cache"
  debootstrap --foreign --arch=i386 --variant=minbase --include="$_veilpix_root_packages" \
    bookworm "$tmp" "$mirror" | grep --line-buffered '^I: Retrieving\|^I: Extracting' |
    awk '++n % 50 == 0 { printf "i386-root: fetched and unpacked %d packages\n", n / 2 > "/dev/stderr" }'
  [ -x "$tmp/debootstrap/debootstrap" ] || { echo "i386-root: debootstrap failed" >&2; return 1; }
  veilpix_emulate_if_needed "$tmp" || return 1
  echo "i386-root: installing the packages inside it" >&2
  # Its details go to its log only: the packages set up so far are counted there.
  while sleep 30; do
    echo "i386-root: $(grep -sc '^Setting up' "$tmp/debootstrap/debootstrap.log") packages set up" >&2
  done &
  local counter=$!
  unshare -m --propagation private chroot "$tmp" /debootstrap/debootstrap --second-stage >/dev/null
  kill "$counter"
  [ ! -e "$tmp/debootstrap" ] || { echo "i386-root: the second stage failed" >&2; return 1; }
  # Wine takes the ANSI code page 932 from this locale.
  echo 'ja_JP.UTF-8 UTF-8' >"$tmp/etc/locale.gen"
  chroot "$tmp" locale-gen >/dev/null || return 1
  rm -rf "$tmp"/var/cache/apt/archives/*.deb
  mv "$tmp" "$VEILPIX_I386_ROOT"
}

# Makes the root if it is absent or stale and lets the kernel run it.
veilpix_root_up() {
  if [ ! -d "$VEILPIX_I386_ROOT" ]; then
    _veilpix_build_root || { echo "i386-root: could not set up the 32-bit root" >&2; return 1; }
  fi
  veilpix_emulate_if_needed "$VEILPIX_I386_ROOT"
}

# Runs a command inside the root, in a mount namespace of its own so nothing stays mounted: the
# work tree at its own path, the X sockets shared with the host, the current directory kept.
veilpix_root_run() {
  [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
  # shellcheck disable=SC2016 # expanded by the shell inside the namespace
  unshare -m --propagation private /bin/sh -c '
    r=$1 work=$2 wd=$3; shift 3
    mkdir -p "$r$work" "$r/tmp/.X11-unix"
    mount -t proc proc "$r/proc" && mount --rbind /dev "$r/dev" && mount --rbind /sys "$r/sys" &&
      mount --bind "$work" "$r$work" && mount --bind /tmp/.X11-unix "$r/tmp/.X11-unix" || exit 1
    [ -d "$r$wd" ] || wd=/
    exec unshare --root="$r" --wd="$wd" "$@"' sh "$VEILPIX_I386_ROOT" "$VEILPIX_ROOT" "$PWD" "$@"
}
