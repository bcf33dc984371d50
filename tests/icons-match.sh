#!/bin/bash
# The committed icons are what the icon tool draws today: a change to the
# tool, the board or the colours without `cmake --build build --target icons`
# fails here.
# usage: icons-match.sh <makeicon> <source folder>
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
for size in 48 64 128 256; do
    committed=$2/packaging/icons/${size}x$size/coilrun.png
    if "$1" "$size" "$dir/$size.png" && cmp -s "$dir/$size.png" "$committed"; then
        echo "ok   $size x $size"
    else
        echo "FAIL $size x $size: $committed is not what makeicon draws"
        failures=$((failures + 1))
    fi
done
exit "$failures"
