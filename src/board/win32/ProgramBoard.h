#pragma once
// The sign board of the running program as the layout file readers and
// the writer see it: the record in AppState, the main (or a face's) and clip windows
// through the window objects, the operation panel's controls, the picture
// and roll operations of the signs, and message boxes owned by the main
// window.
#include <string>
#include <utility>

#include "layout/LayoutSink.h"
#include "layout/PathReach.h"
#include "state/win32/WindowObjects.h"

namespace rovenza {

class ProgramBoard : public LayoutSink {
 public:
  ProgramBoard() = default;
  // A board read from the layout file `layoutFile`: a picture or frame
  // folder it names that does not exist is looked for beside that file. One
  // that `permit` does not allow is kept as named and never opened while the
  // layout is open (the sign or background stays empty).
  // `face`: the vehicle's face the board stands for (0, the main window's,
  // unless a further face's window is meant); only the main window's board
  // sets the operation panel.
  ProgramBoard(std::string layoutFile, PathPermit permit, int face = 0)
      : layoutFile_(std::move(layoutFile)), permit_(std::move(permit)), face_(face) {}

  const Layout& layout() const override;
  void setBackgroundPicture(const std::string& path) override;
  void setKind(int sign, std::uint8_t kind) override;
  void setSpeed(int sign, std::int32_t milliseconds) override;
  void setInterval(int sign, std::int32_t milliseconds) override;
  void setCornerRound(int sign, std::int32_t pixels) override;
  void setPicturePath(int sign, const std::string& path) override;

  std::int32_t formWidth() const override;
  std::int32_t formHeight() const override;
  std::int32_t signLeft(int sign) const override;
  std::int32_t signTop(int sign) const override;
  std::int32_t signWidth(int sign) const override;
  std::int32_t signHeight(int sign) const override;
  void setFormWidth(std::int32_t width) override;
  void setFormHeight(std::int32_t height) override;
  void setSignLeft(int sign, std::int32_t left) override;
  void setSignTop(int sign, std::int32_t top) override;
  void setSignWidth(int sign, std::int32_t width) override;
  void setSignHeight(int sign, std::int32_t height) override;
  void showSign(int sign, bool visible) override;

  void setSpeedUpDown(int sign, std::int16_t position) override;
  void setIntervalUpDown(int sign, std::int16_t position) override;
  void setNumberDisplay(int sign, const std::string& text) override;
  void setPanelWidth(std::int32_t width) override;

  void loadBackground() override;
  void showStripPicture(int sign) override;
  void releaseSignPicture(int sign) override;
  void moveSignHome(int sign) override;
  void applyCornerRounding(int sign) override;
  void rollSign(int sign) override;
  void resetSign(int sign) override;

  void reportNotLayoutFile() override;
  void reportReadError(SystemError error) override;
  void reportSaveError(SystemError error) override;

 private:
  // The path a layout takes for `stored`, and whether it may be opened.
  std::string placeOf(const std::string& stored, bool& refused) const;

  // The window whose outer size the layout's form size is.
  const TopWindow& boardWindow() const;
  // The program's index of the face's `sign`.
  int at(int sign) const;
  bool onPanel() const { return face_ == 0; }

  std::string layoutFile_;
  PathPermit permit_;
  int face_ = 0;
};

}  // namespace rovenza
