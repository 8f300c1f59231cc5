#pragma once
// What the layout file readers and the writer work on: the layout record,
// the windows that hold the board's geometry, the operation panel, the
// steps that put a layout on screen, and the messages to the user. The
// Win32 shell implements it with the program's windows; tests fake it.
#include <cstdint>
#include <string>

#include "layout/FileSystem.h"
#include "layout/Layout.h"

namespace rovenza {

class LayoutSink {
 public:
  virtual ~LayoutSink() = default;

  // The record.
  virtual const Layout& layout() const = 0;
  virtual void setBackgroundPicture(const std::string& path) = 0;
  virtual void setKind(int sign, std::uint8_t kind) = 0;
  virtual void setSpeed(int sign, std::int32_t milliseconds) = 0;
  virtual void setInterval(int sign, std::int32_t milliseconds) = 0;
  virtual void setCornerRound(int sign, std::int32_t pixels) = 0;
  virtual void setPicturePath(int sign, const std::string& path) = 0;

  // The geometry: the main window's outer size, each clip window's client
  // place and size.
  virtual std::int32_t formWidth() const = 0;
  virtual std::int32_t formHeight() const = 0;
  virtual std::int32_t signLeft(int sign) const = 0;
  virtual std::int32_t signTop(int sign) const = 0;
  virtual std::int32_t signWidth(int sign) const = 0;
  virtual std::int32_t signHeight(int sign) const = 0;
  virtual void setFormWidth(std::int32_t width) = 0;
  virtual void setFormHeight(std::int32_t height) = 0;
  virtual void setSignLeft(int sign, std::int32_t left) = 0;
  virtual void setSignTop(int sign, std::int32_t top) = 0;
  virtual void setSignWidth(int sign, std::int32_t width) = 0;
  virtual void setSignHeight(int sign, std::int32_t height) = 0;
  virtual void showSign(int sign, bool visible) = 0;  // the clip window

  // The operation panel.
  virtual void setSpeedUpDown(int sign, std::int16_t position) = 0;
  virtual void setIntervalUpDown(int sign, std::int16_t position) = 0;
  virtual void setNumberDisplay(int sign, const std::string& text) = 0;
  virtual void setPanelWidth(std::int32_t width) = 0;

  // Putting pictures and signs on screen.
  virtual void loadBackground() = 0;             // from the record's background path, repainted at once
  virtual void showStripPicture(int sign) = 0;   // the strip picture at frame 0
  virtual void releaseSignPicture(int sign) = 0; // the sign's bitmap slot becomes empty
  virtual void moveSignHome(int sign) = 0;       // sign window to (0, 0), repainted at once
  virtual void applyCornerRounding(int sign) = 0;
  virtual void rollSign(int sign) = 0;
  virtual void resetSign(int sign) = 0;

  // Messages, each a modal box owned by the main window.
  virtual void reportNotLayoutFile() = 0;
  virtual void reportReadError(SystemError error) = 0;
  virtual void reportSaveError(SystemError error) = 0;
};

}  // namespace rovenza
