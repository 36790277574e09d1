#!/usr/bin/env bash
# Makes the README's picture of the window: starts checkgrid under Xvfb, enters
# three records with the keyboard and the mouse as a user would, and saves the
# window (without a window manager: its client area) as docs/checkgrid.png.
# Usage: tools/screenshot-readme.sh [BUILD_FOLDER] [OUTPUT]
set -euo pipefail
build=${1:-build}
out=${2:-docs/checkgrid.png}
exe="$build/bin/checkgrid"
if [ ! -x "$exe" ]; then
    echo "$exe is missing: build first (make build does)." >&2
    exit 1
fi
for tool in xvfb-run xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (make deps installs it)." >&2
        exit 1
    fi
done
mkdir -p "$(dirname "$out")"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -s "$exe" "$out" <<'INNER'
set -u
exe=$1 out=$2
"$exe" & pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null' EXIT
window=
for _ in $(seq 100); do
    window=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Form1$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "The window did not open." >&2
    exit 1
fi
xdotool windowfocus --sync "$window"
# The window's client area starts at its stored place; the controls stand at
# their stored places in it (96 dpi, no window manager, so no frame).
eval "$(xdotool getwindowgeometry --shell "$window")"
at() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }
keys() { xdotool key --delay 60 "$@"; sleep 0.2; }
text() { xdotool type --delay 60 "$1"; sleep 0.2; }

# In the grid, which holds the focus: Insert starts a record (AInt ticked).
keys Insert Right
text "apples"
keys Right space Right space          # ABoolean True, StrShowCheck "aa"
keys Down Home space Right            # a second record, AInt cleared
text "pears"
keys Right space space Right space space   # ABoolean False, StrShowCheck "bb"
keys Down Home Right                  # a third: AInt ticked, the others grey
text "plums"
keys Return
at 316 372                            # the navigator's Post (its eighth button)
keys Up Home                          # back to the second record
sleep 0.5
import -window "$window" "$out"
INNER
echo "Saved $out"
