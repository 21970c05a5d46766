#!/usr/bin/env bash
# A downloadable program (Veilpix.exe, its installer): a 32-bit Windows GUI program that needs
# nothing beside it but Windows' own DLLs.
set -u
# The tools' output is read below: in their own words, whatever the caller's locale.
export LC_ALL=C
exe=$1
objdump=$2
failed=0
fail() { echo "FAIL: $*"; failed=1; }

headers=$("$objdump" -p "$exe") || { echo "FAIL: cannot read $exe"; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 image"
grep -Eq '^Subsystem\s+0+2\s' <<<"$headers" || fail "not a Windows GUI program"

system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|shlwapi|msvcrt|imm32|version|uxtheme|ntdll)\.dll$'
while read -r dll; do
  grep -Eiq "$system_dlls" <<<"$dll" || fail "imports $dll, which is not part of Windows"
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")

[ "$failed" = 0 ] && echo "${exe##*/}: PE32 i386 GUI, imports only Windows DLLs"
exit "$failed"
