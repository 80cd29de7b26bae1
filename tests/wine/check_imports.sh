#!/usr/bin/env bash
# The Windows program needs no DLL that Windows itself lacks, and is a console program:
#   check_imports.sh OBJDUMP ORVENA_EXE
set -euo pipefail
objdump=$1 exe=$2
headers=$("$objdump" -p "$exe")
# The system's own DLLs that a program built with MinGW-w64 may import: the C runtime that
# every Windows has (msvcrt), the Win32 API and the OpenGL 1.1 and GLU that Windows ships.
allowed=" advapi32.dll gdi32.dll glu32.dll kernel32.dll msvcrt.dll opengl32.dll user32.dll winmm.dll "
status=0
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || { echo "no DLL imports found in $exe" >&2; exit 1; }
while read -r dll; do
    if [[ $allowed == *" ${dll,,} "* ]]; then
        echo "imports $dll"
    else
        echo "imports $dll, which is not one of Windows' own DLLs" >&2
        status=1
    fi
done <<<"$imports"
# Windows opens a console for a console program (CUI) started from Explorer, for the lines.
if ! grep -Eq '^Subsystem[[:space:]]+0+3[[:space:]]+\(Windows CUI\)' <<<"$headers"; then
    echo "not a console program: $(grep '^Subsystem' <<<"$headers")" >&2
    status=1
fi
exit "$status"
