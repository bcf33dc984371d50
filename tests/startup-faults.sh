#!/bin/bash
# Start-up faults: each must end with one clear line on standard error and
# exit status 1, never a crash or a hang, and never a Game.
# usage: startup-faults.sh <coilrun binary> <folder holding data/> <no_gl_version library>
set -u
binary=$1
cd "$2"
noGlVersion=$3
failures=0

# expect NAME PATTERN -- command...: runs it (10 s at most) and checks the outcome.
expect() {
    local name=$1 pattern=$2
    shift 3
    local err status
    err=$(timeout 10 "$@" 2>&1 >/dev/null)
    status=$?
    local last
    last=$(printf '%s\n' "$err" | tail -n 1)
    if [ "$status" -ne 1 ] || ! printf '%s' "$last" | grep -q "$pattern"; then
        echo "FAIL $name: status $status, standard error:"
        printf '%s\n' "$err" | sed 's/^/    /'
        failures=$((failures + 1))
    else
        echo "ok   $name: $last"
    fi
}

expect "no display" "^Coilrun: cannot start the window system .*xvfb-run" -- env -u DISPLAY -u WAYLAND_DISPLAY "$binary"
expect "OpenGL older than 3.2" "^Coilrun: cannot open an 800 by 600 window with an OpenGL 3.2 core context$" -- \
    env MESA_GL_VERSION_OVERRIDE=3.1 "$binary"

expect "loader fails" "^Coilrun: cannot load the OpenGL entry points (.*)$" -- \
    env LD_PRELOAD="$noGlVersion" "$binary"

# A display without GLX, on a private server of its own.
dir=$(mktemp -d)
Xvfb -displayfd 3 -extension GLX -screen 0 800x600x24 -nolisten tcp 3>"$dir/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [ -s "$dir/display" ] && break; sleep 0.05; done
expect "display without GLX" "^Coilrun: cannot open an 800 by 600 window with an OpenGL 3.2 core context$" -- \
    env DISPLAY=":$(head -n1 "$dir/display")" "$binary"
kill "$xvfb"
wait "$xvfb" 2>/dev/null
rm -rf "$dir"

[ "$failures" -eq 0 ] && echo "4 passed, 0 failed" || echo "$((4 - failures)) passed, $failures failed"
exit "$failures"
