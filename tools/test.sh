#!/bin/bash
# Installs what is missing, builds, and runs every test. Tests that need a
# display start a private Xvfb of their own, so no display is required.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
cd "$root/build"
ctest --output-on-failure -j2 --timeout 300
