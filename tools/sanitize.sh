#!/bin/bash
# The sanitizer build in build-sanitize/ (clang; address, undefined and leak
# checks; libFuzzer targets with a short bounded run each) and its tests. The
# tests that time real key presses against the frame rate are left to the
# Release build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitize"
if [ ! -f "$build/build.ninja" ]; then
    CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCOILRUN_SANITIZE=ON -DCOILRUN_BENCH=OFF >/dev/null
fi
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2 -LE e2e
