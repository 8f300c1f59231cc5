#pragma once
// What a file or folder dropped on the main window does.
#include <string_view>

#include "layout/Layout.h"

namespace rovenza {

enum class DropAction {
  Ignore,         // nothing happens and nothing is said
  OpenLayout,     // the layout file is opened as the command line opens it
  OpenVehicle,    // the vehicle file is opened as the command line opens it
  StripPicture,   // the picture becomes the roll-film sign's strip
  FrameFolder,    // the folder becomes the LED sign's frame folder
  Background      // the picture becomes the board's background
};

struct DropTarget {
  DropAction action = DropAction::Ignore;
  int sign = -1;  // the sign for StripPicture and FrameFolder
};

// The target of a drop of `path` (a folder when `isFolder`). `signUnder` is
// the sign whose opening lies under the drop point (-1 for none: the
// board's background), `kind` that sign's kind. A layout file (".qv4",
// ".qv3", ".qvd", by the last four bytes as the command line reads them)
// and a vehicle file (".rvh") open wherever they are dropped; a file on a roll-film opening is its strip,
// a folder on an LED opening its frame folder, a file elsewhere the
// background; anything else is ignored. Whether a file is a picture at all
// the caller finds out by decoding it.
DropTarget dropTargetFor(std::string_view path, bool isFolder, int signUnder, SignKind kind);

}  // namespace rovenza
