#!/usr/bin/env bash
# Signs a file of the download in place with Authenticode, when a maintainer gives a
# code-signing certificate:
#   VEILPIX_SIGN_PKCS12         the certificate with its private key, a PKCS#12 (.p12/.pfx) file
#   VEILPIX_SIGN_PASSWORD       that file's password
#   VEILPIX_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamp server (optional), so that the signature
#                               outlives the certificate
# Without a certificate it does nothing: the download is unsigned, the same bytes on every build.
# usage: sign.sh <file>
set -euo pipefail
[ -n "${VEILPIX_SIGN_PKCS12:-}" ] || exit 0
file=$1
options=(-pkcs12 "$VEILPIX_SIGN_PKCS12" -readpass /dev/stdin -h sha256
  -n Veilpix -i https://github.com/veilpix/veilpix)
[ -z "${VEILPIX_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$VEILPIX_SIGN_TIMESTAMP_URL")
# The password goes through a pipe, never on a command line others can list.
printf '%s' "${VEILPIX_SIGN_PASSWORD:-}" |
  osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
