#!/usr/bin/env bash
# End to end on the real executable under Xvfb:
#  1. without libdsengine.so beside it (and no library path), checkgrid shows
#     the "Application Error" box and no window; OK ends it with exit code 1;
#  2. with the engine, the window "Form1" opens at 201,206 with 574 x 438, and
#     a close request ends the program with exit code 0.
# Usage: real_program_test.sh CHECKGRID SEND_CLOSE_REQUEST
set -u
exe=$1
closer=$2
for tool in xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed: skipped"
        exit 77
    fi
done
unset QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/checkgrid"

xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$work/checkgrid" "$exe" "$closer" <<'INNER'
set -u
alone=$1 exe=$2 closer=$3
fail() { echo "FAILED: $*"; exit 1; }

# Waits up to ten seconds for a window titled exactly $1 and prints its id.
wait_for_window() {
    for _ in $(seq 100); do
        if id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

env -u LD_LIBRARY_PATH "$alone" & pid=$!
box=$(wait_for_window "Application Error") || fail "no Application Error box"
if xdotool search --name "^Form1\$" >/dev/null 2>&1; then
    fail "a window was shown although start-up failed"
fi
xdotool windowfocus --sync "$box"
xdotool key Return
wait "$pid"; code=$?
[ "$code" -eq 1 ] || fail "exit code $code after a start-up failure, expected 1"
echo "engine missing: Application Error box, exit code 1"

"$exe" & pid=$!
form=$(wait_for_window "Form1") || fail "the window did not open"
sleep 0.3
geometry=$(xdotool getwindowgeometry "$form")
echo "$geometry" | grep -q "Position: 201,206" || fail "window not at 201,206: $geometry"
echo "$geometry" | grep -q "Geometry: 574x438" || fail "window not 574 x 438: $geometry"
"$closer" "$form"
wait "$pid"; code=$?
[ "$code" -eq 0 ] || fail "exit code $code after closing the window, expected 0"
echo "normal start: Form1 at 201,206, 574 x 438; closed with exit code 0"
INNER
