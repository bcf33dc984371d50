#!/bin/bash
# The browser build: installs the Debian packages that are missing (only
# those) and the npm packages at the versions tools/npm/package-lock.json
# names (into build-web/node_modules), then configures once and builds into
# build-web/: index.html, coilrun.js, coilrun.wasm, coilrun.data, the manifest
# with its icons and the service worker sw.js, servable by any static file
# server. Safe to rerun: a second run installs and rebuilds nothing.
# usage: web.sh          build
#        web.sh serve    build, then serve it on http://127.0.0.1:8080/ (PORT=... to change)
#        web.sh test     build, then run the browser test in headless Chromium
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-web"
mode="${1:-build}"
case "$mode" in build | serve | test) ;; *) echo "usage: $0 [serve|test]" >&2; exit 2 ;; esac

packages=(cmake ninja-build emscripten libstb-dev)
[ "$mode" = test ] && packages+=(chromium)
# emscripten and the service worker's generator need a Node.js and npm; ones
# that are already there (from Debian or not) will do.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
source "$root/tools/packages.sh"
install_missing "${packages[@]}"

# workbox-build (the build writes the service worker with it) and
# playwright-core (the test drives Chromium with it), into the build folder.
mkdir -p "$build"
if ! cmp -s "$root/tools/npm/package-lock.json" "$build/node_modules/.coilrun-package-lock.json"; then
    cp "$root/tools/npm/package.json" "$root/tools/npm/package-lock.json" "$build/"
    (cd "$build" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$root/tools/npm/package-lock.json" "$build/node_modules/.coilrun-package-lock.json"
fi

# Debian's emscripten brings its system libraries prebuilt (a frozen cache
# under /usr/share/emscripten), so nothing of them is built here.
if [ ! -f "$build/build.ninja" ]; then
    emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2

case "$mode" in
serve)
    exec node "$root/tools/web-server.js" "$build" "${PORT:-8080}"
    ;;
test)
    cd "$build"
    ctest --output-on-failure
    ;;
esac
