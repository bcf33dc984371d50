#!/bin/bash
# Traces the real game's GL calls with apitrace, twice: once on the start
# screen, once through a game that Left ends against a wall. Every frame of the
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

hold() { xdotool keydown "$1"; sleep "${2:-0.3}"; xdotool keyup "$1"; }

# usage: trace NAME SECONDS [KEY]: plays for SECONDS, KEY held once at the start.
trace() {
    apitrace trace -o "$dir/$1.trace" "$binary" >"$dir/$1.stdout" 2>"$dir/$1.stderr" &
    local game=$!
    # Polled: one --sync search can give up at once when a window comes or goes.
    for _ in $(seq 200); do xdotool search --name '^Coilrun$' >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 1
    [ -n "${3:-}" ] && hold "$3"
    sleep "$2"
    hold Escape
    wait "$game"
    apitrace dump --call-nos=no --arg-names=no "$dir/$1.trace" >"$dir/$1.dump"
}

trace waiting 1
trace over 3 Left

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
