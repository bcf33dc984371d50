#!/bin/bash
# Counts the instructions of the frame benchmark's frames under callgrind and
# prints the share spent in the game's own code. Rasterisation runs on the
# main thread (LP_NUM_THREADS=0) so the driver's work is counted too.
# Takes several minutes: llvmpipe under valgrind draws about one frame a second.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
LP_NUM_THREADS=0 tests/with-display.sh valgrind --tool=callgrind --callgrind-out-file="$out/cg.out" \
    --toggle-collect='*frame(*' build/bench/frame_bench 10 >/dev/null 2>"$out/log"
callgrind_annotate --inclusive=no --threshold=100 "$out/cg.out" | awk '
    /PROGRAM TOTALS/ { gsub(",", "", $1); total = $1 }
    /frame_bench\]$/ { gsub(",", "", $1); ours += $1 }
    END { printf "frame instructions: %.0f, in the game'"'"'s own code: %.0f (%.3f%%)\n", total, ours, 100 * ours / total }'
