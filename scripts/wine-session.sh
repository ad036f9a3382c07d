#!/usr/bin/env bash
# Starts the wine prefixes' servers and helper processes (services, devices, the desktop) once,
# before the Windows test entries, and ends them after. Started by a prefix's first test program
# instead, they would hold that program's output open, and ctest waiting for it, until the
# prefix's last program ended: an entry's time would not be its own.
# usage: wine-session.sh start|end [--dpi DPI] PREFIX [[--dpi DPI] PREFIX]...
# Their output goes to PREFIX.log. TARNVEL_TEST_ENTRIES names the entries (separated by blanks),
# whose temporary folders are made here; TARNVEL_DESKTOP_KEEPER is the desktop keeper's program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
action=$1
shift
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

start() {
  : "${DISPLAY:?no DISPLAY: run under scripts/with-xvfb.sh}"
  : "${TARNVEL_DESKTOP_KEEPER:?set TARNVEL_DESKTOP_KEEPER}"
  "$root/scripts/wine-prefix.sh" "$@"
  local log=$WINEPREFIX.log
  # A server left from an interrupted run would still serve a display that has gone.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  # The entries' temporary folders (scripts/wine-test.sh), made now so that their parent does not
  # change while tests run, and kept without access times (on file systems that can): wine's folder
  # browser compares a folder's identity as parsed from a path with the one its tree lists, both
  # carrying the folder's times, and the first read of a folder whose contents changed moves its
  # access time in between, so that the browser stops short of the path it was given.
  local temp=$WINEPREFIX/drive_c/tarnvel-temp
  rm -rf "$temp"
  mkdir -p "$temp"
  # The tests' drive starts empty too: its names carry a process number, and what a program ended
  # midway left there would stand in the way of a later program that gets the same number.
  find "$WINEPREFIX/drive_t" -mindepth 1 -maxdepth 1 -exec rm -rf {} +
  chattr +A "$temp" "$WINEPREFIX/drive_t" 2>/dev/null || true
  for entry in ${TARNVEL_TEST_ENTRIES:-}; do
    mkdir "$temp/$entry"
  done
  setsid wineserver -p </dev/null >"$log" 2>&1
  wine wineboot </dev/null >>"$log" 2>&1
  # The desktop closes a second after its last program ends, and the next program to need it has
  # it started again with that program's standard error: a test program's, which the desktop would
  # then hold open, and ctest waiting for that entry, until the session ends. The keeper
  # (tests/support/desktop_keeper.cpp) has it made now, on the log, and keeps it in use for two
  # hours at most; the tests start once it is there.
  setsid wine "$TARNVEL_DESKTOP_KEEPER" 7200 </dev/null >>"$log" 2>&1 &
  for _ in $(seq 600); do
    grep -qs '^desktop keeper: the desktop is there' "$log" && return
    sleep 0.2
  done
  echo "wine-session: the desktop of $WINEPREFIX did not start within 120 s; see $log" >&2
  return 1
}

while [ $# -gt 0 ]; do
  dpi=()
  if [ "$1" = --dpi ]; then
    dpi=(--dpi "$2")
    shift 2
  fi
  export WINEPREFIX=$1
  shift
  case $action in
  start) start "${dpi[@]}" ;;
  end)
    if [ -d "$WINEPREFIX" ]; then
      wineserver -k >/dev/null 2>&1 || true
      rm -rf "$WINEPREFIX/drive_c/tarnvel-temp"
    fi
    ;;
  esac
done
