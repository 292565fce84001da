#!/usr/bin/env bash
# Builds the fuzz harnesses of tests/fuzz with clang and libFuzzer (with
# AddressSanitizer and UndefinedBehaviorSanitizer) into build-fuzz/ and runs
# each of them for a bounded time, then prints the executions per harness.
#
#   FUZZ_SECONDS   seconds per harness (default 60)
#   FUZZ_HARNESSES harnesses to run, blank-separated (default: every one)
#   FUZZ_TIMEOUT   seconds one input may take before it counts as a hang (default 10)
#   FUZZ_JOBS      harnesses run at the same time (default 1)
#   FUZZ_ARGS      further libFuzzer options, e.g. "-runs=1000000"
#   BUILD_DIR      build directory (default build-fuzz)
# Extra arguments go to CMake.
#
# Each harness starts from its checked-in seeds (tests/fuzz/corpus/NAME, read
# only) and keeps what it finds in BUILD_DIR/fuzz-corpus/NAME. An input that
# crashes, hangs, leaks or breaks a sanitizer's rule is written to
# BUILD_DIR/fuzz-artifacts/NAME/; once the fault is mended, copy it into the
# seed corpus, where CTest replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
OSPREY_EXTRA_PACKAGES="clang libclang-rt-14-dev llvm ${OSPREY_EXTRA_PACKAGES:-}" scripts/install-deps.sh

BUILD_DIR=${BUILD_DIR:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
TIMEOUT=${FUZZ_TIMEOUT:-10}
JOBS=${FUZZ_JOBS:-1}
SEEDS=tests/fuzz/corpus

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -DOSPREY_FUZZ=ON "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target fuzz_harnesses

if [ -n "${FUZZ_HARNESSES:-}" ]; then
    read -r -a harnesses <<<"$FUZZ_HARNESSES"
else
    harnesses=()
    for d in "$SEEDS"/*/; do harnesses+=("$(basename "$d")"); done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

run_one() {
    local h=$1
    local program="$BUILD_DIR/fuzz_$h"
    local work="$BUILD_DIR/fuzz-corpus/$h" artifacts="$BUILD_DIR/fuzz-artifacts/$h/" log="$BUILD_DIR/fuzz-logs/$h.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    local dict=()
    if [ -f "tests/fuzz/dict/$h.dict" ]; then dict=("-dict=tests/fuzz/dict/$h.dict"); fi
    local status=0
    # shellcheck disable=SC2086
    "$program" -max_total_time="$SECONDS_EACH" -timeout="$TIMEOUT" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts" "${dict[@]}" ${FUZZ_ARGS:-} "$work" "$SEEDS/$h" >"$log" 2>&1 || status=$?
    local runs seconds
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    if [ "$status" -eq 0 ]; then
        printf '%-12s %12s executions in %ss, corpus %s files: clean\n' "$h" "${runs:-?}" "${seconds:-?}" \
            "$(find "$work" -type f | wc -l)"
    else
        printf '%-12s %12s executions: FAILED (status %s), see %s and %s\n' "$h" "${runs:-?}" "$status" "$log" "$artifacts"
    fi
    return "$status"
}

failed=0
running=0
for h in "${harnesses[@]}"; do
    if [ ! -x "$BUILD_DIR/fuzz_$h" ]; then
        echo "fuzz.sh: no harness $h" >&2
        failed=1
        continue
    fi
    run_one "$h" &
    running=$((running + 1))
    if [ "$running" -ge "$JOBS" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit "$failed"
