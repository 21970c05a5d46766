#!/usr/bin/env bash
# The download as those who check it see it: its hashes in SHA256SUMS; the same bytes from the
# same sources built in another folder, later; signed with a maintainer's certificate, each
# signature verifies, the installer under Wine writes the uninstaller signed and the uninstall
# entry its winget manifest names, and the signed Veilpix.exe still runs; the manifests carry the
# hashes of the files signed.
# usage: release_check.sh <source tree> <dist folder>
set -euo pipefail
export LC_ALL=C
source=$1 dist=$2
# shellcheck source=../../scripts/wine-env.sh
. "$source/scripts/wine-env.sh"
veilpix_root_runs "$VEILPIX_I386_ROOT" || { echo "FAIL: no 32-bit Wine (scripts/test.sh)"; exit 1; }
# Inside the source tree, where Wine in the i386 root sees it.
work=$source/build/release-check
rm -rf "$work"
mkdir -p "$work/copy"
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not list the downloads"

(cd "$source" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$work/copy")
cd "$work/copy"
build() {
  cmake --preset windows -DBUILD_TESTING=OFF -DVEILPIX_BENCH=OFF >/dev/null
  cmake --build --preset windows --target dist >/dev/null
}
build
diff -r "$dist" build/windows/dist || fail "built in $PWD, the download differs"

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Veilpix test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:p4ss \
  -out "$work/cert.p12"
rm -rf build/windows/dist
VEILPIX_SIGN_PKCS12=$work/cert.p12 VEILPIX_SIGN_PASSWORD=p4ss build
signed=$PWD/build/windows/dist
setup=$(cd "$signed" && echo Veilpix-*-setup.exe)
verify() {  # the test certificate is its own root: trusted here, and only here
  osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null || fail "$1: no valid signature"
}
verify "$signed/Veilpix.exe"
verify "$signed/$setup"

# Installed, the uninstaller written is signed too, and the signed program runs.
folder='C:\veilpix-signed'
wine "$signed/$setup" /S /AUTOSTART=0 "/D=$folder" || fail "the signed installer failed"
verify "$WINEPREFIX/drive_c/veilpix-signed/uninstall.exe"
# Twice, leaving IE's setting as it was; what /toggle does is the end-to-end passes' to check.
for _ in 1 2; do
  wine "$folder\\Veilpix.exe" /toggle || fail "the signed Veilpix.exe did not run"
done
entry() {  # a value of the uninstall entry the installer wrote under the manifest's name
  wine reg query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" /v "$2" |
    tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p" || true
}
installer=$signed/winget/Veilpix.Veilpix.installer.yaml
field() { sed -n "s/^-\? *$1: \"\?\([^\"]*\)\"\?$/\1/p" "$2"; }
code=$(field ProductCode "$installer")
version=$(entry "$code" DisplayVersion)
[ -n "$version" ] || fail "the installer wrote no uninstall entry named $code"
for name in DisplayName Publisher DisplayVersion; do
  [ "$(field "$name" "$installer")" = "$(entry "$code" "$name")" ] || fail "$name differs"
done
for file in "$signed"/winget/*.yaml; do
  [ "$(field PackageVersion "$file")" = "$version" ] || fail "${file##*/}: not version $version"
done
[ "$(field InstallerSha256 "$installer")" = "$(sha256sum "$signed/$setup" | awk '{ print toupper($1) }')" ] ||
  fail "the winget manifest does not carry the installer's hash"
scoop() { python3 -c "import json, sys; print(json.load(open(sys.argv[1]))[sys.argv[2]])" \
  "$signed/scoop/veilpix.json" "$1"; }
[ "$(scoop hash)" = "$(sha256sum "$signed/Veilpix.exe" | cut -d' ' -f1)" ] &&
  [ "$(scoop version)" = "$version" ] || fail "the Scoop manifest does not name this Veilpix.exe"
wine "$folder\\uninstall.exe" /S "_?=$folder"
rm -rf "$WINEPREFIX/drive_c/veilpix-signed"

[ "$failed" = 0 ] && echo "download: rebuilt alike, hashes listed; signed, installed and run"
exit "$failed"
