#!/usr/bin/env bash
# Creates the private 32-bit wine prefix $WINEPREFIX once and keeps its settings for the tests
# current; later calls return at once.
# usage: wine-prefix.sh [--dpi DPI | --plain]
# --dpi sets the screen resolution (dots per inch) of the whole prefix: every program in it sees it.
# --plain leaves out the settings for the tests, for a prefix that runs the program on a desktop.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX}"
dpi=96
case ${1:-} in
--dpi) dpi=$2 ;;
--plain) plain=1 ;;
esac
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.tarnvel-ready" ]; then
  echo "wine: creating the prefix $WINEPREFIX (first start takes a while)" >&2
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine: prefix creation failed" >&2; exit 1; }
  touch "$WINEPREFIX/.tarnvel-ready"
fi
# A drive of the tests' own, T:, whose root they may write: on Windows they substitute a drive
# letter for a folder instead, which wine accepts but does not resolve.
mkdir -p "$WINEPREFIX/drive_t"
[ -e "$WINEPREFIX/dosdevices/t:" ] || ln -s ../drive_t "$WINEPREFIX/dosdevices/t:"

# No debugger on a crash: it would wait for ever behind a dialog on the invisible display (a test
# program reports its own crashes, tests/win32/watchdog.h). Windows that no window manager
# manages: wine otherwise waits two seconds for the manager that is not there whenever a shown
# window goes. The resolution, which every program of the prefix sees.
settings=$(
  cat <<EOF
REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]
"Debugger"="false"
"Auto"="1"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$dpi")
EOF
)
if [ -z "${plain:-}" ] && [ "$(cat "$WINEPREFIX/.tarnvel-settings" 2>/dev/null)" != "$settings" ]; then
  printf '%s\r\n' "$settings" >"$WINEPREFIX/drive_c/tarnvel-settings.reg"
  wine regedit /S 'C:\tarnvel-settings.reg' >/dev/null 2>&1
  rm -f "$WINEPREFIX/drive_c/tarnvel-settings.reg"
  printf '%s' "$settings" >"$WINEPREFIX/.tarnvel-settings"
fi
