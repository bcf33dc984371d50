#!/bin/bash
# Installs what is missing, builds, and runs every test: first the Release
# build, then the browser build in headless Chromium (tools/web.sh test), then
# the sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer, with clang) for the rules, loader, bad-data, soak and fuzz
# tests. Tests that need a display start a private Xvfb of their own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" test
echo "== Release build"
(cd "$root/build" && ctest --output-on-failure -j2 -E bad_data_tests)

echo "== Browser build"
"$root/tools/web.sh" test

echo "== Sanitizer build"
"$root/tools/sanitize.sh"
