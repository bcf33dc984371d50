#!/bin/bash
# Frames drawn and frames shown per second in headless Chromium, an earlier
# commit's web build against the working tree's, alternated in one run: under
# SwiftShader (Chromium's software WebGL), then under ANGLE on Mesa's llvmpipe
# on a private Xvfb. The earlier commit is built once in build-web/compare-SHA.
#
#   bench/web-pacing.sh COMMIT [rounds] [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse --verify "${1:?usage: bench/web-pacing.sh COMMIT [rounds] [seconds]}^{commit}")
rounds=${2:-3}
seconds=${3:-6}
before="$root/build-web/compare-${commit:0:12}"

source "$root/tools/packages.sh"
install_missing chromium xvfb
"$root/tools/web.sh" >/dev/null # the working tree's build and the npm packages
if [ ! -f "$before/build/coilrun.wasm" ]; then
    echo "Building ${commit:0:12} in $before"
    rm -rf "$before"
    mkdir -p "$before/src"
    git -C "$root" archive "$commit" | tar -x -C "$before/src"
    emcmake cmake -S "$before/src" -B "$before/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILRUN_TESTS=OFF >/dev/null
    cmake --build "$before/build" -j2 --target coilrun >/dev/null
fi

echo "before: ${commit:0:12}, after: working tree ($(git -C "$root" rev-parse --short HEAD)$(git -C "$root" diff --quiet HEAD || echo ', modified'))"
echo "$(emcc --version | head -n1); Mesa $(dpkg-query -W -f='${Version}' libgl1-mesa-dri)"
common=(--headless=new --no-sandbox --disable-background-networking --disable-component-update --disable-sync
        --no-first-run --disable-quic)
export NODE_PATH="$root/build-web/node_modules"
echo "== SwiftShader"
node "$root/bench/web-pacing.js" "$before/build" "$root/build-web" "$rounds" "$seconds" \
    "${common[@]}" --use-angle=swiftshader --enable-unsafe-swiftshader
echo "== ANGLE on OpenGL (Mesa llvmpipe, Xvfb)"
"$root/tests/with-display.sh" node "$root/bench/web-pacing.js" "$before/build" "$root/build-web" "$rounds" "$seconds" \
    "${common[@]}" --use-angle=gl --ignore-gpu-blocklist
