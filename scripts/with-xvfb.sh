#!/usr/bin/env bash
# Runs a command on a private virtual X display and ends the display (and the wine
# servers of $WINEPREFIX and of its prefixes for other resolutions, $WINEPREFIX-dpi*, whose
# desktops live on that display) when the command ends.
# usage: with-xvfb.sh COMMAND [ARGS...]
set -uo pipefail

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 100); do
  [ -s "$fdfile" ] && break
  kill -0 "$xpid" 2>/dev/null || break
  sleep 0.1
done
display=$(tr -dc '0-9' <"$fdfile")
rm -f "$fdfile"
if [ -z "$display" ]; then
  echo "with-xvfb: the virtual display did not start" >&2
  exit 1
fi

cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then
    for prefix in "$WINEPREFIX" "$WINEPREFIX"-dpi*/; do
      if [ -d "$prefix" ]; then WINEPREFIX=${prefix%/} wineserver -k >/dev/null 2>&1 || true; fi
    done
  fi
  kill "$xpid" 2>/dev/null
  wait "$xpid" 2>/dev/null || true
}
trap cleanup EXIT

DISPLAY=":$display" "$@"
