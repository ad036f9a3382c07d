#!/usr/bin/env bash
# Fails when a Windows program imports a function that is not on the list of functions that every
# Windows it is for exports, or when its header asks for an OS or subsystem version above 4.0:
# Windows 95 and NT 4.0 refuse to start such a program before any of its code runs.
# usage: check-imports.sh PROGRAM.exe LIST
#   LIST: one "DLL FUNCTION ..." a line (the rest says where it was confirmed); # starts a comment.
set -euo pipefail
exe=$1
list=$2
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$exe")

status=0
for field in MajorOSystemVersion MinorOSystemVersion MajorSubsystemVersion MinorSubsystemVersion; do
  want=0
  case $field in Major*) want=4 ;; esac
  got=$(awk -v f="$field" '$1 == f {print $2}' <<<"$headers")
  if [ "$got" != "$want" ]; then
    echo "header: $field is '${got:-missing}', want $want"
    status=1
  fi
done

imports=$(awk '/DLL Name:/ {dll = toupper($3); next}
  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ {print dll, $3}
  /^$/ {dll = ""}' <<<"$headers" | sort -u)
count=$(grep -c . <<<"$imports" || true)
if ! grep -q '^KERNEL32.DLL ' <<<"$imports"; then
  echo "no imports read from $exe (objdump's format changed?)"
  exit 1
fi
allowed=$(sed 's/#.*//' "$list" | awk 'NF >= 2 {print toupper($1), $2}' | sort -u)
unlisted=$(comm -23 <(echo "$imports") <(echo "$allowed"))
if [ -n "$unlisted" ]; then
  echo "imports not on $(basename "$list"):"
  sed 's/^/  /' <<<"$unlisted"
  status=1
fi
echo "$count imports read; $(grep -c . <<<"$unlisted" || true) not on the list"
exit "$status"
