#!/usr/bin/env bash
# Builds the fuzz preset and runs each libFuzzer target for SECONDS (default
# 60) over its seed corpus, one after another, then prints how many inputs
# each one ran. New inputs are kept in build/fuzz/corpus/<target>; a crash
# leaves its input as build/fuzz/crash-<target>-* and fails the script.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: qv4 qv3 qvd settings wav picture csv
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=(qv4 qv3 qvd settings wav picture csv)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

build=build/fuzz
# The input cap the fuzz preset's tests use (past the readers' 64 KiB limit).
max_len=$(sed -n 's/^FUZZ_MAX_LEN:STRING=//p' "$build/CMakeCache.txt")
failed=()
summary=()
for t in "${targets[@]}"; do
    exe="$build/${t}_fuzzer"
    work="$build/corpus/$t"
    log="$build/fuzz-$t.log"
    mkdir -p "$work"
    echo "=== $t: ${seconds}s"
    status=0
    "$exe" -max_total_time="$seconds" -max_len="${max_len:-131072}" -print_final_stats=1 \
        -artifact_prefix="$build/crash-$t-" "$work" "fuzz/corpus/$t" >"$log" 2>&1 || status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    units=$(find "$work" -type f | wc -l)
    if ((status != 0)); then
        failed+=("$t")
        tail -40 "$log"
    fi
    summary+=("$t: ${execs:-?} runs (${rate:-?}/s), $units new corpus inputs, exit $status")
done

echo "=== summary"
printf '%s\n' "${summary[@]}"
if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]} (logs in $build/fuzz-<target>.log)"
    exit 1
fi
