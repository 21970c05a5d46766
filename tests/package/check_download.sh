#!/usr/bin/env bash
# A download (Veilpix.exe, its installer) as Windows sees it: a 32-bit GUI program that needs
# nothing beside it but Windows' own DLLs, showing the release's version, with the manifest
# Windows reads before starting it (common controls 6, DPI aware, no elevation asked for).
# usage: check_download.sh <exe> <objdump> <windres> <objcopy> <version a.b.c.d> <product name>
#        [function it must import ...]
set -u
# The tools' output is read below: in their own words, whatever the caller's locale.
export LC_ALL=C
exe=$1 objdump=$2 windres=$3 objcopy=$4 version=$5 product=$6
shift 6
failed=0
fail() { echo "FAIL: $*"; failed=1; }

headers=$("$objdump" -p "$exe") || { echo "FAIL: cannot read $exe"; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 image"
grep -Eq '^Subsystem\s+0+2\s' <<<"$headers" || fail "not a Windows GUI program"
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|shlwapi|msvcrt|imm32|version|uxtheme|ntdll)\.dll$'
while read -r dll; do
  grep -Eiq "$system_dlls" <<<"$dll" || fail "imports $dll, which is not part of Windows"
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")

for function in "$@"; do
  grep -Eq "^\s+[0-9a-f]+\s+[0-9]+\s+$function$" <<<"$headers" || fail "does not call $function"
done

resources=$("$windres" -J coff -O rc -i "$exe") || { echo "FAIL: cannot read its resources"; exit 1; }
for line in " FILEVERSION ${version//./, }" " PRODUCTVERSION ${version//./, }" \
  "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
  "VALUE \"ProductName\", \"$product\"" "1 24 /* RT_MANIFEST */"; do
  grep -Fq "$line" <<<"$resources" || fail "no resource line: $line"
done
# The manifest is the only 8-bit text among the resources; everything else is UTF-16.
rsrc=$(mktemp)
trap 'rm -f "$rsrc"' EXIT
"$objcopy" -O binary --only-section=.rsrc "$exe" "$rsrc"
for pattern in 'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"' \
  '<dpiAware[^>]*>\s*true\s*</dpiAware>' 'requestedExecutionLevel\s+level="asInvoker"'; do
  grep -Pzqa "$pattern" "$rsrc" || fail "the manifest does not say $pattern"
done

[ "$failed" = 0 ] && echo "${exe##*/}: PE32 i386 GUI, Windows DLLs only, $product $version, manifest"
exit "$failed"
