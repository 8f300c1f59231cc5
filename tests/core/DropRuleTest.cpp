// What a file or folder dropped on the main window does.
#include <gtest/gtest.h>

#include "board/DropRule.h"

namespace rovenza {
namespace {

struct Row {
  const char* path;
  bool isFolder;
  int signUnder;
  SignKind kind;
  DropAction action;
  int sign;
};

TEST(DropRule, EachKindOfDropFindsItsTarget) {
  const Row rows[] = {
      {"C:\\b\\board.qv4", false, -1, SignKind::RollFilm, DropAction::OpenLayout, -1},
      {"C:\\b\\board.QV3", false, 0, SignKind::RollFilm, DropAction::OpenLayout, -1},
      {"C:\\b\\board.qvd", false, 1, SignKind::Led, DropAction::OpenLayout, -1},
      {"C:\\b\\bus.rvh", false, 0, SignKind::RollFilm, DropAction::OpenVehicle, -1},
      {"C:\\b\\bus.RVH", false, -1, SignKind::RollFilm, DropAction::OpenVehicle, -1},
      {"C:\\b\\bus.rvh", true, -1, SignKind::RollFilm, DropAction::Ignore, -1},
      {"C:\\b\\strip.png", false, 0, SignKind::RollFilm, DropAction::StripPicture, 0},
      {"C:\\b\\strip.bmp", false, 1, SignKind::RollFilm, DropAction::StripPicture, 1},
      {"C:\\b\\led", true, 1, SignKind::Led, DropAction::FrameFolder, 1},
      {"C:\\b\\back.jpg", false, -1, SignKind::RollFilm, DropAction::Background, -1},
      // A hidden sign has no opening: the drop lands on the background.
      {"C:\\b\\back.jpg", false, 1, SignKind::Hidden, DropAction::Background, -1},
      {"C:\\b\\led", true, 0, SignKind::RollFilm, DropAction::Ignore, -1},
      {"C:\\b\\frame.png", false, 1, SignKind::Led, DropAction::Ignore, -1},
      {"C:\\b\\led", true, -1, SignKind::RollFilm, DropAction::Ignore, -1},
      // A folder named like a layout file is still a folder.
      {"C:\\b\\odd.qv4", true, -1, SignKind::RollFilm, DropAction::Ignore, -1},
      {"", false, -1, SignKind::RollFilm, DropAction::Ignore, -1},
      {"C:\\b\\x.bmp", false, 2, SignKind::RollFilm, DropAction::Background, -1},
  };
  for (const Row& row : rows) {
    const DropTarget target = dropTargetFor(row.path, row.isFolder, row.signUnder, row.kind);
    EXPECT_EQ(row.action, target.action) << row.path << " on " << row.signUnder;
    EXPECT_EQ(row.sign, target.sign) << row.path << " on " << row.signUnder;
  }
}

}  // namespace
}  // namespace rovenza
