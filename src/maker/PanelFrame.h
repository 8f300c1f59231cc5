#pragma once
// An LED frame as a panel that plays pictures from a card wants it: one
// pixel a dot at the panel's size, the dots the program sends a panel on the
// network for the frame (each dot the brightest pixel of its cell, an unlit
// cell black), at the panel's brightness cap.
#include "feed/PanelDots.h"
#include "record/Picture.h"

namespace rovenza {

struct PanelOutput {
  PanelSize size{128, 32};
  int cap = kDefaultBrightnessCap;  // percent
};

// `frame` (its whole picture the opening) reduced to the panel's dots;
// empty for a panel the feed would not take.
Picture panelFrame(const Picture& frame, const PanelOutput& panel);

}  // namespace rovenza
