#pragma once
// A sign board in memory for the layout file tests: it holds the record,
// the geometry and the panel's fields, and logs every call in order.
#include <cstdint>
#include <string>
#include <vector>

#include "layout/LayoutSink.h"

namespace rovenza::test {

struct BoardGeometry {
  std::int32_t formWidth = 450;
  std::int32_t formHeight = 450;
  std::int32_t left[kSignCount] = {77, 231};
  std::int32_t top[kSignCount] = {26, 26};
  std::int32_t width[kSignCount] = {123, 123};
  std::int32_t height[kSignCount] = {57, 57};
  bool visible[kSignCount] = {true, true};
};

class FakeBoard : public LayoutSink {
 public:
  Layout record;
  BoardGeometry geometry;
  std::int16_t speedUpDown[kSignCount] = {0, 0};
  std::int16_t intervalUpDown[kSignCount] = {0, 0};
  std::string numberDisplay[kSignCount];
  std::int32_t panelWidth = 270;
  std::vector<std::string> calls;          // every setter and step, in order
  mutable std::vector<std::string> reads;  // every getter, in order
  std::vector<SystemError> readErrors;
  std::vector<SystemError> saveErrors;
  int notLayoutMessages = 0;

  const Layout& layout() const override { return record; }
  void setBackgroundPicture(const std::string& path) override {
    log("background " + path);
    record.backgroundPicture = path;
  }
  void setKind(int sign, std::uint8_t kind) override {
    log("kind", sign, kind);
    record.signs[sign].kind = kind;
  }
  void setSpeed(int sign, std::int32_t ms) override {
    log("speed", sign, ms);
    record.signs[sign].speed = ms;
  }
  void setInterval(int sign, std::int32_t ms) override {
    log("interval", sign, ms);
    record.signs[sign].interval = ms;
  }
  void setCornerRound(int sign, std::int32_t pixels) override {
    log("cornerRound", sign, pixels);
    record.signs[sign].cornerRound = pixels;
  }
  void setPicturePath(int sign, const std::string& path) override {
    log("picture" + std::to_string(sign) + " " + path);
    record.signs[sign].picturePath = path;
  }

  std::int32_t formWidth() const override { return got("formWidth", geometry.formWidth); }
  std::int32_t formHeight() const override { return got("formHeight", geometry.formHeight); }
  std::int32_t signLeft(int s) const override { return got("left" + std::to_string(s), geometry.left[s]); }
  std::int32_t signTop(int s) const override { return got("top" + std::to_string(s), geometry.top[s]); }
  std::int32_t signWidth(int s) const override { return got("width" + std::to_string(s), geometry.width[s]); }
  std::int32_t signHeight(int s) const override { return got("height" + std::to_string(s), geometry.height[s]); }
  void setFormWidth(std::int32_t v) override {
    log("formWidth " + std::to_string(v));
    geometry.formWidth = v;
  }
  void setFormHeight(std::int32_t v) override {
    log("formHeight " + std::to_string(v));
    geometry.formHeight = v;
  }
  void setSignLeft(int s, std::int32_t v) override {
    log("left", s, v);
    geometry.left[s] = v;
  }
  void setSignTop(int s, std::int32_t v) override {
    log("top", s, v);
    geometry.top[s] = v;
  }
  void setSignWidth(int s, std::int32_t v) override {
    log("width", s, v);
    geometry.width[s] = v;
  }
  void setSignHeight(int s, std::int32_t v) override {
    log("height", s, v);
    geometry.height[s] = v;
  }
  void showSign(int s, bool visible) override {
    log(visible ? "show" : "hide", s);
    geometry.visible[s] = visible;
  }

  void setSpeedUpDown(int s, std::int16_t v) override {
    log("speedUpDown", s, v);
    speedUpDown[s] = v;
  }
  void setIntervalUpDown(int s, std::int16_t v) override {
    log("intervalUpDown", s, v);
    intervalUpDown[s] = v;
  }
  void setNumberDisplay(int s, const std::string& text) override {
    log("display" + std::to_string(s) + " " + text);
    numberDisplay[s] = text;
  }
  void setPanelWidth(std::int32_t w) override {
    log("panelWidth " + std::to_string(w));
    panelWidth = w;
  }

  void loadBackground() override { log("loadBackground"); }
  void showStripPicture(int s) override { log("showStripPicture", s); }
  void releaseSignPicture(int s) override { log("releaseSignPicture", s); }
  void moveSignHome(int s) override { log("moveSignHome", s); }
  void applyCornerRounding(int s) override { log("applyCornerRounding", s); }
  void rollSign(int s) override { log("rollSign", s); }
  void resetSign(int s) override { log("resetSign", s); }

  void reportNotLayoutFile() override {
    log("message notLayoutFile");
    ++notLayoutMessages;
  }
  void reportReadError(SystemError e) override {
    log("message readError");
    readErrors.push_back(e);
  }
  void reportSaveError(SystemError e) override {
    log("message saveError");
    saveErrors.push_back(e);
  }

  // Everything a reader can change, for comparing whole board states.
  std::string state() const {
    std::string s = record.backgroundPicture + "|" + std::to_string(geometry.formWidth) + "x" +
                    std::to_string(geometry.formHeight);
    for (int i = 0; i < kSignCount; ++i) {
      const SignSpec& sign = record.signs[i];
      s += "|" + std::to_string(sign.kind) + "," + std::to_string(geometry.left[i]) + "," +
           std::to_string(geometry.top[i]) + "," + std::to_string(geometry.width[i]) + "," +
           std::to_string(geometry.height[i]) + "," + std::to_string(sign.speed) + "," +
           std::to_string(sign.interval) + "," + std::to_string(speedUpDown[i]) + "," +
           std::to_string(intervalUpDown[i]) + "," + std::to_string(sign.cornerRound) + "," + sign.picturePath +
           "," + (geometry.visible[i] ? "shown" : "hidden") + "," + numberDisplay[i];
    }
    return s + "|" + std::to_string(panelWidth);
  }

 private:
  void log(const std::string& call) { calls.push_back(call); }
  void log(const std::string& name, int sign) { calls.push_back(name + " " + std::to_string(sign)); }
  void log(const std::string& name, int sign, long long value) {
    calls.push_back(name + std::to_string(sign) + " " + std::to_string(value));
  }
  std::int32_t got(const std::string& name, std::int32_t value) const {
    reads.push_back(name);
    return value;
  }
};

}  // namespace rovenza::test
