#!/usr/bin/env bash
# Runs one Windows test program under wine in the build's private 32-bit prefix.
# usage: wine-test.sh [--winver VERSION] PROGRAM.exe [ARGS...]
# --winver runs a copy of the program that wine reports as that Windows version
# (win95, win98, winme, nt40, win2k, winxp, win7, win10).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
winver=""
if [ "${1:-}" = --winver ]; then
  winver=$2
  shift 2
fi
exe=$1
shift
: "${WINEPREFIX:?set WINEPREFIX}"
: "${DISPLAY:?no DISPLAY: run under scripts/with-xvfb.sh}"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" TARNVEL_TEST_DRIVE=T:
"$root/scripts/wine-prefix.sh"

if [ -n "$winver" ]; then
  copy="$(dirname "$exe")/$(basename "$exe" .exe)-$winver.exe"
  cp -f "$exe" "$copy"
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$copy")" /v Version /d "$winver" /f >/dev/null 2>&1
  exe=$copy
fi
exec wine "$exe" "$@"
