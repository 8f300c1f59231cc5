#!/usr/bin/env bash
# Installs what is missing, builds the native, win64 and win32 presets (and
# fuzz, when the project has it) and runs every test: the core unit tests
# natively, the window tests of both Windows builds under Wine on one private
# 1024x768 Xvfb (the i686 ones through WoW64), and the fuzz regression tests.
# Exits non-zero when any step or test failed. A machine that cannot run
# 32-bit programs says so in one line and runs the rest.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh

# shellcheck source=env.sh
source scripts/env.sh

jobs=$(nproc)
failed=()
passed_total=0
failed_total=0
logdir=$(mktemp -d /tmp/rovenza-test.XXXXXX)
on_exit "rm -rf '$logdir'"

# Minutes and seconds since the command started.
elapsed() { printf '%dm%02ds' $((SECONDS / 60)) $((SECONDS % 60)); }

build() {
    local preset=$1
    echo "=== build $preset (at $(elapsed))"
    if ! cmake --preset "$preset"; then
        failed+=("configure $preset")
        return 1
    fi
    if ! cmake --build --preset "$preset" -j"$jobs"; then
        failed+=("build $preset")
        return 1
    fi
}

# Runs one test preset, echoing its output, and adds its counts to the totals.
run_tests() {
    local status=0
    echo "=== test $1 (at $(elapsed))"
    ctest --preset "$1" 2>&1 | tee "$logdir/$1.log" || status=$?
    count_tests "$1" "$status"
}

# Adds the counts of a test preset's run (its output in $logdir/PRESET.log,
# ctest's exit status) to the totals.
count_tests() {
    local preset=$1 log="$logdir/$1.log" status=$2 line total nfail
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1 || true)
    if [[ -n "$line" ]]; then
        nfail=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
        passed_total=$((passed_total + total - nfail))
        failed_total=$((failed_total + nfail))
        summaries+=("$preset: $line")
    else
        summaries+=("$preset: no test summary (ctest exit $status)")
    fi
    if ((status != 0)); then
        failed+=("tests $preset")
    fi
}

has_preset() { # kind name
    "$1" --list-presets 2>/dev/null | grep -q "^ *\"$2\""
}

summaries=()
echo "=== include order"
python3 tools/include_order.py || failed+=("include order")
native_ok=0 win64_ok=0 win32_ok=0 fuzz_ok=0
fuzz=0
has_preset cmake fuzz && fuzz=1
build native && native_ok=1
build win64 && win64_ok=1

# The i686 build and the fuzz targets are built while the native and x86_64
# tests run: a window test mostly waits for its windows, so the two share the
# machine well. Their output follows the x86_64 tests, the fuzz runs' the
# i686 tests.
# At the lowest priority, so that the window tests get the processor first.
# The fuzz targets' runs (a few seconds each, over their seeds) follow their
# build there too.
(
    renice -n 19 -p "$BASHPID" >/dev/null
    build win32 >"$logdir/build-win32.log" 2>&1 || echo win32 >>"$logdir/build-failed"
    if ((fuzz)); then
        if build fuzz >"$logdir/build-fuzz.log" 2>&1; then
            if has_preset ctest fuzz; then
                status=0
                { echo "=== test fuzz (at $(elapsed))" && ctest --preset fuzz; } >"$logdir/fuzz.log" 2>&1 || status=$?
                echo "$status" >"$logdir/fuzz.status"
            fi
        else
            echo fuzz >>"$logdir/build-failed"
        fi
    fi
) &
background_builds=$!
on_exit "kill $background_builds 2>/dev/null || true"

# Waits for those builds and shows what they printed.
finish_background_builds() {
    wait "$background_builds" || true
    cat "$logdir/build-win32.log"
    ((fuzz)) && cat "$logdir/build-fuzz.log"
    grep -qx win32 "$logdir/build-failed" 2>/dev/null && failed+=("build win32") || win32_ok=1
    grep -qx fuzz "$logdir/build-failed" 2>/dev/null && failed+=("build fuzz") || fuzz_ok=1
}

((native_ok)) && run_tests native

# Whether this machine runs the i686 build: Wine's 32-bit half installed, and
# a 32-bit test program that starts.
runs_32_bit() {
    local probe
    probe=$(find build/win32 -maxdepth 1 -name '*_test.exe' -print -quit)
    [[ "$(dpkg-query -W -f='${db:Status-Status}' wine32:i386 2>/dev/null)" == installed && -n "$probe" ]] &&
        "$ROVENZA_WINE" "$probe" --gtest_list_tests >/dev/null 2>&1
}

# One private X server and one Wine session for every window test of both
# builds, so that the desktop is always 1024x768 and Wine starts once.
unset DISPLAY
session=0
if start_display && start_session; then
    session=1
else
    failed+=("wine session")
fi
((session && win64_ok)) && run_tests win64
finish_background_builds
if ((session && win32_ok)); then
    if runs_32_bit; then
        run_tests win32
    else
        echo "=== test win32: skipped: this machine does not run 32-bit programs under Wine (wine32:i386)"
        summaries+=("win32: skipped (no 32-bit Wine here)")
    fi
fi

if [[ -f "$logdir/fuzz.status" ]]; then
    cat "$logdir/fuzz.log"
    count_tests fuzz "$(<"$logdir/fuzz.status")"
fi

echo
echo "=== summary"
for s in "${summaries[@]}"; do
    echo "$s"
done
if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]}"
fi
echo "ctest: $passed_total passed, $failed_total failed ($(elapsed) in all)"
((${#failed[@]} == 0))
