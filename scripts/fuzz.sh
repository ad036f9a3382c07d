#!/usr/bin/env bash
# Runs the copier's and PDF writer's libFuzzer target for a bounded time from the build's seed
# corpus, then every input once more with each PDF written checked by qpdf.
# usage: fuzz.sh FUZZ_BUILD_DIR [SECONDS]     (default 600 s)
# The corpus grows in FUZZ_BUILD_DIR/corpus; crashing inputs land in FUZZ_BUILD_DIR/artifacts.
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-600}
fuzzer="$build/tiffcopy_fuzzer"
seeds="$build/fuzz/seeds"
corpus="$build/corpus"
artifacts="$build/artifacts"
mkdir -p "$corpus" "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "fuzz: tiffcopy_fuzzer for ${seconds} s (seeds: $(ls "$seeds"/*.tif | wc -l) files, corpus: $(ls "$corpus" | wc -l) files)"
set +e
TMPDIR="$work" "$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 -print_final_stats=1 \
  -artifact_prefix="$artifacts/" "$corpus" "$seeds" >"$build/fuzz.log" 2>&1
status=$?
set -e
grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|stat::new_units_added)|^==[0-9]+==ERROR|SUMMARY|^artifact_prefix|Test unit written" \
  "$build/fuzz.log" || true
if [ "$status" -ne 0 ]; then
  echo "fuzz: FAILED (exit $status), see $build/fuzz.log and $artifacts" >&2
  exit "$status"
fi

# Every PDF the inputs make must also pass qpdf's check: each input once more, with the check on.
echo "fuzz: every input once more, each PDF written checked by qpdf --check"
if ! find "$corpus" "$seeds" -type f -print0 |
  TARNVEL_FUZZ_QPDF=1 TMPDIR="$work" xargs -0 "$fuzzer" -timeout=30 >"$build/fuzz-qpdf.log" 2>&1; then
  echo "fuzz: FAILED: a PDF fails qpdf --check, or a run crashed, see $build/fuzz-qpdf.log" >&2
  exit 1
fi
echo "fuzz: clean"
