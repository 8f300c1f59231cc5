#pragma once
// Settings > "LEDパネルへ送信(&P)...", and what shows that a sign is fed: the
// main window's title.
namespace rovenza {

extern const char kPanelFeedItemText[];  // "LEDパネルへ送信(&P)..."
extern const char kFeedingTitleEnd[];    // " - LEDパネルへ送信中"

// Tells the feed where its panel file is and listens to it; start-up.
void startPanelFeed();
// Opens the feed's window, or brings it up when it is open already.
void panelFeedCommand();
// The main window's title for whether a recording runs and any sign is fed.
void showMainTitle(bool recording);
// Stops every feed, as the program ends.
void endPanelFeed();

}  // namespace rovenza
