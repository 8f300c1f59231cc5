#include "board/DropRule.h"

#include "layout/FileNames.h"

namespace rovenza {

DropTarget dropTargetFor(std::string_view path, bool isFolder, int signUnder, SignKind kind) {
  if (path.empty()) return {};
  if (!isFolder && layoutFormatOf(path) != LayoutFormat::None) return {DropAction::OpenLayout, -1};
  if (!isFolder && isVehicleFileName(path)) return {DropAction::OpenVehicle, -1};
  const bool onSign = validSign(signUnder) && kind != SignKind::Hidden;
  if (!onSign) return isFolder ? DropTarget{} : DropTarget{DropAction::Background, -1};
  if (kind == SignKind::RollFilm && !isFolder) return {DropAction::StripPicture, signUnder};
  if (kind == SignKind::Led && isFolder) return {DropAction::FrameFolder, signUnder};
  return {};
}

}  // namespace rovenza
