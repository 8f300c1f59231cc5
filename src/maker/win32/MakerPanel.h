#pragma once
// The sign maker's LED folder for a panel that plays pictures from a card:
// each frame one pixel a dot at the panel's size typed in the window, the
// dots the program would send the chosen sign's panel, at the brightness cap
// its panel settings keep.
#include <string>

namespace rovenza {

// The folder dialog, then the folder written.
void makePanelCommand();

// Writes the panel's frames into `folder` as one set, after asking when it
// holds frames already; a panel size the feed would refuse, or a failure,
// is said. True when written.
bool makePanelFolder(const std::string& folder);

}  // namespace rovenza
