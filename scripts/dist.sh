#!/usr/bin/env bash
# Packs the release: build/dist/Tarnvel-1.0-win32.zip with Tarnvel.exe, README.txt and LICENSE.txt.
# The two texts get CRLF line ends: Notepad on Windows 95 to XP shows a file of bare LFs as one line.
# usage: dist.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
exe=$build/win32/Tarnvel.exe
[ -f "$exe" ] || { echo "dist: $exe is missing; run make first" >&2; exit 1; }

# The program must stay a 32-bit, self-contained file: only system DLLs may be imported.
file_format=$(i686-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
[ "$file_format" = pei-i386 ] || { echo "dist: $exe is $file_format, not PE32" >&2; exit 1; }
others=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' |
  grep -viE '^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|shlwapi|msvcrt|version)\.dll$' || true)
[ -z "$others" ] || { echo "dist: $exe imports non-system DLLs: $others" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/"
sed 's/$/\r/' "$root/dist/README.txt" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
mkdir -p "$build/dist"
zip_file=$build/dist/Tarnvel-1.0-win32.zip
rm -f "$zip_file"
(cd "$stage" && zip -q -X "$zip_file" Tarnvel.exe README.txt LICENSE.txt)
echo "dist: $zip_file"
