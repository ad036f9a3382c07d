#!/usr/bin/env bash
# Creates the private 32-bit wine prefix $WINEPREFIX once; later calls return at once.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX}"
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
