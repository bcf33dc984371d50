#!/bin/bash
# Builds and runs the frame benchmark on a private Xvfb, then the
# micro-benchmarks. usage: bench/run.sh [frames per state]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" test >/dev/null
cd "$root"
tests/with-display.sh build/bench/frame_bench "${1:-300}"
echo
build/bench/micro_bench --benchmark_min_time=0.2
