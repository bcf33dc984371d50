#!/bin/bash
# Traces the real game's GL calls with apitrace, twice: once on the start
# screen, once through a game that Left runs into the board's edge. Every frame of the
# first run must make 600 floor, 600 ceiling, 40 wall, 104 ring, 3 snake and 1
# food draw, one full-screen quad and one draw per character of the texts, with
# no uploads or shader compiles after start-up; then frame_calls_tests holds
# the waiting and the game-over frames to the whole designed call sequence.
# usage: draw-calls.sh <coilrun binary> <folder holding data/> <frame_calls_tests binary>
set -euo pipefail
binary=$1
source=$2
checker=$3
cd "$source"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Every wait is for something the game shows, with a deadline: under apitrace
# on a loaded machine it may draw only a few frames a second.
deadline=60 # seconds

# frames STDOUT: frames drawn so far, at least: the sum of the frame-rate lines.
frames() { awk '/^[0-9]+$/ { n += $1 } END { print n + 0 }' "$1"; }
lines() { grep -cE '^[0-9]+$' "$1" || true; }

# waitFor WHAT PID COMMAND...: polls COMMAND until it succeeds; fails loudly
# when the game (PID) has exited or after the deadline.
waitFor() {
    local what=$1 pid=$2
    shift 2
    local end=$((SECONDS + deadline))
    until "$@"; do
        kill -0 "$pid" 2>/dev/null || { echo "FAIL the game exited while waiting for $what" >&2; return 1; }
        [ "$SECONDS" -lt "$end" ] || { echo "FAIL no $what after ${deadline} s" >&2; return 1; }
        sleep 0.1
    done
}
windowShown() { xdotool search --name '^Coilrun$' >/dev/null 2>&1; }
# framesSince STDOUT LINES FRAMES: at least 2 more frame-rate lines than LINES
# (whole frames ran after the mark) and at least 40 more frames than FRAMES.
framesSince() { [ "$(lines "$1")" -ge $(($2 + 2)) ] && [ "$(frames "$1")" -ge $(($3 + 40)) ]; }

# usage: trace NAME [KEY]: plays at least 40 frames, KEY held through them,
# then holds Escape until the game exits.
trace() {
    local out="$dir/$1.stdout"
    apitrace trace -o "$dir/$1.trace" "$binary" >"$out" 2>"$dir/$1.stderr" &
    local game=$!
    waitFor "game window" "$game" windowShown
    waitFor "frame-rate line" "$game" framesSince "$out" -1 -40
    [ -n "${2:-}" ] && xdotool keydown "$2"
    waitFor "40 frames" "$game" framesSince "$out" "$(lines "$out")" "$(frames "$out")"
    [ -n "${2:-}" ] && xdotool keyup "$2"
    xdotool keydown Escape
    local end=$((SECONDS + deadline))
    while kill -0 "$game" 2>/dev/null && [ "$SECONDS" -lt "$end" ]; do sleep 0.1; done
    xdotool keyup Escape
    wait "$game" || { echo "FAIL the traced game did not exit cleanly on Escape" >&2; cat "$dir/$1.stderr" >&2; return 1; }
    apitrace dump --call-nos=no --arg-names=no "$dir/$1.trace" >"$dir/$1.dump"
}

trace waiting
trace over Left

texts="Coilrun0Press LEFT, RIGHT or UP to start!"
awk -v chars=${#texts} '
    /^glXSwapBuffers/ {
        # GLFW swaps once when it makes the window; game frames come after it.
        if (swaps++ > 0) {
            frames++
            if (elements != 1348 || arrays != 1 + chars || uploads != 0) {
                printf "frame %d: %d indexed draws (want 1348), %d array draws (want %d), %d uploads or compiles\n",
                       frames, elements, arrays, 1 + chars, uploads
                bad++
            }
        }
        elements = arrays = uploads = 0
        next
    }
    /^glDrawElements\(/ { elements++ }
    /^glDrawArrays\(/ { arrays++ }
    /^gl(BufferData|BufferSubData|TexImage2D|TexSubImage2D|CompileShader|LinkProgram)\(/ { if (swaps > 1) uploads++ }
    END {
        if (frames < 10) { print "only " frames " frames traced"; exit 1 }
        if (bad) exit 1
        print frames " frames, each with 1348 indexed draws and " 1 + chars " array draws, nothing uploaded"
    }' "$dir/waiting.dump"

"$checker" "$dir/waiting.dump" "$dir/over.dump" "$source"
