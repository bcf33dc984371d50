#!/bin/bash
# Shared by play.sh and test.sh: installs the Debian packages that are missing
# (only those), then configures once and builds in Release. Safe to rerun: a
# second run installs and rebuilds nothing.
# usage: setup.sh play|test
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

# dpkg-dev: dpkg-shlibdeps, which gives the Debian package its dependencies.
packages=(cmake ninja-build g++ libglfw3-dev libglew-dev libstb-dev libgl1-mesa-dri dpkg-dev)
if [ "${1:-play}" = test ]; then
    # Tests, benchmarks, the sanitizer build and the fuzzers; the checkers of
    # the package's contents.
    packages+=(libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick apitrace
               clang libclang-rt-14-dev lintian desktop-file-utils appstream man-db)
fi

source "$root/tools/packages.sh"
install_missing "${packages[@]}"

if [ ! -f "$build/build.ninja" ]; then
    tests=OFF
    [ "${1:-play}" = test ] && tests=ON
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILRUN_TESTS=$tests -DCOILRUN_BENCH=$tests >/dev/null
elif [ "${1:-play}" = test ] && ! grep -q "^COILRUN_TESTS:BOOL=ON" "$build/CMakeCache.txt"; then
    # Made by play.sh, without tests: switch them on.
    cmake -S "$root" -B "$build" -DCOILRUN_TESTS=ON -DCOILRUN_BENCH=ON >/dev/null
fi
cmake --build "$build"
