#!/usr/bin/env bash
# Makes the Wine prefix that the Windows program's tests run in, afresh:
#   make_prefix.sh PREFIX WINE WINESERVER
# WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES come from the test's environment.
set -euo pipefail
prefix=$1 wine=$2 wineserver=$3
[ "$WINEPREFIX" = "$prefix" ] || { echo "WINEPREFIX is not $prefix" >&2; exit 1; }
# A wineserver still serving an old prefix here would keep its files open.
"$wineserver" -k 2>/dev/null || true
rm -rf -- "$prefix"
# wineboot asks for the 32-bit rundll32 where only wine64 is installed, and says so; harmless.
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
# A fault in the program ends it with a status and a line on standard error, never a dialog
# that would wait for a click on a display nobody watches.
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
"$wineserver" -w
[ -f "$prefix/system.reg" ] || { echo "no prefix made in $prefix" >&2; exit 1; }
echo "Wine prefix made in $prefix"
