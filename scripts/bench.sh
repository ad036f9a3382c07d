#!/usr/bin/env bash
# Benchmarks: each section prints its figures and how they compare with their targets.
# usage: bench.sh BUILD_DIR (run on a virtual display: scripts/with-xvfb.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}

# ---- Conversion: 1,000 ticked files through the real dialog and the stand-in converter program ----
# Files per second, the window thread's worst response to a message sent every 50 ms while the
# batch runs (target under 100 ms), and the share of the batch spent outside the renderer and
# the copier (target under 5 %).
echo "== conversion"
bash "$root/scripts/wine-test.sh" "$build/win32/tarnvel_conversion_bench.exe"
# ---- end of conversion ----
