#!/bin/bash
# Runs a command against a private Xvfb server, so tests that open windows or
# send key presses never share a display. Xvfb picks a free display number.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# -noreset: by default the server resets whenever its last client leaves, and
# refuses connections while it does; tests connect and disconnect all the time.
Xvfb -displayfd 3 -noreset -screen 0 800x600x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$dir/xvfb.log" >&2; echo "with-display: Xvfb failed to start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$dir/display" ] || { echo "with-display: Xvfb gave no display" >&2; kill "$xvfb"; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
