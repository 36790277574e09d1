#!/usr/bin/env bash
# Runs the benchmarks and prints the ratio table at the end.
set -euo pipefail
build=${1:-build}
cmake --build "$build" -j2 --target checkgrid_bench
QT_QPA_PLATFORM=offscreen "$build/bin/checkgrid_bench" --benchmark_min_time=0.2
