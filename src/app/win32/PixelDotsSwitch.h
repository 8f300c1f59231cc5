#pragma once
// Settings > "LEDを1画素1ドットで表示(&D)": the board's two signs show their
// LED frames one pixel a dot (sign/win32/PixelDots), kept in the look's INI
// file beside the program.
namespace rovenza {

// The item's text; it stands after "LEDパネルへ送信(&P)...".
extern const char kPixelDotsItemText[];
// Sets the board's signs as the switch was left (off when never set) and
// checks the item to match; before any picture is shown.
void startProgramPixelDots();
// The menu item: turns the board's signs one pixel a dot or back, and keeps
// the choice.
void pixelDotsCommand();
// The board's signs back as the item says, once a vehicle that set them
// otherwise has gone.
void boardPixelDotsAsItem();

}  // namespace rovenza
