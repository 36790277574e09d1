#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build folder, each for a bounded time, on a
# corpus that starts from the committed seeds (fuzz/corpus/<target>) and lives
# outside the repository, so new inputs never land in the tree.
#
#   tools/run-fuzz.sh BUILD SECONDS [TARGET...]
#
# TARGET is packet, field_text, value_list or description (default: all).
# FUZZ_CORPUS=DIR keeps the grown corpora in DIR/<target> across runs; without
# it each run starts from the seeds in a temporary folder. Crash inputs go to
# BUILD/fuzz-artifacts/<target>/. Prints one line of figures per target and
# fails when any target finds a crash, a leak or a slow input. FUZZ_JOBS=N
# runs N targets at a time (default 1).
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD SECONDS [TARGET...]" >&2
    exit 2
fi
build=$1
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(packet field_text value_list description)
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# Longest time one input may take before it counts as a hang.
per_input_timeout=${FUZZ_TIMEOUT:-10}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs one target; writes its line of figures to $scratch/<target>.result and
# fails when the fuzzer did.
run_target() {
    local target=$1
    local binary="$build/bin/fuzz_$target"
    local corpus artifacts log status runs speed inputs
    if [ -n "${FUZZ_CORPUS:-}" ]; then
        corpus="$FUZZ_CORPUS/$target"
    else
        corpus="$scratch/corpus-$target"
    fi
    mkdir -p "$corpus"
    cp "$source_dir/fuzz/corpus/$target/"* "$corpus/"
    if [ "$target" = description ]; then
        # The window's description as it is now, beside the committed copy.
        cp "$source_dir/form/TForm1.window" "$corpus/TForm1.window.current"
    fi
    artifacts="$build/fuzz-artifacts/$target"
    mkdir -p "$artifacts"
    log="$scratch/$target.log"

    status=0
    "$binary" "$corpus" \
        -max_total_time="$seconds" \
        -timeout="$per_input_timeout" \
        -rss_limit_mb=2048 \
        -dict="$source_dir/fuzz/dict/$target.dict" \
        -artifact_prefix="$artifacts/" \
        -print_final_stats=1 \
        >"$log" 2>&1 || status=$?

    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
    inputs=$(find "$corpus" -type f | wc -l)
    if [ "$status" -eq 0 ]; then
        echo "fuzz_$target: ${runs:-?} runs in ${seconds} s (${speed:-?}/s)," \
            "corpus $inputs inputs, no crash" >"$scratch/$target.result"
        return 0
    fi
    {
        echo "fuzz_$target: FAILED after ${runs:-?} runs (exit $status); log follows"
        tail -n 60 "$log"
        echo "fuzz_$target: crash inputs are in $artifacts; replay one with: $binary FILE"
    } >"$scratch/$target.result"
    return 1
}

for target in "${targets[@]}"; do
    if [ ! -x "$build/bin/fuzz_$target" ]; then
        echo "fuzz_$target: not built in $build" >&2
        exit 2
    fi
done

# FUZZ_JOBS targets run at the same time (one core each); the rest wait.
lanes=${FUZZ_JOBS:-1}
pids=()
for ((lane = 0; lane < lanes; ++lane)); do
    (
        lane_failed=0
        for ((i = lane; i < ${#targets[@]}; i += lanes)); do
            run_target "${targets[$i]}" || lane_failed=1
        done
        exit $lane_failed
    ) &
    pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
for target in "${targets[@]}"; do
    if grep -q FAILED "$scratch/$target.result"; then
        cat "$scratch/$target.result" >&2
    else
        cat "$scratch/$target.result"
    fi
done
exit $failed
