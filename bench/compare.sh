#!/bin/bash
# Frame rates of an earlier commit against the working tree, measured in turn
# on one display in one run: the only fair comparison on a machine whose other
# load comes and goes. The earlier commit is built once in build/compare-SHA.
#
#   bench/compare.sh COMMIT [rounds] [frames per state]
#
# Each round runs both trees' frame benchmarks (waiting, playing, game over)
# and both games on the start screen for a few seconds, reading the frame-rate
# lines the game prints; the table gives the median over the rounds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse --verify "${1:?usage: bench/compare.sh COMMIT [rounds] [frames]}^{commit}")
rounds=${2:-3}
frames=${3:-200}
before="$root/build/compare-${commit:0:12}"

"$root/tools/setup.sh" test >/dev/null
if [ ! -x "$before/build/bench/frame_bench" ]; then
    echo "Building ${commit:0:12} in $before"
    rm -rf "$before"
    mkdir -p "$before/src"
    git -C "$root" archive "$commit" | tar -x -C "$before/src"
    cmake -S "$before/src" -B "$before/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILRUN_TESTS=OFF \
        -DCOILRUN_BENCH=ON >/dev/null
    cmake --build "$before/build" --target coilrun frame_bench >/dev/null
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# usage: measure NAME SOURCE-DIR BUILD-DIR ROUND
measure() {
    (cd "$2" && "$3/bench/frame_bench" "$frames" >"$out/$1.bench.$4")
    # The game's own frame-rate lines on the start screen; the first one
    # includes the start-up, so it is dropped.
    (cd "$2" && exec "$3/coilrun" >"$out/$1.game.$4" 2>/dev/null) &
    local game=$!
    sleep 6
    xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
    wait "$game"
}

export -f measure
export out frames
script=$(cat <<SCRIPT
for r in \$(seq $rounds); do
    measure before "$before/src" "$before/build" \$r
    measure after "$root" "$root/build" \$r
done
SCRIPT
)
cd "$root"
tests/with-display.sh bash -c "$script"

# The fps column of a state's first row (the benchmark may print a state
# twice); "game over" is two words.
fps() { awk -v s="$1" '$0 ~ "^"s" " { print (s == "game over" ? $6 : $5); exit }' "$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

grep -m1 '^cpu:' "$out/after.bench.1"
grep -m1 '^gl:' "$out/after.bench.1"
echo "before: ${commit:0:12}, after: working tree ($(git rev-parse --short HEAD)$(git diff --quiet HEAD || echo ', modified')); $rounds rounds, medians"
printf '%-28s %10s %10s %8s\n' "state" "before fps" "after fps" "after/before"
for state in waiting playing "game over"; do
    b=$(for r in $(seq "$rounds"); do fps "$state" "$out/before.bench.$r"; done | median)
    a=$(for r in $(seq "$rounds"); do fps "$state" "$out/after.bench.$r"; done | median)
    printf '%-28s %10.1f %10.1f %8.2f\n' "$state (frame benchmark)" "$b" "$a" "$(awk -v a="$a" -v b="$b" 'BEGIN { print a / b }')"
done
b=$(for r in $(seq "$rounds"); do tail -n +2 "$out/before.game.$r"; done | median)
a=$(for r in $(seq "$rounds"); do tail -n +2 "$out/after.game.$r"; done | median)
printf '%-28s %10.1f %10.1f %8.2f\n' "waiting (game's own line)" "$b" "$a" "$(awk -v a="$a" -v b="$b" 'BEGIN { print a / b }')"
