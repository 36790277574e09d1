#!/usr/bin/env bash
# Starts the window. Without a display it runs under Xvfb, saves a screenshot
# and says where the picture is.
set -euo pipefail
build=${1:-build}
exe="$build/bin/checkgrid"
if [ ! -x "$exe" ]; then
    echo "Everything is built; the window comes with a later change."
    exit 0
fi
if [ -n "${DISPLAY:-}" ]; then
    exec "$exe"
fi
echo "No display found: running the window under Xvfb to take a screenshot."
shot="$build/checkgrid.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$0" & pid=$!
    for _ in $(seq 50); do
        xdotool search --name "^Form1$" >/dev/null 2>&1 && break
        sleep 0.1
    done
    sleep 0.5
    import -window root "$1"
    kill $pid; wait $pid 2>/dev/null || true
' "$exe" "$shot"
echo "Screenshot saved to $shot"
