#!/usr/bin/env bash
# A downloadable program's resources: the version Windows shows for it, and the manifest Windows
# reads before starting it (common controls 6, DPI aware, runs without asking for elevation).
# usage: check_resources.sh <exe> <windres> <objcopy> <version a.b.c.d> <product name>
set -u
# The tools' output is read below: in their own words, whatever the caller's locale.
export LC_ALL=C
exe=$1
windres=$2
objcopy=$3
version=$4
product=$5
failed=0
fail() { echo "FAIL: $*"; failed=1; }

resources=$("$windres" -J coff -O rc -i "$exe") || { echo "FAIL: cannot read $exe"; exit 1; }

grep -Eq "^ FILEVERSION ${version//./, }\$" <<<"$resources" || fail "FILEVERSION is not $version"
grep -Eq "^ PRODUCTVERSION ${version//./, }\$" <<<"$resources" || fail "PRODUCTVERSION is not $version"
for value in FileVersion ProductVersion; do
  grep -Fq "VALUE \"$value\", \"$version\"" <<<"$resources" || fail "$value is not $version"
done
grep -Fq "VALUE \"ProductName\", \"$product\"" <<<"$resources" || fail "ProductName is not $product"

grep -Eq '^1 24 /\* RT_MANIFEST \*/$' <<<"$resources" || fail "no manifest with id 1"
# The manifest is the only 8-bit text among the resources; everything else is UTF-16.
rsrc=$(mktemp)
trap 'rm -f "$rsrc"' EXIT
"$objcopy" -O binary --only-section=.rsrc "$exe" "$rsrc"
manifest_says() { grep -Pzqa "$1" "$rsrc"; }
manifest_says 'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"' ||
  fail "the manifest does not ask for common controls 6.0"
manifest_says '<dpiAware[^>]*>\s*true\s*</dpiAware>' || fail "the manifest is not DPI aware"
manifest_says 'requestedExecutionLevel\s+level="asInvoker"' ||
  fail "the manifest does not run it as the user who starts it"

[ "$failed" = 0 ] &&
  echo "${exe##*/}: $product $version; manifest: common controls 6, DPI aware, asInvoker"
exit "$failed"
