#!/usr/bin/env bash
# Prepares a Debian 12 machine for building, running and testing Rovenza:
# packages, the ja_JP.UTF-8 locale and a private Wine prefix (CP932, Japanese
# font replacements, no window manager waits, no crash dialog).
# Run as root. Idempotent: a second run only checks and returns in a moment.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

packages=(
    g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine wine64
    xvfb xauth x11-utils imagemagick
    fonts-ipafont locales
    googletest cmake g++ clang libclang-rt-14-dev
    fp-utils python3
)

log() { printf 'setup: %s\n' "$*"; }

as_root() {
    if [[ $EUID -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "setup: need root for: $*" >&2
        exit 1
    fi
}

# --- packages ---------------------------------------------------------------
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
    grep -qx "$p installed" <<<"$installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    log "installing ${missing[*]}"
    # Wait for another apt/dpkg run instead of failing on its lock.
    apt_opts=(-o DPkg::Lock::Timeout=1800 -o Acquire::Retries=3)
    as_root env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" install -y -qq "${missing[@]}"
fi

# --- locale -----------------------------------------------------------------
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    log "generating ja_JP.UTF-8 locale"
    if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root localedef -i ja_JP -c -f UTF-8 -A /usr/share/locale/locale.alias ja_JP.UTF-8
    # This shell loaded the old locale archive; start again to see the new one.
    exec bash "${BASH_SOURCE[0]}" "$@"
fi

# --- Wine prefix ------------------------------------------------------------
# shellcheck source=env.sh
source "$here/env.sh"

# Registry settings for the prefix. Written as a version 5 .reg file, which
# regedit reads as UTF-16LE, so the Japanese value names arrive intact
# (a REGEDIT4 file would be read in the ANSI code page).
#  - Font replacements: the MS Japanese faces the program asks for map to IPA
#    fonts (family names as fc-list reports them).
#  - Managed=N: with no window manager, Wine otherwise waits about 2 s for
#    the WM every time it hides a top-level window.
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
# Desktop keeper used by wine_session (see env.sh): holds the Wine desktop open
# on its display and exits within a second once that X server is gone.
keeper_source='#include <windows.h>
#include <stdio.h>
int main() {
    RECT r;
    GetWindowRect(GetDesktopWindow(), &r);
    printf("ready %ld %ld\n", r.right - r.left, r.bottom - r.top);
    fflush(stdout);
    SetTimer(NULL, 0, 1000, NULL);
    MSG m;
    while (GetMessageA(&m, NULL, 0, 0) > 0) {
        if (m.message == WM_TIMER) {
            /* A round trip to the X server: ends the process once it is gone. */
            HDC dc = GetDC(NULL);
            GetPixel(dc, 0, 0);
            ReleaseDC(NULL, dc);
        }
        DispatchMessageA(&m);
    }
    return 0;
}
'
stamp_key="rovenza-prefix-v2 $(printf '%s\n%s' "$reg_text" "$keeper_source" | sha256sum | cut -d' ' -f1)"

if [[ -f "$ROVENZA_PREFIX_STAMP" && "$(cat "$ROVENZA_PREFIX_STAMP")" == "$stamp_key" ]]; then
    exit 0
fi

tmp=$(mktemp -d /tmp/rovenza-setup.XXXXXX)
_rovenza_on_exit "rm -rf '$tmp'"

# A server left running for this prefix (persistent, from earlier runs) would
# make 'wineserver -w' below wait forever.
rm -f "$ROVENZA_PREFIX_STAMP"
"$ROVENZA_WINESERVER" -k >/dev/null 2>&1 || true

if [[ ! -f "$WINEPREFIX/system.reg" || ! -f "$WINEPREFIX/.rovenza-wineboot" ]]; then
    log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # No display needed; skip the Mono and Gecko installers (nothing uses them).
    DISPLAY='' WINEDLLOVERRIDES='mscoree,mshtml=' "$ROVENZA_WINE" wineboot -i >"$tmp/wineboot.log" 2>&1 || {
        cat "$tmp/wineboot.log" >&2
        exit 1
    }
    "$ROVENZA_WINESERVER" -w
    touch "$WINEPREFIX/.rovenza-wineboot"
fi

# Wine looks for its own fonts (Marlett for the caption buttons, the System
# and Fixedsys bitmap fonts, Japanese variants included) in C:\windows\Fonts,
# but Debian keeps them in /usr/share/wine/fonts, which Wine 8 never finds
# there: caption buttons would show as "0 1 r". Link them into the prefix.
log "linking Wine's fonts"
for f in /usr/share/wine/fonts/*; do
    [[ -f "$f" ]] && ln -sfn "$f" "$WINEPREFIX/drive_c/windows/Fonts/${f##*/}"
done

log "importing registry settings"
{
    printf '\xff\xfe'
    printf '%s' "$reg_text" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} >"$tmp/rovenza.reg"
DISPLAY='' "$ROVENZA_WINE" regedit /S "Z:${tmp//\//\\}\\rovenza.reg"
"$ROVENZA_WINESERVER" -w

log "building the desktop keeper"
keeper="$WINEPREFIX/$ROVENZA_KEEPER_PATH"
mkdir -p "$(dirname "$keeper")"
printf '%s' "$keeper_source" >"$tmp/keeper.c"
x86_64-w64-mingw32-gcc -O1 -o "$keeper" "$tmp/keeper.c" -luser32 -lgdi32

# --- verification -----------------------------------------------------------
# wine-run.sh needs the stamp; it is taken back unless every check passes.
printf '%s\n' "$stamp_key" >"$ROVENZA_PREFIX_STAMP"
_rovenza_on_exit '[[ -f "$tmp/verified" ]] || rm -f "$ROVENZA_PREFIX_STAMP"'
# Checks run in the configured prefix itself, never in a copy.
export ROVENZA_MAX_SESSIONS=1
log "checking code page and fonts"
cat >"$tmp/acp.cpp" <<'EOF'
#include <windows.h>
#include <stdio.h>
int main() { printf("%u\n", GetACP()); return 0; }
EOF
cat >"$tmp/font.cpp" <<'EOF'
#include <windows.h>
#include <stdio.h>
#include <string.h>
int main() {
    HDC dc = CreateCompatibleDC(NULL);
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = -16;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    /* "ＭＳ Ｐゴシック" in CP932 */
    strcpy(lf.lfFaceName, "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    static char buf[4096];
    OUTLINETEXTMETRICA *otm = (OUTLINETEXTMETRICA *)buf;
    const char *full = "";
    if (GetOutlineTextMetricsA(dc, sizeof buf, otm))
        full = buf + (size_t)otm->otmpFullName;
    printf("%s\n%d\n%s\n", face, tm.tmCharSet, full);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return 0;
}
EOF
for prog in acp font; do
    x86_64-w64-mingw32-g++ -O1 -o "$tmp/$prog.exe" "$tmp/$prog.cpp" -lgdi32
done

acp=$("$here/wine-run.sh" "$tmp/acp.exe" | tr -d '\r')
if [[ "$acp" != 932 ]]; then
    echo "setup: GetACP() under Wine is '$acp', expected 932" >&2
    exit 1
fi
mapfile -t font_out < <("$here/wine-run.sh" "$tmp/font.exe" | tr -d '\r' | iconv -f CP932 -t UTF-8)
face=${font_out[0]:-}
charset=${font_out[1]:-}
full=${font_out[2]:-}
# Wine reports the replacement under the requested name; the font behind it
# must be IPA P Gothic (an unmapped name falls back to IPA Gothic).
case "$face|$full" in
    "ＭＳ Ｐゴシック|IPAPGothic"* | "IPAPGothic|"* | "IPA Pゴシック|"*) ;;
    *)
        echo "setup: font 'ＭＳ Ｐゴシック' resolves to '$face' ($full), expected IPAPGothic" >&2
        exit 1
        ;;
esac
if [[ "$charset" != 128 ]]; then
    echo "setup: font charset is '$charset', expected 128 (SHIFTJIS_CHARSET)" >&2
    exit 1
fi
log "GetACP()=$acp, 'ＭＳ Ｐゴシック' -> '$face' = $full (charset $charset)"

touch "$tmp/verified"
log "Wine prefix ready: $WINEPREFIX"
