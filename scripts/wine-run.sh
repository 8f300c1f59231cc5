#!/usr/bin/env bash
# Runs a Windows program under Wine in the Rovenza prefix with the Japanese
# locale (CP932). CTest uses it as the cross-compiling emulator:
#   scripts/wine-run.sh program.exe [args...]
# Reuses $DISPLAY when it answers, otherwise runs on a private Xvfb.
# Exits with the program's exit status.
set -euo pipefail

# shellcheck source=env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

if [[ $# -eq 0 ]]; then
    echo "usage: $0 program.exe [args...]" >&2
    exit 2
fi
ensure_display
wine_session || exit 125

if [[ -z "$ROVENZA_XVFB_PID" ]]; then
    exec "$ROVENZA_WINE" "$@"
fi
# We own an Xvfb: stay around to stop it once the program is done.
status=0
"$ROVENZA_WINE" "$@" || status=$?
exit "$status"
