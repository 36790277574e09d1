#!/usr/bin/env bash
# Starts the window. Without a display it runs under Xvfb, saves a screenshot
# of the window, closes it and says where the picture is.
set -euo pipefail
build=${1:-build}
exe="$build/bin/checkgrid"
if [ ! -x "$exe" ]; then
    echo "$exe is missing: build first (make run does)." >&2
    exit 1
fi
if [ -n "${DISPLAY:-}" ]; then
    exec "$exe"
fi
for tool in xvfb-run xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "No display found, and $tool is not installed to show the window without one." >&2
        exit 1
    fi
done
echo "No display found: running the window under Xvfb to take a screenshot."
shot="$build/checkgrid.png"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$exe" "$shot" "$build/bin/send-close-request" <<'INNER'
set -u
exe=$1 shot=$2 closer=$3
"$exe" & pid=$!
window=
for _ in $(seq 100); do
    window=$(xdotool search --name '^Form1$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "The window did not open." >&2
    kill "$pid" 2>/dev/null
    wait "$pid"
    exit 1
fi
sleep 0.5  # the first paint
import -window "$window" "$shot"
# Closed as a window manager's close button does; killed where the helper is not built.
if [ -x "$closer" ]; then
    "$closer" "$window"
else
    kill "$pid"
fi
wait "$pid" || true
INNER
echo "Screenshot saved to $shot"
