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

build() {
    local preset=$1
    echo "=== build $preset"
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
    local preset=$1 log="$logdir/$1.log" status=0 line total nfail
    echo "=== test $preset"
    ctest --preset "$preset" 2>&1 | tee "$log" || status=$?
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
build native && native_ok=1
build win64 && win64_ok=1
build win32 && win32_ok=1
fuzz=0
if has_preset cmake fuzz; then
    fuzz=1
    build fuzz && fuzz_ok=1
fi

((native_ok)) && run_tests native

# Whether this machine runs the i686 build: Wine's 32-bit half installed, and
# a 32-bit test program that starts.
runs_32_bit() {
    local probe
    probe=$(find build/win32 -maxdepth 1 -name '*_test.exe' -print -quit)
    [[ "$(dpkg-query -W -f='${db:Status-Status}' wine32:i386 2>/dev/null)" == installed && -n "$probe" ]] &&
        "$ROVENZA_WINE" "$probe" --gtest_list_tests >/dev/null 2>&1
}

if ((win64_ok || win32_ok)); then
    # One private X server and one Wine session for every window test of both
    # builds, so that the desktop is always 1024x768 and Wine starts once.
    unset DISPLAY
    if start_display && start_session; then
        ((win64_ok)) && run_tests win64
        if ((win32_ok)); then
            if runs_32_bit; then
                run_tests win32
            else
                echo "=== test win32: skipped: this machine does not run 32-bit programs under Wine (wine32:i386)"
                summaries+=("win32: skipped (no 32-bit Wine here)")
            fi
        fi
    else
        failed+=("wine session")
    fi
fi

if ((fuzz && fuzz_ok)) && has_preset ctest fuzz; then
    run_tests fuzz
fi

echo
echo "=== summary"
for s in "${summaries[@]}"; do
    echo "$s"
done
if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]}"
fi
echo "ctest: $passed_total passed, $failed_total failed"
((${#failed[@]} == 0))
