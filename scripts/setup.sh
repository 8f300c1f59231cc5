#!/usr/bin/env bash
# Prepares a Debian 12 machine for building, running and testing Rovenza:
# packages, the ja_JP.UTF-8 locale and a private Wine prefix (CP932, Japanese
# font replacements, no window manager waits, no crash dialog). Needs no
# display. Run as root. A second run only checks and returns in a moment.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
log() { printf 'setup: %s\n' "$*"; }
fail() { printf 'setup: %s\n' "$*" >&2; exit 1; }

# --- packages ---------------------------------------------------------------
packages=(
    g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine wine64
    xvfb xauth x11-utils imagemagick
    fonts-ipafont locales
    googletest cmake g++ clang libclang-rt-14-dev
    fp-utils python3
)
# Waits for another apt run instead of failing on its lock.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1800 -o Acquire::Retries=3)
missing=()
for p in "${packages[@]}"; do
    [[ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" == installed ]] || missing+=("$p")
done
if ((${#missing[@]})); then
    ((EUID == 0)) || fail "run as root to install ${missing[*]}"
    log "installing ${missing[*]}"
    "${apt[@]}" update -qq
    "${apt[@]}" install -y -qq "${missing[@]}"
fi

# --- 32-bit Wine --------------------------------------------------------------
# The i686 build (the 32-bit release) runs here through wine32:i386: Wine's
# 64-bit loader hands 32-bit programs to it (WoW64), in the same prefix. A
# machine that cannot add the i386 architecture says so and does the rest;
# the test command then skips the 32-bit window tests.
wine32_installed() { [[ "$(dpkg-query -W -f='${db:Status-Status}' wine32:i386 2>/dev/null)" == installed ]]; }
if ! wine32_installed; then
    added=0
    if ((EUID == 0)) && ! dpkg --print-foreign-architectures | grep -qx i386 &&
        dpkg --add-architecture i386 >/dev/null 2>&1; then
        added=1
    fi
    if ((EUID == 0)) && dpkg --print-foreign-architectures | grep -qx i386 &&
        "${apt[@]}" update -qq >/dev/null 2>&1 && "${apt[@]}" install -y -qq wine32:i386 >/dev/null 2>&1; then
        log "installed wine32:i386 (32-bit programs under Wine)"
    else
        # An architecture whose packages cannot be had would break later updates.
        ((added)) && dpkg --remove-architecture i386 >/dev/null 2>&1 || true
        log "cannot install wine32:i386 (no i386 architecture here): the 32-bit window tests will be skipped"
    fi
fi

# --- locale -----------------------------------------------------------------
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    log "generating the ja_JP.UTF-8 locale"
    # Listed in locale.gen too, so that a later locale-gen keeps it.
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    localedef -i ja_JP -c -f UTF-8 -A /usr/share/locale/locale.alias ja_JP.UTF-8
fi

# --- giflib source -----------------------------------------------------------
# The build compiles giflib from Debian's source package; fetched once into a
# cache folder outside the tree (the build fetches it too when it is missing).
bash "$here/fetch-giflib.sh" >/dev/null

# --- Wine prefix ------------------------------------------------------------
# shellcheck source=env.sh
source "$here/env.sh"

# Registry settings, as a version 5 file: regedit reads it as UTF-16LE, so the
# Japanese value names arrive intact.
#  - The MS Japanese faces the program asks for map to the IPA fonts.
#  - Managed=N: with no window manager, Wine otherwise waits about 2 s for it
#    every time it hides a top-level window.
#  - No crash dialog, so a crashing test ends instead of waiting for a click.
reg_text='Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS UI Gothic"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
'
check_source="$ROVENZA_ROOT/tools/winecheck/winecheck.c"
# A prefix made before wine32 came has no 32-bit system folder: the stamp
# names whether it was there, so the prefix is made again once it is.
wow64=no
wine32_installed && wow64=yes
stamp="rovenza-prefix-v4 wow64=$wow64 $({ printf '%s' "$reg_text"; cat "$check_source"; } | sha256sum | cut -d' ' -f1)"

if [[ -f "$ROVENZA_STAMP" && "$(<"$ROVENZA_STAMP")" == "$stamp" ]]; then
    exit 0
fi

# A run that still uses the prefix is waited for (see start_session).
mkdir -p "$(dirname "$WINEPREFIX")"
exec {lock}>"$ROVENZA_LOCK"
if ! flock -n "$lock"; then
    log "another run uses $WINEPREFIX; waiting for it"
    flock -w 1800 "$lock" || fail "$WINEPREFIX still busy after 30 minutes"
fi
# Anything here without the stamp is a prefix left half made by an interrupted
# set-up, or made with other settings: start again from nothing.
"$ROVENZA_WINESERVER" -k 2>/dev/null && "$ROVENZA_WINESERVER" -w
if [[ -e "$WINEPREFIX" ]]; then
    log "removing $WINEPREFIX (unfinished or outdated set-up)"
    rm -rf "$WINEPREFIX"
fi

tmp=$(mktemp -d /tmp/rovenza-setup.XXXXXX)
on_exit "rm -rf '$tmp'"

log "creating Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
# No display needed; no Mono or Gecko installers (nothing uses them).
if ! DISPLAY='' WINEDLLOVERRIDES='mscoree,mshtml=' "$ROVENZA_WINE" wineboot -i {lock}>&- >"$tmp/wineboot.log" 2>&1; then
    cat "$tmp/wineboot.log" >&2
    fail "wineboot failed"
fi

# Wine looks for its own fonts (Marlett for the caption buttons, the System
# and Fixedsys bitmap fonts) in C:\windows\Fonts; Debian keeps them in
# /usr/share/wine/fonts, where Wine 8 does not look.
for f in /usr/share/wine/fonts/*; do
    ln -sfn "$f" "$WINEPREFIX/drive_c/windows/Fonts/${f##*/}"
done

{
    printf '\xff\xfe'
    printf '%s' "$reg_text" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} >"$tmp/rovenza.reg"
DISPLAY='' "$ROVENZA_WINE" regedit /S "Z:${tmp//\//\\}\\rovenza.reg" {lock}>&-
"$ROVENZA_WINESERVER" -w

mkdir -p "$(dirname "$ROVENZA_WINECHECK")"
x86_64-w64-mingw32-gcc -O1 -o "$ROVENZA_WINECHECK" "$check_source" -lgdi32 -luser32

exec {lock}>&-

# --- check ------------------------------------------------------------------
log "checking code page and fonts"
(start_display && start_session --unchecked) || fail "Wine does not start in the new prefix"
declare -A got=()
while IFS='=' read -r key value; do
    got[$key]=$value
done < <(tr -d '\r' <"$WINEPREFIX/.rovenza-check" | iconv -f CP932 -t UTF-8)
[[ "${got[acp]:-}" == 932 ]] || fail "GetACP() under Wine is '${got[acp]:-}', expected 932"
# Wine reports the replacement under the requested name; the font behind it
# must be IPA P Gothic (an unmapped name falls back to IPA Gothic).
[[ "${got[full]:-}" == IPAPGothic* ]] ||
    fail "font 'ＭＳ Ｐゴシック' resolves to '${got[face]:-}' (${got[full]:-}), expected IPAPGothic"
[[ "${got[charset]:-}" == 128 ]] || fail "font charset is '${got[charset]:-}', expected 128 (SHIFTJIS_CHARSET)"
log "GetACP()=${got[acp]}, 'ＭＳ Ｐゴシック' -> ${got[full]}, charset ${got[charset]}"

printf '%s\n' "$stamp" >"$ROVENZA_STAMP"
log "Wine prefix ready: $WINEPREFIX"
