#!/usr/bin/env bash
# Fails when a Windows program holds an instruction that a 486 does not execute (cmov, fcomi,
# rdtsc, cmpxchg8b, MMX, SSE, the long NOP and the like): Windows 95, 98 and NT 4.0 ran on 486s,
# Pentiums and K5/K6s, where such an instruction stops the program with an illegal instruction.
# Names each one found and how often.
# usage: check-486.sh PROGRAM.exe LIST MAP
#   LIST: the mnemonics a 486 executes, as objdump spells them in Intel syntax; # starts a comment.
#   MAP: the linker's map of PROGRAM.exe. The code section ends in data (mingw-w64's tables of
#   static constructors and destructors, then C++ exception tables), which a program without
#   symbols does not mark: the code ends where the map puts the constructor table.
set -euo pipefail
exe=$1
list=$2
map=$3
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

code_end=$(awk '$2 == "___CTOR_LIST__" && $3 == "=" {print $1; exit}' "$map")
[ -n "$code_end" ] || { echo "no ___CTOR_LIST__ in $map (the linker's map format changed?)"; exit 1; }
allowed=$(sed 's/#.*//' "$list" | tr -s ' \t' '\n\n' | grep . | tr '\n' ' ')
# Disassembled past that point, the tables' bytes read as arbitrary instructions (cmov, SSE...).
read -r text_size text_vma < <("$objdump" -h "$exe" | awk '$2 == ".text" {print $3, $4}')
text_end=$(printf '0x%x' $((16#$text_vma + 16#$text_size)))
echo "code: up to $code_end; the rest of .text (to $text_end) is data, not read as instructions"
"$objdump" -d --no-show-raw-insn -M intel --stop-address="$code_end" "$exe" | awk -v allowed="$allowed" '
BEGIN {
  n = split(allowed, words, " ")
  for (i = 1; i <= n; i++) ok[words[i]] = 1
  split("rep repz repe repnz repne lock data16 addr16 cs ds es fs gs ss", p, " ")
  for (i in p) prefix[p[i]] = 1
}
/^ +[0-9a-f]+:\t/ {
  text = $0
  sub(/^ +[0-9a-f]+:\t/, "", text)
  count = split(text, w, /[ \t]+/)
  i = 1
  while (i <= count && (w[i] in prefix)) i++
  if (i > count) next
  name = w[i]
  # The one-byte NOP is everywhere; the NOP with an operand (0F 1F) came with the Pentium Pro.
  if (name == "nop" && i < count && w[i + 1] != "") name = "nop (with an operand)"
  total++
  if (!(name in ok)) { bad[name]++; badTotal++ }
}
END {
  if (total < 1000) { print "only " total + 0 " instructions read (objdump'"'"'s format changed?)"; exit 1 }
  for (name in bad) printf "  %-24s %d\n", name, bad[name] | "sort -k1,1"
  close("sort -k1,1")
  printf "%d instructions read; %d that a 486 lacks\n", total, badTotal
  exit badTotal > 0
}'
