#!/usr/bin/env bash
# Builds and runs the benchmarks, then prints one table of ratios, each figure
# against a baseline measured in the same run (see docs/performance.md).
# Usage: tools/run-bench.sh [build folder] [extra benchmark options]
set -euo pipefail
build=${1:-build}
shift || true
cmake --build "$build" -j2 --target checkgrid_bench
# The widget figures paint off screen: no display is needed.
export QT_QPA_PLATFORM=offscreen
# Three repetitions of each benchmark; the table takes their medians.
"$build/bin/checkgrid_bench" --benchmark_min_time=0.1 --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true "$@"
