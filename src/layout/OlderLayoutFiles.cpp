#include "layout/OlderLayoutFiles.h"

#include "layout/LayoutFile.h"

namespace rovenza {

namespace {

// Consumes fields nobody uses, each at its own width.
bool skip16(LayoutFile& file, int count = 1) {
  std::int16_t unused = 0;
  for (int i = 0; i < count; ++i) {
    if (!file.read16(unused)) return false;
  }
  return true;
}

bool skip32(LayoutFile& file, int count = 1) {
  std::int32_t unused = 0;
  for (int i = 0; i < count; ++i) {
    if (!file.read32(unused)) return false;
  }
  return true;
}

// Background picture, board height then width, one unused 32-bit field.
bool readHeader(LayoutFile& file, LayoutSink& sink) {
  std::string text;
  std::int16_t value = 0;
  if (!file.readShortCountedString(text)) return false;
  sink.setBackgroundPicture(text);
  if (!file.read16(value)) return false;
  sink.setFormHeight(heldToRange(twipsToPixels(value), kFormSizeRange));
  if (!file.read16(value)) return false;
  sink.setFormWidth(heldToRange(twipsToPixels(value), kFormSizeRange));
  return skip32(file);
}

// Picture or folder, then left, top, height and width of the clip window,
// then the fields up to the corner rounding (not used by this program).
bool readSignPlace(LayoutFile& file, LayoutSink& sink, int sign) {
  std::string text;
  std::int16_t value = 0;
  if (!file.readShortCountedString(text)) return false;
  sink.setPicturePath(sign, text);
  if (!file.read16(value)) return false;
  sink.setSignLeft(sign, heldToRange(twipsToPixels(value), kSignPlaceRange));
  if (!file.read16(value)) return false;
  sink.setSignTop(sign, heldToRange(twipsToPixels(value), kSignPlaceRange));
  if (!file.read16(value)) return false;
  sink.setSignHeight(sign, heldToRange(twipsToPixels(value), kSignSizeRange));
  if (!file.read16(value)) return false;
  sink.setSignWidth(sign, heldToRange(twipsToPixels(value), kSignSizeRange));
  return skip32(file) && skip16(file, 5) && skip32(file, 2) && skip16(file);
}

bool readCornerRound(LayoutFile& file, LayoutSink& sink, int sign) {
  std::int16_t value = 0;
  if (!file.read16(value)) return false;
  sink.setCornerRound(sign, value);
  return true;
}

bool readVer3SignBlock(LayoutFile& file, LayoutSink& sink, int sign) {
  std::int16_t value = 0;
  if (!readSignPlace(file, sink, sign) || !readCornerRound(file, sink, sign) || !skip16(file)) return false;
  if (!file.read16(value)) return false;
  sink.setSpeedUpDown(sign, value);
  sink.setSpeed(sign, value);
  if (!file.read16(value)) return false;
  sink.setIntervalUpDown(sign, value);
  sink.setInterval(sign, value);
  return skip32(file, 2);
}

bool readVer3Fields(LayoutFile& file, LayoutSink& sink, std::int16_t& signCount) {
  if (!readHeader(file, sink) || !file.read16(signCount)) return false;
  if (!readVer3SignBlock(file, sink, 0) || !readVer3SignBlock(file, sink, 1)) return false;
  std::int16_t hidden = 0;
  if (!file.read16(hidden)) return false;
  sink.showSign(0, hidden != 1);
  sink.setKind(0, static_cast<std::uint8_t>(SignKind::RollFilm));
  if (!file.read16(hidden)) return false;
  if (hidden == 1) {
    sink.showSign(1, false);
    sink.setKind(1, static_cast<std::uint8_t>(SignKind::Hidden));
  } else {
    sink.showSign(1, true);
    sink.setKind(1, static_cast<std::uint8_t>(SignKind::RollFilm));
  }
  return true;
}

bool readDigitalFields(LayoutFile& file, LayoutSink& sink) {
  if (!readHeader(file, sink) || !skip16(file)) return false;
  if (!readSignPlace(file, sink, 0) || !readCornerRound(file, sink, 0)) return false;
  sink.showSign(0, true);
  sink.setKind(0, static_cast<std::uint8_t>(SignKind::Led));
  sink.showSign(1, false);
  sink.setKind(1, static_cast<std::uint8_t>(SignKind::Hidden));
  sink.setPicturePath(1, std::string());
  return true;
}

}  // namespace

void applyVer3Layout(LayoutSink& sink, std::int16_t signCount) {
  sink.loadBackground();
  sink.showStripPicture(0);
  sink.showStripPicture(1);
  sink.setPanelWidth(signCount == 2 ? kPanelWidthTwoSigns : kPanelWidthOneSign);
  sink.applyCornerRounding(0);
  sink.applyCornerRounding(1);
  sink.rollSign(0);
  sink.rollSign(1);
}

void applyDigitalLayout(LayoutSink& sink) {
  sink.loadBackground();
  for (int sign = 0; sign < kSignCount; ++sign) {
    sink.releaseSignPicture(sign);
    sink.moveSignHome(sign);
    sink.setNumberDisplay(sign, "0");
  }
  sink.setPanelWidth(kPanelWidthOneSign);
  sink.applyCornerRounding(0);
  sink.applyCornerRounding(1);
  sink.rollSign(0);
  sink.rollSign(1);
}

ReadOutcome readVer3LayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink) {
  LayoutFile file(files);
  if (!file.open(path, "r")) return ReadOutcome::NotOpened;
  std::int16_t signCount = 0;
  if (!readVer3Fields(file, sink, signCount)) return failRead(file, sink);
  file.close();
  applyVer3Layout(sink, signCount);
  return ReadOutcome::Applied;
}

ReadOutcome readDigitalLayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink) {
  LayoutFile file(files);
  if (!file.open(path, "r")) return ReadOutcome::NotOpened;
  if (!readDigitalFields(file, sink)) return failRead(file, sink);
  file.close();
  applyDigitalLayout(sink);
  return ReadOutcome::Applied;
}

}  // namespace rovenza
