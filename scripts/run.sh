#!/usr/bin/env bash
# Installs what is missing, builds the win64 preset and starts
# build/win64/rovenza.exe under Wine in the Japanese locale. With no
# arguments it opens the demo board (build/demo/demo.qv4, written for this
# checkout); otherwise it passes the arguments on (file paths are handed over
# as Windows paths). "scripts/run.sh --empty" starts with no layout file;
# "scripts/run.sh --vehicle" opens the demo bus (build/demo/vehicle/bus.rvh,
# its faces' layouts written for this checkout).
#
# With a display that answers, the program runs on it in the foreground.
# Without one, it runs on a private 1024x768 Xvfb; once the splash has gone
# and the board is shown, the whole screen is saved as a PNG, the path is
# printed as "Screenshot: <path>" and the program is stopped.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh

# shellcheck source=env.sh
source scripts/env.sh

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)"
exe="$ROVENZA_ROOT/build/win64/rovenza.exe"
if [[ ! -f "$exe" ]]; then
    echo "run.sh: $exe was not built" >&2
    exit 1
fi

if (($# == 0)); then
    board=$(demo_board) || { echo "run.sh: could not write the demo board" >&2; exit 1; }
    set -- "$board"
elif [[ "$1" == --empty ]]; then
    shift
elif [[ "$1" == --vehicle ]]; then
    shift
    vehicle=$(demo_vehicle) || { echo "run.sh: could not write the demo vehicle" >&2; exit 1; }
    set -- "$vehicle" "$@"
fi

headless=0
if ! display_answers; then
    headless=1
    unset DISPLAY
fi
start_display
start_session

# Arguments naming existing files or folders go over as Windows paths, the
# rest as they are. Wine turns them into CP932 for the program.
args=()
for a in "$@"; do
    if [[ -e "$a" ]]; then
        args+=("$("$ROVENZA_WINE" winepath -w "$(realpath "$a")" 2>/dev/null | tr -d '\r')")
    else
        args+=("$a")
    fi
done

if ((!headless)); then
    status=0
    "$ROVENZA_WINE" "$exe" "${args[@]}" || status=$?
    exit "$status"
fi

"$ROVENZA_WINE" "$exe" "${args[@]}" &
pid=$!
on_exit "kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true"

# Waits until the main window is shown and enabled, that is until the splash
# has gone and the layout file named on the command line is open.
helper=$(shot_helper)
if ! "$ROVENZA_WINE" "$helper" wait-ready >/dev/null 2>&1; then
    status=0
    kill -0 "$pid" 2>/dev/null || wait "$pid" || status=$?
    echo "run.sh: the window \"RovenzaVer4\" did not become ready (program exit status $status)" >&2
    exit 1
fi
# With no window manager Wine does not keep the panel above the main window
# that owns it: put the panel beside the board so that the picture shows both.
read -r _ _ main_width _ < <("$ROVENZA_WINE" "$helper" rect main | tr -d '\r')
"$ROVENZA_WINE" "$helper" move main 0 0
"$ROVENZA_WINE" "$helper" move panel "$main_width" 0
sleep 1 # let the board paint

shotdir="$ROVENZA_ROOT/build/screenshots"
mkdir -p "$shotdir"
shot="$shotdir/rovenza-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
echo "Screenshot: $shot"
