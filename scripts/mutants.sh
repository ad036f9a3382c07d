#!/usr/bin/env bash
# Puts the slips of tests/mutants.txt into a scratch copy of the tree one at a time, runs the tests
# on each, and says which slips the tests caught: "caught N of M", and the survivors by name.
# usage: mutants.sh [--check] [NUMBER...]
#   NUMBER: the slips to try, by their place in the list (all by default); --check only checks that
#   each slip's text is found once, and tries none.
# The copy, with its own build, libtiff and wine prefix, is kept in build/mutants/ between runs, so
# that a slip rebuilds only what it touches. The unchanged copy must pass its tests first. A slip's
# tests run its own folder's entries first and, if those pass, the others: every entry runs before
# a slip is called a survivor, and the first failure ends its run. A failure counts only when it
# comes again: wine itself now and then crashes or hangs on its way out of a program.
# Exit status: 0 when at least 90 % of the slips tried are caught and every one of them built;
# 1 otherwise; 2 when the list is wrong (a slip's text not found exactly once in its file).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=${MUTANTS_LIST:-$root/tests/mutants.txt}
work=$root/build/mutants
tree=$work/tree
logs=$work/logs

# The list: stanzas of "file:", "text:", "into:", "sees:" and, for a slip no test can see,
# "unseen:", each on one line; blank lines and lines starting with # between them.
files=() texts=() intos=() sees=() unseen=()
n=-1
lineno=0
while IFS= read -r line || [ -n "$line" ]; do
  lineno=$((lineno + 1))
  case $line in
  '' | '#'*) continue ;;
  'file: '*)
    n=$((n + 1))
    files[n]=${line#file: } texts[n]='' intos[n]='' sees[n]='' unseen[n]='' keys=' '
    continue
    ;;
  esac
  if [ "$n" -lt 0 ]; then
    echo "mutants: $list:$lineno: a slip starts with its file: line" >&2
    exit 2
  fi
  key=${line%%:*}
  if [[ $keys == *" $key "* ]]; then
    echo "mutants: $list:$lineno: a second $key: line in one slip" >&2
    exit 2
  fi
  keys+="$key "
  case $line in
  'text: '*) texts[n]=${line#text: } ;;
  'into:'*) value=${line#into:} && intos[n]=${value# } ;;
  'sees: '*) sees[n]=${line#sees: } ;;
  'unseen: '*) unseen[n]=${line#unseen: } ;;
  *)
    echo "mutants: $list:$lineno: not a line of a slip: $line" >&2
    exit 2
    ;;
  esac
done <"$list"
count=$((n + 1))

check_only=0
if [ "${1:-}" = --check ]; then
  check_only=1
  shift
fi
chosen=()
if [ $# -gt 0 ]; then
  for number in "$@"; do
    if ! [[ $number =~ ^[0-9]+$ ]] || [ "$number" -lt 1 ] || [ "$number" -gt "$count" ]; then
      echo "mutants: no slip $number (the list has $count)" >&2
      exit 2
    fi
    chosen+=($((number - 1)))
  done
else
  for ((i = 0; i < count; i++)); do chosen+=("$i"); done
fi

# The scratch copy: every file of the clone that git tracks or would track, as it is now. Only files
# whose content changed are written, so that the copy's build stays valid for the rest.
sync_tree() {
  mkdir -p "$tree" "$logs"
  (cd "$root" && git ls-files -z --cached --others --exclude-standard) >"$work/files"
  local f
  while IFS= read -r -d '' f; do
    [ -f "$root/$f" ] || continue
    if ! cmp -s "$root/$f" "$tree/$f"; then
      mkdir -p "$(dirname "$tree/$f")"
      cp "$root/$f" "$tree/$f"
    fi
  done <"$work/files"
  (cd "$tree" && find . -path ./build -prune -o -type f -print0) | while IFS= read -r -d '' f; do
    grep -qzxF -- "${f#./}" "$work/files" || rm -f "$tree/$f"
  done
}

occurrences() { python3 -c 'import sys; print(open(sys.argv[1], encoding="latin-1").read().count(sys.argv[2]))' "$1" "$2"; }

# Puts slip $1 into the copy, keeping the file as it was in $work/original.
apply() {
  local file=$tree/${files[$1]}
  cp "$file" "$work/original"
  python3 - "$file" "${texts[$1]}" "${intos[$1]}" <<'PY'
import sys
path, text, into = sys.argv[1:]
with open(path, encoding="latin-1", newline="") as f:
    content = f.read()
with open(path, "w", encoding="latin-1", newline="") as f:
    f.write(content.replace(text, into, 1))
PY
}

# Writes the file back, newer than anything built from the slip, so that the next build redoes it.
applied=-1
restore() {
  if [ "$applied" -ge 0 ]; then
    cp "$work/original" "$tree/${files[$applied]}"
    applied=-1
  fi
}
trap 'restore' EXIT
trap 'restore; exit 130' INT TERM

# Each make of the copy is its own: nothing of a calling make's settings reaches it.
make_copy() { env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u MAKEOVERRIDES make -C "$tree" "$@"; }

# The ctest entries of a product folder, run first for its slips.
entries_of() {
  case $1 in
  app/*) echo 'win32\.(app|start_up|shipped_program|windows_generation)' ;;
  ui/*) echo 'win32\.(ui|desktop|layout|file_list)' ;;
  convert/*) echo 'win32\.(convert|conversion)' ;;
  tiffcopy/*) echo 'tiffcopy' ;;
  pdfwrite/*) echo 'pdfwrite' ;;
  framework/*) echo 'win32\.framework' ;;
  *) echo '.' ;;
  esac
}

# The entries that failed in the copy's last test run.
failed_entries() {
  local last=$tree/build/native/Testing/Temporary/LastTestsFailed.log
  [ -f "$last" ] && cut -d: -f2 "$last" | paste -sd ' ' || true
}

# Runs the copy's tests into $log, the entries matching $1 first; true when some entry failed and
# failed again when run once more. A failure that does not come again sends all the entries
# through once more, and their verdict stands. Sets $failures to the entries that failed.
tests_fail() {
  if make_copy test CTEST_ARGS="--stop-on-failure -R '$1'" >>"$log" 2>&1 &&
    make_copy test CTEST_ARGS="--stop-on-failure -E '$1'" >>"$log" 2>&1; then
    return 1
  fi
  failures=$(failed_entries)
  make_copy test CTEST_ARGS="--rerun-failed" >>"$log" 2>&1 || return 0
  echo "mutants: $failures failed once and passed when run again: every entry runs again" >>"$log"
  make_copy test CTEST_ARGS="--stop-on-failure" >>"$log" 2>&1 && return 1
  failures="$(failed_entries), after a failure of $failures that did not come again"
  return 0
}

sync_tree
wrong=0
for i in "${chosen[@]}"; do
  name="slip $((i + 1)) (${files[i]})"
  if [ -z "${texts[i]}" ] || [ -z "${sees[i]}" ]; then
    echo "mutants: $name has no text: or no sees: line" >&2
    wrong=1
  elif [ ! -f "$tree/${files[i]}" ]; then
    echo "mutants: $name: no such file" >&2
    wrong=1
  else
    found=$(occurrences "$tree/${files[i]}" "${texts[i]}")
    if [ "$found" != 1 ]; then
      echo "mutants: $name: its text is found $found times, not once: ${texts[i]}" >&2
      wrong=1
    fi
  fi
done
[ "$wrong" -eq 0 ] || exit 2
if [ "$check_only" -eq 1 ]; then
  echo "mutants: the ${#chosen[@]} slips are each found once"
  exit 0
fi

echo "mutants: ${#chosen[@]} slips; the unchanged copy in $tree first"
log=$logs/unchanged.log
: >"$log"
if ! make_copy win32 win32-tests native >>"$log" 2>&1 || tests_fail '.'; then
  echo "mutants: the unchanged copy fails its tests (see $logs/unchanged.log): no slip can be judged" >&2
  tail -n 20 "$logs/unchanged.log" >&2
  exit 1
fi

caught=0
survivors=()
unbuilt=()
for i in "${chosen[@]}"; do
  number=$((i + 1))
  log=$logs/$number.log
  start=$(date +%s)
  apply "$i"
  applied=$i
  if ! make_copy win32 win32-tests native >"$log" 2>&1; then
    verdict="did not build"
    unbuilt+=("$number")
  else
    if tests_fail "$(entries_of "${files[i]}")"; then
      verdict="caught by $failures"
      caught=$((caught + 1))
    else
      verdict="survived"
      survivors+=("$number")
    fi
  fi
  restore
  printf '%3d %-55s %s (%ds)\n' "$number" "${files[i]}: ${texts[i]:0:40}" "$verdict" $(($(date +%s) - start))
done

tried=${#chosen[@]}
echo
echo "caught $caught of $tried ($((caught * 100 / tried)) %)"
for number in "${survivors[@]}"; do
  i=$((number - 1))
  echo "survived: slip $number, ${files[i]}: ${sees[i]}"
  echo "    ${unseen[i]:-no test sees it yet}"
done
for number in "${unbuilt[@]}"; do
  echo "did not build: slip $number, ${files[number - 1]} (see $logs/$number.log): mend the list"
done
[ "${#unbuilt[@]}" -eq 0 ] && [ $((caught * 10)) -ge $((tried * 9)) ]
