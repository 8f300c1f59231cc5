#!/usr/bin/env bash
# Takes the README's pictures under a private 1024x768 Xvfb:
#   docs/images/main-window.png   the main window with the demo board
#   docs/images/main-window-effects.png   the same with 設定 > 表示効果 on
#   docs/images/panel.png         the operation panel
#   docs/images/layout-form.png   the layout form (Settings > Settings...)
#   docs/images/maker-window.png  the sign maker (File > Make a sign) with the demo bus line
#   docs/images/panel-feed.png    the LED panel feed window (Settings > LEDパネルへ送信)
#   scripts/screenshots.sh [layout.qv4]
# or, with --vehicle, only
#   docs/images/vehicle.png       the demo bus's three faces and the setting box, set to code 201
#   scripts/screenshots.sh --vehicle [vehicle.rvh]
# Builds the win64 program (and the demo board or vehicle) first.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
# shellcheck source=env.sh
source scripts/env.sh

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target rovenza
exe="$ROVENZA_ROOT/build/win64/rovenza.exe"

# The demo board: a layout file given as the argument, else the one the
# layout tool writes for this checkout (its pictures are named by absolute
# paths, so it is made here rather than kept in the repository).
vehicle=0
if [[ "${1:-}" == --vehicle ]]; then
    vehicle=1
    shift
fi
board=${1:-}
if [[ -z "$board" ]] && ((vehicle)); then
    board=$(demo_vehicle) || { echo "screenshots.sh: could not write the demo vehicle (target demo_vehicle)" >&2; exit 1; }
elif [[ -z "$board" ]]; then
    board=$(demo_board) || { echo "screenshots.sh: could not write the demo board (target demo_layout)" >&2; exit 1; }
fi
if [[ ! -f "$board" ]]; then
    echo "screenshots.sh: no layout or vehicle file $board" >&2
    exit 1
fi

# The helper that finds the program's windows and sends it menu commands.
helper=$(shot_helper)

# Always a fresh private screen, so that the pictures do not depend on what
# else runs on a shared display.
unset DISPLAY
start_display
start_session
shot() { "$ROVENZA_WINE" "$helper" "$@" | tr -d '\r'; }

"$ROVENZA_WINE" "$exe" "$("$ROVENZA_WINE" winepath -w "$(realpath "$board")" 2>/dev/null | tr -d '\r')" \
    >/dev/null 2>&1 &
pid=$!
on_exit "kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true"

out="$ROVENZA_ROOT/docs/images"
mkdir -p "$out"
screen=$(mktemp /tmp/rovenza-screen.XXXXXX.png)
on_exit "rm -f '$screen'"

# Saves the part of the screen covered by one of the program's windows.
save() { # window name
    local geometry left top width height
    geometry=$(shot rect "$1") || { echo "screenshots.sh: no $1 window" >&2; return 1; }
    read -r left top width height <<<"$geometry"
    import -window root "$screen"
    convert "$screen" -crop "${width}x${height}+${left}+${top}" +repage "$out/$2"
    echo "Saved docs/images/$2 (${width}x${height})"
}

# The splash keeps the main window disabled for five seconds, then the board opens.
shot wait-ready || { echo "screenshots.sh: the main window did not become ready" >&2; exit 1; }
sleep 1 # let the board paint

if ((vehicle)); then
    # The faces beside the main window, the setting box under it, the panel
    # out of the picture; then code 201 set, and the picture taken once the
    # film has rolled.
    for face in 側面 後面; do
        shot wait "$face" || { echo "screenshots.sh: no face window $face" >&2; exit 1; }
    done
    shot wait box || { echo "screenshots.sh: the setting box did not open" >&2; exit 1; }
    shot move main 0 0
    shot move 側面 462 0
    shot move 後面 462 350
    shot move box 0 452
    shot move panel 950 0
    shot cursor 1020 760
    for id in 1103 1101 1102 1112; do # "2", "0", "1", "設定"
        shot press box "$id" || echo "screenshots.sh: could not press setting box control $id" >&2
    done
    sleep 3 # the film rolls five frames
    read -r _ _ side_width _ < <(shot rect 側面)
    read -r _ _ _ rear_height < <(shot rect 後面)
    import -window root "$screen"
    convert "$screen" -crop "$((462 + side_width))x$((350 + rear_height))+0+0" +repage "$out/vehicle.png"
    echo "Saved docs/images/vehicle.png"
    exit 0
fi
# Main window at the top left, the panel beside it, so that neither covers the other.
shot move main 0 0
shot move panel 470 0
shot cursor 1020 760
# Wind the roll-film sign to its 回送 frame and the LED board to its third frame.
for id in 1009 1019 1022 1030; do # "1", "ON" of the 1st sign; "2", "ON" of the 2nd
    shot click "$id" || echo "screenshots.sh: could not click panel control $id" >&2
done
sleep 1
save main main-window.png
save panel panel.png

# The board with the signs' look (設定 > 表示効果), then off again as the
# program beside the build keeps it.
shot command 1097
sleep 1
save main main-window-effects.png
shot command 1097
sleep 1
shot command 1098 # File > Make a sign...
shot wait maker || { echo "screenshots.sh: the sign maker did not open" >&2; exit 1; }
shot move maker 0 0
shot press maker 1305 # CSV読込(&I)...
shot file-dialog "CSVファイルを開く" "$("$ROVENZA_WINE" winepath -w "$ROVENZA_ROOT/demo/bus-line.csv" 2>/dev/null | tr -d '\r')" ||
    echo "screenshots.sh: could not open the demo CSV in the sign maker" >&2
sleep 1
save maker maker-window.png
shot press maker 1323 # 閉じる(&C)

shot command 1105 # Settings > LEDパネルへ送信...
shot wait "LEDパネルへ送信" || { echo "screenshots.sh: the panel feed window did not open" >&2; exit 1; }
shot move "LEDパネルへ送信" 0 0
sleep 1
save "LEDパネルへ送信" panel-feed.png
shot close "LEDパネルへ送信"

shot command 1092 # Settings > Settings...
shot wait form || { echo "screenshots.sh: the layout form did not open" >&2; exit 1; }
sleep 1
shot move form 0 0
sleep 1
save form layout-form.png
