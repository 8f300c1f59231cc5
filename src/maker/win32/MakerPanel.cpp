#include "maker/win32/MakerPanel.h"

#include "feed/PanelSettings.h"
#include "feed/win32/PanelFeedWindow.h"
#include "maker/win32/MakerCommands.h"
#include "maker/win32/MakerControls.h"
#include "maker/win32/MakerWindow.h"

namespace rovenza {

namespace {

using namespace maker_ids;

// The panel as the window gives it; false, said, for a size the feed would
// not take.
bool chosenPanel(PanelOutput& panel) {
  const PanelSize size{makerNumber(kPanelDotsAcross), makerNumber(kPanelDotsDown)};
  if (!panelSizeAllowed(size)) {
    makerMessage(panelSettingMessage(PanelSettingFault::Size));
    SetFocus(makerItem(kPanelDotsAcross));
    return false;
  }
  panel.size = size;
  panel.cap = keptFeedSettings(FeedKey{0, chosenSign()}, size).cap;
  return true;
}

}  // namespace

void makePanelCommand() {
  PanelOutput panel;
  if (!designWritable(currentDesign(), false) || !chosenPanel(panel)) return;
  const std::string folder = chooseLedFolder();
  if (!folder.empty()) makePanelFolder(folder);
}

bool makePanelFolder(const std::string& folder) {
  return runMakerCommand([&folder] {
    const SignDesign design = currentDesign();
    PanelOutput panel;
    if (!designWritable(design, false) || !chosenPanel(panel) || !writeLedFolderAsked(design, folder, &panel)) {
      return false;
    }
    makerState().unwritten = false;
    return true;
  });
}

}  // namespace rovenza
