#!/bin/bash
# Traces the real game's GL calls for a couple of seconds on the start screen
# and checks every frame's work: 600 floor, 600 ceiling, 40 wall, 104 ring,
# 3 snake and 1 food draw, one full-screen quad, one draw per character of the
# texts, and no uploads or shader compiles after start-up.
# usage: draw-calls.sh <coilrun binary> <folder holding data/>
set -euo pipefail
binary=$1
cd "$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

apitrace trace -o "$dir/game.trace" "$binary" >"$dir/stdout" 2>"$dir/stderr" &
game=$!
# Polled: one --sync search can give up at once when a window comes or goes.
for _ in $(seq 200); do xdotool search --name '^Coilrun$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 2
xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
wait "$game"

texts="Coilrun0Press LEFT, RIGHT or UP to start!"
apitrace dump --call-nos=no --arg-names=no "$dir/game.trace" | awk -v chars=${#texts} '
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
    }'
