#!/usr/bin/env bash
# Runs one Windows test program under wine in the build's private 32-bit prefix.
# usage: wine-test.sh [--winver VERSION] [--dpi DPI] PROGRAM.exe [ARGS...]
# --winver runs a copy of the program that wine reports as that Windows version
# (win95, win98, winme, nt40, win2k, winxp, win7, win10).
# --dpi sets the screen resolution of the whole prefix (dots per inch): give such a run a prefix
# of its own, since every program in the prefix sees it.
# A test that runs past its bound or crashes ends its program (tests/win32/watchdog.h); the
# program then starts again for the tests that had not begun, so that a hang or a crash costs one
# result.
# The exit status is the first failing run's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
winver=""
dpi=()
while [ "${1:-}" = --winver ] || [ "${1:-}" = --dpi ]; do
  case $1 in
  --winver) winver=$2 ;;
  --dpi) dpi=(--dpi "$2") ;;
  esac
  shift 2
done
exe=$1
shift
: "${WINEPREFIX:?set WINEPREFIX}"
: "${DISPLAY:?no DISPLAY: run under scripts/with-xvfb.sh}"
# Wine decodes the Linux file names by the locale's character set: names beyond ASCII are their
# true selves only in a UTF-8 locale (C.UTF-8 is on every Debian machine; another UTF-8 locale, for
# another code page, is kept).
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
*[Uu][Tt][Ff]-8* | *[Uu][Tt][Ff]8*) ;;
*) unset LC_ALL LC_CTYPE && export LANG=C.UTF-8 ;;
esac
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" TARNVEL_TEST_DRIVE=T:
"$root/scripts/wine-prefix.sh" "${dpi[@]}"

if [ -n "$winver" ]; then
  copy="$(dirname "$exe")/$(basename "$exe" .exe)-$winver.exe"
  cp -f "$exe" "$copy"
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$copy")" /v Version /d "$winver" /f >/dev/null 2>&1
  exe=$copy
fi

# A temporary folder of the run's own (tests/win32/main.cpp), kept for the ctest run when the run
# is a ctest entry (scripts/wine-session.sh removes them all at its end).
temp=${TARNVEL_TEST_ENTRY:-run-$$}
mkdir -p "$WINEPREFIX/drive_c/tarnvel-temp/$temp"
export TARNVEL_TEST_TEMP="C:\\tarnvel-temp\\$temp"
# The program writes the name of each test as it begins.
begun=$(mktemp)
outputs=$(mktemp -d)
trap 'rm -rf "$begun" "$outputs"; [ -n "${TARNVEL_TEST_ENTRY:-}" ] || rm -rf "$WINEPREFIX/drive_c/tarnvel-temp/$temp"' EXIT
export TARNVEL_TEST_LOG="Z:${begun//\//\\}"

# Runs the program with ARGS; its output reaches ours through files, shown as they grow, until the
# program ends. A process it started and left running holds what it inherited: wine's desktop, made
# for the first program that needs it, takes that program's standard error and lives on, and
# would hold our caller (a ctest entry) waiting for it.
run() {
  local out err program code=0
  out=$(mktemp -p "$outputs")
  err=$(mktemp -p "$outputs")
  wine "$exe" "$@" >"$out" 2>"$err" &
  program=$!
  tail -n +1 -s 0.2 -f --pid="$program" "$out" &
  tail -n +1 -s 0.2 -f --pid="$program" "$err" >&2
  wait "$program" || code=$?
  wait
  return "$code"
}

status=0
run "$@" || status=$?
# 0 and 1 are the test framework's verdicts; a program that began no test has none to skip.
[ "$status" -gt 1 ] && [ -s "$begun" ] || exit "$status"

# Ended by the watchdog or a crash: the tests this run was to run (its filter and shard) that had
# not begun run in a program of their own, as often as that takes.
wine "$exe" "$@" --gtest_list_tests >"$outputs/list" 2>/dev/null || true
listed=$(tr -d '\r' <"$outputs/list" |
  awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }' | grep -v -E '(^|\.)DISABLED_' || true)
# The list is every shard's: gtest deals the tests out to the shards in turn.
if [ -n "${GTEST_TOTAL_SHARDS:-}" ]; then
  listed=$(awk -v shards="$GTEST_TOTAL_SHARDS" -v shard="$GTEST_SHARD_INDEX" '(NR - 1) % shards == shard' <<<"$listed")
fi
unset GTEST_TOTAL_SHARDS GTEST_SHARD_INDEX
code=$status
while [ "$code" -gt 1 ]; do
  rest=$(grep -vxF -f "$begun" <<<"$listed" || true)
  [ -n "$rest" ] || break
  before=$(wc -l <"$begun")
  echo "wine-test: the program ended in or after $(tail -n 1 "$begun"); the $(wc -l <<<"$rest") tests" \
    "that had not begun run in a new one" >&2
  code=0
  run "$@" "--gtest_filter=$(paste -sd: <<<"$rest")" || code=$?
  [ "$(wc -l <"$begun")" -gt "$before" ] || break
done
exit "$status"
