#!/usr/bin/env bash
# Starts build/win32/Tarnvel.exe under wine in the build's private prefix.
# With a display: on that display, until the program ends. Without one: on a private virtual
# display, where a screenshot of the running program is saved under build/screenshots/ before
# the program is ended.
# usage: run.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
exe=$build/win32/Tarnvel.exe
[ -f "$exe" ] || { echo "run: $exe is missing; run make first" >&2; exit 1; }
# A prefix of its own: the tests' prefix is set up for a display without a window manager.
export WINEPREFIX=$build/wineprefix-run
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ] && [ "${TARNVEL_RUN_SCREENSHOT:-}" = "" ]; then
  "$root/scripts/wine-prefix.sh" --plain
  exec wine "$exe"
fi

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-xvfb.sh" env TARNVEL_RUN_SCREENSHOT=1 bash "$0" "$build"
fi

# On the private display: start, wait for the dialog, take the picture, end the program.
"$root/scripts/wine-prefix.sh" --plain
mkdir -p "$build/screenshots"
shot=$build/screenshots/tarnvel-$(date +%Y%m%d-%H%M%S).png
wine "$exe" &
pid=$!
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Tarnvel"' && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
sleep 2
import -window root "$shot"
kill "$pid" 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
echo "run: no display, so Tarnvel.exe ran on a virtual one; screenshot: $shot"
