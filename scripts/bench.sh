#!/usr/bin/env bash
# Runs the benchmarks of the bench build; each section prints its own figures.
# usage: bench.sh BUILD_DIR      (the build tree's root, e.g. build; the bench build is BUILD_DIR/bench)
set -euo pipefail
build=$(cd "$1" && pwd)
status=0

# --- TIFF copier: CopyTiff against a decode-and-re-encode floor over the same libtiff (native) ---
echo "== copier: fax document to Group 4 =="
work=$(mktemp -d)
"$build/bench/tiffcopy_bench" "$work" || status=$?
rm -rf "$work"
if [ "$status" -eq 3 ]; then
  echo "copier: target missed"
fi

exit "$status"
