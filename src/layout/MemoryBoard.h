#pragma once
// A sign board held in memory: the record, the geometry and the panel's
// values, with the steps that put a layout on screen doing nothing. Tools
// build layouts with it to write them through the same writer as the
// program.
#include <cstdint>
#include <string>

#include "layout/LayoutSink.h"

namespace rovenza {

struct SignPlace {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool visible = true;
};

class MemoryBoard : public LayoutSink {
 public:
  Layout record;
  std::int32_t width = 0;  // main window, outer size
  std::int32_t height = 0;
  SignPlace places[kSignCount];
  std::int32_t panelWidth = 0;
  SystemError lastError = 0;  // of the last message, 0 when none was shown

  const Layout& layout() const override { return record; }
  void setBackgroundPicture(const std::string& path) override { record.backgroundPicture = path; }
  void setKind(int sign, std::uint8_t kind) override { record.signs[sign].kind = kind; }
  void setSpeed(int sign, std::int32_t ms) override { record.signs[sign].speed = ms; }
  void setInterval(int sign, std::int32_t ms) override { record.signs[sign].interval = ms; }
  void setCornerRound(int sign, std::int32_t pixels) override { record.signs[sign].cornerRound = pixels; }
  void setPicturePath(int sign, const std::string& path) override { record.signs[sign].picturePath = path; }

  std::int32_t formWidth() const override { return width; }
  std::int32_t formHeight() const override { return height; }
  std::int32_t signLeft(int sign) const override { return places[sign].left; }
  std::int32_t signTop(int sign) const override { return places[sign].top; }
  std::int32_t signWidth(int sign) const override { return places[sign].width; }
  std::int32_t signHeight(int sign) const override { return places[sign].height; }
  void setFormWidth(std::int32_t w) override { width = w; }
  void setFormHeight(std::int32_t h) override { height = h; }
  void setSignLeft(int sign, std::int32_t v) override { places[sign].left = v; }
  void setSignTop(int sign, std::int32_t v) override { places[sign].top = v; }
  void setSignWidth(int sign, std::int32_t v) override { places[sign].width = v; }
  void setSignHeight(int sign, std::int32_t v) override { places[sign].height = v; }
  void showSign(int sign, bool visible) override { places[sign].visible = visible; }

  void setSpeedUpDown(int, std::int16_t) override {}
  void setIntervalUpDown(int, std::int16_t) override {}
  void setNumberDisplay(int, const std::string&) override {}
  void setPanelWidth(std::int32_t w) override { panelWidth = w; }

  void loadBackground() override {}
  void showStripPicture(int) override {}
  void releaseSignPicture(int) override {}
  void moveSignHome(int) override {}
  void applyCornerRounding(int) override {}
  void rollSign(int) override {}
  void resetSign(int) override {}

  void reportNotLayoutFile() override { lastError = kErrorInvalidData; }
  void reportReadError(SystemError error) override { lastError = error; }
  void reportSaveError(SystemError error) override { lastError = error; }
};

}  // namespace rovenza
