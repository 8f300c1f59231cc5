#!/usr/bin/env bash
# Runs a Windows program under Wine in the Rovenza prefix with the Japanese
# locale (CP932) and exits with its status:
#   scripts/wine-run.sh program.exe [args...]
# Inside a run of test.sh (CTest uses this as its emulator) it joins that
# run's session; on its own it starts a display and a session for itself.
set -euo pipefail

# shellcheck source=env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

if (($# == 0)); then
    echo "usage: $0 program.exe [args...]" >&2
    exit 2
fi
if [[ "${ROVENZA_SESSION:-}" == "$WINEPREFIX@${DISPLAY:-}" ]]; then
    exec "$ROVENZA_WINE" "$@"
fi
start_display || exit 125
start_session || exit 125
status=0
"$ROVENZA_WINE" "$@" || status=$?
exit "$status"
