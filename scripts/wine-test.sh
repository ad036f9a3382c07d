#!/usr/bin/env bash
# Runs one Windows test program under wine in the build's private 32-bit prefix.
# usage: wine-test.sh [--winver VERSION] [--dpi DPI] PROGRAM.exe [ARGS...]
# --winver runs a copy of the program that wine reports as that Windows version
# (win95, win98, winme, nt40, win2k, winxp, win7, win10).
# --dpi sets the screen resolution of the whole prefix (dots per inch): give such a run a prefix
# of its own, since every program in the prefix sees it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
winver=""
dpi=""
while [ "${1:-}" = --winver ] || [ "${1:-}" = --dpi ]; do
  case $1 in
  --winver) winver=$2 ;;
  --dpi) dpi=$2 ;;
  esac
  shift 2
done
exe=$1
shift
: "${WINEPREFIX:?set WINEPREFIX}"
: "${DISPLAY:?no DISPLAY: run under scripts/with-xvfb.sh}"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" TARNVEL_TEST_DRIVE=T:
"$root/scripts/wine-prefix.sh"

if [ -n "$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
fi
if [ -n "$winver" ]; then
  copy="$(dirname "$exe")/$(basename "$exe" .exe)-$winver.exe"
  cp -f "$exe" "$copy"
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$copy")" /v Version /d "$winver" /f >/dev/null 2>&1
  exe=$copy
fi
exec wine "$exe" "$@"
