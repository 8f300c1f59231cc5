# shellcheck shell=bash
# Settings shared by the Rovenza scripts: sourced, never run.
#
# What a run is. test.sh, run.sh and wine-run.sh (alone, or as CTest's
# emulator) each source this file, then:
#   1. scripts/setup.sh has made the Wine prefix once (packages, locale,
#      prefix, fonts, registry), stamped $ROVENZA_STAMP; a run only checks it.
#   2. start_display keeps $DISPLAY when an X server answers there, otherwise
#      starts a private 1024x768 Xvfb for this run.
#   3. start_session takes the prefix's lock (one run at a time in a prefix),
#      ends a Wine server an interrupted run left, and starts Wine's server
#      and winecheck.exe, which reports the code page and fonts.
#   4. The run's programs start under $ROVENZA_WINE: the 64-bit loader,
#      which hands 32-bit programs to the 32-bit one (WoW64) in the same
#      prefix. Programs started inside the run see ROVENZA_SESSION and join
#      the session instead of starting one.
#   5. At exit, hooks registered with on_exit run in reverse order: Wine's
#      server is ended and waited for, the Xvfb stopped, the lock let go.
#      Ctrl-C and a TERM end the run the same way.

ROVENZA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ROVENZA_ROOT

[[ -n "${HOME:-}" ]] || export HOME=$(getent passwd "$(id -u)" | cut -d: -f6)
export WINEPREFIX="${ROVENZA_WINEPREFIX:-$HOME/.cache/rovenza/wine}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 # GetACP() is 932 under this locale
export WINEDEBUG=-all WINEARCH=win64

# Without a sound card (a server, a container) Wine's ALSA driver makes the
# ALSA library print a screenful of "cannot find card" lines into every run,
# and the program is silent anyway. There the driver is left out, so the
# program finds no output device quietly. A machine with a card, or with an
# ALSA configuration of its own (a file device, say), keeps it.
if [[ ! -r /proc/asound/cards || "$(</proc/asound/cards)" == *"no soundcards"* ]] &&
    [[ -z "${ALSA_CONFIG_PATH:-}" && ! -e "$HOME/.asoundrc" && ! -e /etc/asound.conf ]]; then
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winealsa.drv=d"
fi

# Debian's /usr/bin/wine wrapper picks the 32-bit loader as soon as wine32:i386
# is installed, even where the kernel cannot run i386 code, and its wineserver
# wrapper forces -p0. Call the 64-bit binaries directly.
if [[ -x /usr/lib/wine/wine64 ]]; then
    ROVENZA_WINE=/usr/lib/wine/wine64
    ROVENZA_WINESERVER=/usr/lib/wine/wineserver64
else
    ROVENZA_WINE=$(command -v wine64 || command -v wine || echo wine)
    ROVENZA_WINESERVER=$(command -v wineserver || echo wineserver)
fi
# Programs that Wine starts itself (explorer, services, winedbg) use these too.
export WINELOADER="$ROVENZA_WINE" WINESERVER="$ROVENZA_WINESERVER"
export ROVENZA_WINE ROVENZA_WINESERVER

# Written by setup.sh once the prefix is made and checked; it names the
# settings it was made with.
ROVENZA_STAMP="$WINEPREFIX/.rovenza-ready"
# Held by the run that uses the prefix (beside it: set-up removes the prefix).
ROVENZA_LOCK="${WINEPREFIX%/}.lock"
# The program that opens each session and reports what setup.sh checks.
ROVENZA_WINECHECK="$WINEPREFIX/drive_c/rovenza/winecheck.exe"

# --- exit hooks: run in reverse order when the script exits ------------------
[[ -n "${_rovenza_hooks+x}" ]] || _rovenza_hooks=()
_rovenza_run_hooks() {
    local i
    for ((i = ${#_rovenza_hooks[@]} - 1; i >= 0; i--)); do
        eval "${_rovenza_hooks[i]}" || true
    done
    _rovenza_hooks=()
}
on_exit() {
    _rovenza_hooks+=("$1")
    trap _rovenza_run_hooks EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# --- display ------------------------------------------------------------------
display_answers() { [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; }

start_display() {
    display_answers && return 0
    local dir pid n=""
    dir=$(mktemp -d /tmp/rovenza-xvfb.XXXXXX)
    mkfifo "$dir/number"
    # -displayfd: Xvfb takes a free display number (a stale lock of a dead
    # server is passed over) and writes it once it accepts connections.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$dir/number" </dev/null >"$dir/log" 2>&1 &
    pid=$!
    read -r -t 30 n <"$dir/number" || true
    if [[ -z "$n" ]]; then
        echo "start_display: Xvfb did not start: $(tail -1 "$dir/log")" >&2
        kill "$pid" 2>/dev/null
        rm -rf "$dir"
        return 1
    fi
    rm -rf "$dir"
    export DISPLAY=":$n"
    on_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null"
}

# --- Wine session -------------------------------------------------------------
start_session() { # [--unchecked: the prefix is still being set up]
    [[ "${1:-}" == --unchecked || -f "$ROVENZA_STAMP" ]] ||
        { echo "start_session: $WINEPREFIX is not set up; run scripts/setup.sh" >&2; return 1; }
    # One run at a time in a prefix. The lock goes with the process that holds
    # it, so an interrupted run leaves none behind.
    exec {_rovenza_lock}>"$ROVENZA_LOCK"
    if ! flock -n "$_rovenza_lock"; then
        echo "start_session: another run uses $WINEPREFIX; waiting for it" >&2
        flock -w 1800 "$_rovenza_lock" ||
            { echo "start_session: $WINEPREFIX still busy after 30 minutes" >&2; return 1; }
    fi
    # With the lock held, a Wine server still running here was left by an
    # interrupted run, perhaps on a display that is gone.
    if "$ROVENZA_WINESERVER" -k 2>/dev/null; then
        echo "start_session: ended a Wine session left by an earlier run" >&2
        "$ROVENZA_WINESERVER" -w
    fi
    on_exit "'$ROVENZA_WINESERVER' -k 2>/dev/null; '$ROVENZA_WINESERVER' -w"
    # The server lives until the exit hook ends it; its background processes
    # start from winecheck.exe with no pipe as output (see there).
    "$ROVENZA_WINESERVER" -p {_rovenza_lock}>&- </dev/null >/dev/null 2>&1
    if ! "$ROVENZA_WINE" "$ROVENZA_WINECHECK" {_rovenza_lock}>&- </dev/null \
        >"$WINEPREFIX/.rovenza-check" 2>/dev/null; then
        echo "start_session: Wine did not start in $WINEPREFIX on $DISPLAY" >&2
        return 1
    fi
    export ROVENZA_SESSION="$WINEPREFIX@$DISPLAY"
}

# --- demo board, demo vehicle and window helper -------------------------------
# demo_board: writes the demo board for this checkout (its pictures are named by
# absolute paths, so it is made here rather than kept in the repository) and
# prints its path. demo_vehicle: likewise the demo bus (build/demo/vehicle, a
# copy of demo/vehicle with its faces' layout files) and the path of its
# vehicle file.
demo_file() { # native target, the path it writes (below the checkout)
    cmake --preset native >/dev/null || return 1
    cmake --build --preset native --target "$1" >/dev/null || return 1
    echo "$ROVENZA_ROOT/$2"
}
demo_board() { demo_file demo_layout build/demo/demo.qv4; }
demo_vehicle() { demo_file demo_vehicle build/demo/vehicle/bus.rvh; }

# shot_helper: builds the small Windows program that finds the program's
# windows, waits for them and sends them menu commands; prints its path.
shot_helper() {
    local helper="$ROVENZA_ROOT/build/screenshots/shot-helper.exe"
    local source="$ROVENZA_ROOT/tools/screenshots/shot-helper.cpp"
    local hash="$ROVENZA_ROOT/tools/screenshots/ScreenHash.h"
    mkdir -p "$(dirname "$helper")"
    if [[ ! -f "$helper" || "$source" -nt "$helper" || "$hash" -nt "$helper" ]]; then
        x86_64-w64-mingw32-g++ -O1 -static -finput-charset=UTF-8 -fexec-charset=CP932 \
            -o "$helper" "$source" -luser32 -lgdi32 -lwinmm || return 1
    fi
    echo "$helper"
}
