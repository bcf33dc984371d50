#!/bin/bash
# The Release build's whole test suite, run several times while busy loops
# keep every core loaded, as on a loaded CI machine: a test that waits for a
# time instead of a state fails here first. The loops are stopped however the
# script ends.
# usage: tests/under-load.sh [ROUNDS]   (3 by default; after tools/test.sh has built build/)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
[ -f "$root/build/CTestTestfile.cmake" ] || { echo "under-load: build/ has no tests; run tools/test.sh first" >&2; exit 2; }

loops=()
stop() { [ ${#loops[@]} -eq 0 ] || kill "${loops[@]}" 2>/dev/null; wait 2>/dev/null; }
trap stop EXIT
for _ in $(seq "$(nproc)"); do
    (while :; do :; done) &
    loops+=($!)
done

failed=0
for round in $(seq "$rounds"); do
    echo "== round $round of $rounds, with ${#loops[@]} busy loops on $(nproc) cores"
    start=$SECONDS
    if (cd "$root/build" && ctest -j2 --output-on-failure); then
        echo "== round $round passed in $((SECONDS - start)) s"
    else
        echo "== round $round FAILED after $((SECONDS - start)) s"
        failed=$((failed + 1))
    fi
done
echo "== $((rounds - failed)) of $rounds rounds passed under load"
[ "$failed" -eq 0 ]
