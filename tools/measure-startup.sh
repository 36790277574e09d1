#!/usr/bin/env bash
# Start-up time of checkgrid beside a bare Qt window with one label: from the
# process start to its window being mapped on the display, both measured in
# the same Xvfb session, alternating, ROUNDS times each (default 15).
# Usage: tools/measure-startup.sh [BUILD] [ROUNDS]
set -euo pipefail
build=${1:-build}
rounds=${2:-15}
bin="$build/bin"
for program in checkgrid bare-label-window time-to-window; do
    if [ ! -x "$bin/$program" ]; then
        echo "$bin/$program is missing: cmake --build $build --target $program" >&2
        exit 1
    fi
done
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$bin" "$rounds" <<'INNER'
set -euo pipefail
bin=$1 rounds=$2
summary() {
    sort -n | awk -v name="$1" '{ v[NR] = $1 } END {
        printf "%-18s median %7.1f ms   min %7.1f ms   max %7.1f ms   (%d runs)\n",
               name, v[int((NR + 1) / 2)], v[1], v[NR], NR }'
}
# One run of each first, not counted: the file cache is warm for both.
"$bin/time-to-window" Form1 "$bin/checkgrid" >/dev/null 2>&1
"$bin/time-to-window" Bare "$bin/bare-label-window" >/dev/null 2>&1
: >/tmp/startup-checkgrid.$$
: >/tmp/startup-bare.$$
for _ in $(seq "$rounds"); do
    "$bin/time-to-window" Form1 "$bin/checkgrid" 2>/dev/null >>/tmp/startup-checkgrid.$$
    "$bin/time-to-window" Bare "$bin/bare-label-window" 2>/dev/null >>/tmp/startup-bare.$$
done
summary checkgrid </tmp/startup-checkgrid.$$
summary "bare label window" </tmp/startup-bare.$$
rm -f /tmp/startup-checkgrid.$$ /tmp/startup-bare.$$
INNER
