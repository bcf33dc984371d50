#!/bin/bash
# The browser build: installs the Debian packages that are missing (only
# those), then configures once and builds into build-web/: index.html,
# coilrun.js, coilrun.wasm and coilrun.data, servable by any static file
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
# emscripten needs a Node.js; one that is already there (from Debian or not) will do.
command -v node >/dev/null || packages+=(nodejs)
[ "$mode" = test ] && { command -v npm >/dev/null || packages+=(npm); }
source "$root/tools/packages.sh"
install_missing "${packages[@]}"

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
    # playwright-core, at the version the lock file names, in the build folder.
    if ! cmp -s "$root/tests/web/package-lock.json" "$build/node_modules/.coilrun-package-lock.json"; then
        cp "$root/tests/web/package.json" "$root/tests/web/package-lock.json" "$build/"
        (cd "$build" && npm ci --no-audit --no-fund --loglevel=error)
        cp "$root/tests/web/package-lock.json" "$build/node_modules/.coilrun-package-lock.json"
    fi
    cd "$build"
    ctest --output-on-failure
    ;;
esac
