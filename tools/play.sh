#!/bin/bash
# Installs what is missing, builds, and starts the game from the folder that
# holds data/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" play
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "coilrun: no display to open a window on (DISPLAY is not set); run this from a desktop session, or headless with: xvfb-run -a tools/play.sh" >&2
    exit 1
fi
cd "$root"
exec ./build/coilrun
