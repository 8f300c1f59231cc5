/* Opens a Wine session and reports what the program relies on in it.
 *
 * scripts/env.sh runs this as the first program of every session, with its
 * output going to a file: Wine starts its background processes (services,
 * explorer.exe holding the desktop) from the first program that needs them,
 * with that program's output handles. Started from here they never hold a
 * test's output pipe open.
 *
 * Prints one "key=value" line each: the ANSI code page, the face and full
 * name behind "ＭＳ Ｐゴシック", its character set, and the desktop size
 * (GetDesktopWindow starts the desktop). setup.sh checks these. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(void) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    printf("acp=%u\n", GetACP());

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
    printf("face=%s\nfull=%s\ncharset=%d\n", face, full, tm.tmCharSet);
    printf("desktop=%ldx%ld\n", desktop.right - desktop.left, desktop.bottom - desktop.top);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return 0;
}
