#!/usr/bin/env bash
# The roll's figures of this checkout beside those of another commit (by
# default main, the last release), in one run, so that the machine's load
# falls on both alike. REF's program is built from its own sources, with this
# checkout's sign_bench.cpp, into build/base-PRESET/; then both run
# `sign_bench.exe ROLLS 1 steps` in turn (each first in every other round),
# ROUNDS times, and the look-off steps per second at speed 0 are compared
# round by round.
#   bench/win/against-base.sh [win64|win32] [REF] [ROUNDS] [ROLLS]
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/../.."
preset=${1:-win64}
ref=${2:-main}
rounds=${3:-2}
rolls=${4:-5}
root=$PWD
base="$root/build/base-$preset"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# The sources are unpacked again only when REF names another commit.
commit=$(git rev-parse "$ref^{commit}")
echo "=== building $ref ($commit) into $base"
if [[ "$(cat "$base/.commit" 2>/dev/null)" != "$commit" ]]; then
    rm -rf "$base"
    mkdir -p "$base"
    git archive "$commit" | tar -x -C "$base"
    echo "$commit" >"$base/.commit"
fi
cmp -s bench/win/sign_bench.cpp "$base/bench/win/sign_bench.cpp" || cp bench/win/sign_bench.cpp "$base/bench/win/sign_bench.cpp"
(cd "$base" && cmake --preset "$preset" -DROVENZA_WINDOW_TESTS=OFF "${launcher[@]}" >/dev/null &&
    cmake --build --preset "$preset" --target sign_bench -j"$(nproc)" >/dev/null)
echo "=== building this checkout"
cmake --build --preset "$preset" --target sign_bench -j"$(nproc)" >/dev/null

# shellcheck source=../../scripts/env.sh
source scripts/env.sh
unset DISPLAY
start_display
start_session

# The median look-off steps per second a run printed.
steps_off() { grep -E '^STEPS per second' "$1" | sed -E 's/.*median ([0-9]+).*/\1/'; }

logs=$(mktemp -d /tmp/rovenza-against-base.XXXXXX)
on_exit "rm -rf '$logs'"
for ((round = 1; round <= rounds; round++)); do
    # Each goes first in every other round.
    order=(this base)
    ((round % 2)) || order=(base this)
    for which in "${order[@]}"; do
        exe="$root/build/$preset/sign_bench.exe"
        [[ $which == base ]] && exe="$base/build/$preset/sign_bench.exe"
        echo "=== round $round: $which"
        "$ROVENZA_WINE" "$exe" "$rolls" 1 steps | tr -d '\r' | tee "$logs/$which-$round.log" | grep -E 'ROLL|STEPS'
    done
    new=$(steps_off "$logs/this-$round.log")
    old=$(steps_off "$logs/base-$round.log")
    echo "AGAINST $ref ($preset), round $round: look-off steps per second at speed 0 $new against $old:" \
        "ratio $(awk -v a="$new" -v b="$old" 'BEGIN { printf "%.3f", a / b }') (target >= 1)"
done
