# shellcheck shell=bash
# Environment shared by the Rovenza scripts: sourced, never run.
#
#   ROVENZA_WINEPREFIX  private Wine prefix (default ~/.cache/rovenza/wine)
#   ROVENZA_WINE        64-bit Wine loader used to start programs
#   ROVENZA_WINESERVER  matching wineserver binary
#   ensure_display      makes DISPLAY point at a live X server (starts Xvfb if needed)
#   wine_session        starts (or finds) the Wine session for $DISPLAY
#   rovenza_cleanup     runs the exit hooks; call it yourself if you replace the EXIT trap

ROVENZA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ROVENZA_ROOT

if [[ -z "${HOME:-}" ]]; then
    HOME=$(getent passwd "$(id -u)" | cut -d: -f6)
    export HOME
fi
export WINEPREFIX="${ROVENZA_WINEPREFIX:-$HOME/.cache/rovenza/wine}"
# The prefix setup.sh configures. wine_session may move WINEPREFIX to a copy of
# it (see there).
ROVENZA_BASE_PREFIX="$WINEPREFIX"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEARCH=win64
# Stamp written by setup.sh once the prefix is created and configured.
ROVENZA_PREFIX_STAMP="$ROVENZA_BASE_PREFIX/.rovenza-prefix"

# Debian's /usr/bin/wine wrapper picks the 32-bit loader as soon as wine32:i386 is
# installed, even where the kernel cannot run i386 binaries ("Exec format error"), and
# its wineserver wrapper forces -p0. Call the 64-bit binaries directly.
if [[ -x /usr/lib/wine/wine64 ]]; then
    ROVENZA_WINE=/usr/lib/wine/wine64
    ROVENZA_WINESERVER=/usr/lib/wine/wineserver64
else
    ROVENZA_WINE=$(command -v wine64 || command -v wine || echo wine)
    ROVENZA_WINESERVER=$(command -v wineserver || echo wineserver)
fi
# Programs that Wine starts itself (explorer, services, winedbg) use these too.
export WINELOADER="$ROVENZA_WINE"
export WINESERVER="$ROVENZA_WINESERVER"
export ROVENZA_WINE ROVENZA_WINESERVER

# --- exit hooks -------------------------------------------------------------
# Kept when this file is sourced again in the same shell.
[[ -n "${_rovenza_exit_hooks+x}" ]] || _rovenza_exit_hooks=()

rovenza_cleanup() {
    local i
    for ((i = ${#_rovenza_exit_hooks[@]} - 1; i >= 0; i--)); do
        eval "${_rovenza_exit_hooks[i]}" || true
    done
    _rovenza_exit_hooks=()
}

_rovenza_on_exit() {
    _rovenza_exit_hooks+=("$1")
    trap rovenza_cleanup EXIT
    # Make INT/TERM leave through the EXIT trap as well.
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# --- display ----------------------------------------------------------------
# display_answers: true when $DISPLAY is set and its X server answers. Also
# reads the server's session token (see wine_session) into ROVENZA_DISPLAY_TOKEN.
display_answers() {
    local out
    ROVENZA_DISPLAY_TOKEN="" ROVENZA_PROBED_DISPLAY=""
    [[ -n "${DISPLAY:-}" ]] || return 1
    out=$(xprop -root _ROVENZA_DISPLAY_TOKEN 2>/dev/null) || return 1
    if [[ "$out" =~ \ =\ \"(.*)\"$ ]]; then
        ROVENZA_DISPLAY_TOKEN=${BASH_REMATCH[1]}
    fi
    ROVENZA_PROBED_DISPLAY=$DISPLAY
    return 0
}

ROVENZA_XVFB_PID=
ROVENZA_DISPLAY_TOKEN=
ROVENZA_PROBED_DISPLAY=

# ensure_display: keep a DISPLAY that answers; otherwise start a private
# Xvfb (1024x768x24, no TCP) on a free display number, export DISPLAY and stop
# that server when the calling script exits.
ensure_display() {
    if display_answers; then
        return 0
    fi
    local numfile log pid n="" i
    numfile=$(mktemp /tmp/rovenza-xvfb.XXXXXX)
    log="${numfile}.log"
    # -displayfd makes Xvfb pick a free display number itself and write it once
    # it accepts connections, so parallel callers never race for a number.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$numfile" </dev/null >"$log" 2>&1 &
    pid=$!
    for ((i = 0; i < 200; i++)); do
        n=$(tr -dc '0-9' <"$numfile")
        [[ -n "$n" ]] && break
        if ! kill -0 "$pid" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    rm -f "$numfile"
    if [[ -z "$n" ]]; then
        echo "ensure_display: Xvfb did not start:" >&2
        cat "$log" >&2 || true
        kill "$pid" 2>/dev/null || true
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
    ROVENZA_XVFB_PID=$pid
    export DISPLAY=":$n"
    _rovenza_on_exit "_rovenza_stop_xvfb $pid"
    if ! display_answers; then
        echo "ensure_display: Xvfb on $DISPLAY does not answer" >&2
        return 1
    fi
}

_rovenza_stop_xvfb() {
    local pid=$1 i
    kill "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 100; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.02
    done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# --- wine session -----------------------------------------------------------
# A session is one wineserver for a prefix plus a small desktop keeper program
# (built by setup.sh) that holds the Wine desktop, and with it explorer.exe,
# open on one display. As long as the keeper runs, the server and Wine's
# service processes stay up, so each test process starts fast; once it is gone
# the server lingers 60 s (-p60) and then ends.
#
# Why the keeper: Wine starts its service processes and explorer.exe with the
# stderr of whichever program happens to need them first. Under CTest that is
# a test's output pipe, and CTest waits for every writer of that pipe to close
# it, so a test would hang until the (persistent) services exit. The keeper is
# the first program of each session and runs with /dev/null for output, so
# everything Wine starts in the background inherits /dev/null.
#
# Why one display per session: the Wine desktop takes its size from the display
# its explorer.exe runs on, whatever display a later program uses. So a session
# belongs to one X server. The keeper polls its display once a second and exits
# with it, which also ends explorer.exe and frees the session. When the prefix
# is busy on another live display (say two test runs at once, each on its own
# Xvfb), the session goes to a copy of the prefix, "<prefix>-2" and so on
# (files hard-linked, registry copied), up to ROVENZA_MAX_SESSIONS.
ROVENZA_MAX_SESSIONS="${ROVENZA_MAX_SESSIONS:-8}"
ROVENZA_KEEPER_PATH='drive_c/rovenza/rovenza-desktop.exe'

# Identity of the X server behind $DISPLAY: a token kept on its root window,
# so that a new server that reuses a display number is told apart. An X server
# clears root properties when its last client leaves, so the token is set only
# while the keeper holds a connection.
_rovenza_set_display_token() {
    display_answers || return 1
    if [[ -z "$ROVENZA_DISPLAY_TOKEN" ]]; then
        xprop -root -f _ROVENZA_DISPLAY_TOKEN 8s -set _ROVENZA_DISPLAY_TOKEN \
            "${HOSTNAME:-host}-$$-$RANDOM-$(date +%s%N)" || return 1
        display_answers || return 1
    fi
    [[ -n "$ROVENZA_DISPLAY_TOKEN" ]]
}

_rovenza_session_prefix() { # slot number -> prefix
    if (($1 == 1)); then
        printf '%s\n' "$ROVENZA_BASE_PREFIX"
    else
        printf '%s-%d\n' "$ROVENZA_BASE_PREFIX" "$1"
    fi
}

# True when the prefix has a live session; sets _rovenza_kdisplay and
# _rovenza_ktoken to its display and token. No forks: this runs per test.
_rovenza_live_session() {
    local prefix=$1 kpid="" cmd=""
    _rovenza_kdisplay="" _rovenza_ktoken=""
    [[ -f "$prefix/.rovenza-session" ]] || return 1
    read -r kpid _rovenza_kdisplay _rovenza_ktoken <"$prefix/.rovenza-session" || true
    [[ -n "$kpid" && -r "/proc/$kpid/cmdline" ]] || return 1
    IFS= read -r -d '' cmd <"/proc/$kpid/cmdline" 2>/dev/null || true
    [[ "$cmd" == *rovenza-desktop* ]]
}

# Points WINEPREFIX at the live session for this display; fails when none.
_rovenza_find_session() {
    local n prefix
    [[ -n "$ROVENZA_DISPLAY_TOKEN" ]] || return 1
    for ((n = 1; n <= ROVENZA_MAX_SESSIONS; n++)); do
        if ((n == 1)); then prefix=$ROVENZA_BASE_PREFIX; else prefix="$ROVENZA_BASE_PREFIX-$n"; fi
        [[ -d "$prefix" ]] || return 1
        if _rovenza_live_session "$prefix" && [[ "$_rovenza_kdisplay" == "$DISPLAY" &&
            "$_rovenza_ktoken" == "$ROVENZA_DISPLAY_TOKEN" ]]; then
            export WINEPREFIX="$prefix"
            return 0
        fi
    done
    return 1
}

# Makes $2 a copy of the configured prefix $1 (system files hard-linked).
_rovenza_copy_prefix() {
    local src=$1 dst=$2 f
    rm -rf "$dst" && mkdir -p "$dst" || return 1
    cp -a "$src/dosdevices" "$dst/" || return 1
    cp -al "$src/drive_c" "$dst/" || return 1
    for f in "$src"/* "$src"/.[!.]*; do
        [[ -f "$f" ]] || continue
        case "${f##*/}" in .rovenza-session*) continue ;; esac
        cp -a "$f" "$dst/" || return 1
    done
}

# wine_session: find or start the session for $DISPLAY and point WINEPREFIX at
# its prefix. Needs a display that answers (call ensure_display first) and the
# prefix made by setup.sh.
wine_session() {
    local n prefix chosen="" out i lockfd kpid
    if [[ ! -f "$ROVENZA_PREFIX_STAMP" ]]; then
        echo "wine_session: $ROVENZA_BASE_PREFIX is not set up; run scripts/setup.sh" >&2
        return 1
    fi
    # ensure_display has usually just asked the server.
    if [[ "${ROVENZA_PROBED_DISPLAY:-}" != "${DISPLAY:-}" ]] && ! display_answers; then
        echo "wine_session: no X server answers on '${DISPLAY:-}'" >&2
        return 1
    fi
    # Fast path, no lock: the session already runs.
    _rovenza_find_session && return 0

    exec {lockfd}>>"$ROVENZA_BASE_PREFIX/.rovenza-session.lock"
    flock "$lockfd"
    # Someone may have started it while we waited.
    if display_answers && _rovenza_find_session; then
        exec {lockfd}>&-
        return 0
    fi
    for ((n = 1; n <= ROVENZA_MAX_SESSIONS; n++)); do
        prefix=$(_rovenza_session_prefix "$n")
        if ! _rovenza_live_session "$prefix"; then
            chosen=$prefix
            break
        fi
    done
    if [[ -z "$chosen" ]]; then
        echo "wine_session: all $ROVENZA_MAX_SESSIONS Wine sessions are busy on other displays" >&2
        exec {lockfd}>&-
        return 1
    fi
    export WINEPREFIX="$chosen"
    # Whatever still runs here belongs to a session whose display is gone.
    if [[ -f "$WINEPREFIX/system.reg" ]]; then
        "$ROVENZA_WINESERVER" -k {lockfd}>&- </dev/null >/dev/null 2>&1 || true
        "$ROVENZA_WINESERVER" -w {lockfd}>&- </dev/null >/dev/null 2>&1 || true
    fi
    if [[ "$chosen" != "$ROVENZA_BASE_PREFIX" ]] &&
        ! cmp -s "$chosen/.rovenza-prefix" "$ROVENZA_PREFIX_STAMP"; then
        if ! _rovenza_copy_prefix "$ROVENZA_BASE_PREFIX" "$chosen"; then
            echo "wine_session: could not copy the prefix to $chosen" >&2
            exec {lockfd}>&-
            return 1
        fi
    fi
    # Exits at once (status 2) when a server for this prefix already runs.
    "$ROVENZA_WINESERVER" -p60 {lockfd}>&- </dev/null >/dev/null 2>&1 || true
    out=$(mktemp /tmp/rovenza-keeper.XXXXXX)
    setsid "$ROVENZA_WINE" "$WINEPREFIX/$ROVENZA_KEEPER_PATH" {lockfd}>&- </dev/null >"$out" 2>/dev/null &
    kpid=$!
    for ((i = 0; i < 1200; i++)); do
        grep -q '^ready' "$out" && break
        kill -0 "$kpid" 2>/dev/null || break
        sleep 0.05
    done
    if ! grep -q '^ready' "$out"; then
        echo "wine_session: the desktop keeper did not start on $DISPLAY" >&2
        kill "$kpid" 2>/dev/null || true
        rm -f "$out"
        exec {lockfd}>&-
        return 1
    fi
    rm -f "$out"
    if ! _rovenza_set_display_token; then
        echo "wine_session: cannot mark the X server on $DISPLAY" >&2
        kill "$kpid" 2>/dev/null || true
        exec {lockfd}>&-
        return 1
    fi
    printf '%s %s %s\n' "$kpid" "$DISPLAY" "$ROVENZA_DISPLAY_TOKEN" >"$WINEPREFIX/.rovenza-session"
    exec {lockfd}>&-
}

# --- demo board and window helper ---------------------------------------------
# demo_board: writes the demo board for this checkout (its pictures are named by
# absolute paths, so it is made here rather than kept in the repository) and
# prints its path.
demo_board() {
    cmake --preset native >/dev/null || return 1
    cmake --build --preset native --target demo_layout >/dev/null || return 1
    echo "$ROVENZA_ROOT/build/demo/demo.qv4"
}

# shot_helper: builds the small Windows program that finds the program's
# windows, waits for them and sends them menu commands; prints its path.
shot_helper() {
    local helper="$ROVENZA_ROOT/build/screenshots/shot-helper.exe"
    local source="$ROVENZA_ROOT/tools/screenshots/shot-helper.cpp"
    mkdir -p "$(dirname "$helper")"
    if [[ ! -f "$helper" || "$source" -nt "$helper" ]]; then
        x86_64-w64-mingw32-g++ -O1 -static -finput-charset=UTF-8 -fexec-charset=CP932 \
            -o "$helper" "$source" -luser32 || return 1
    fi
    echo "$helper"
}
