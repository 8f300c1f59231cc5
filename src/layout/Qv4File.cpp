#include "layout/Qv4File.h"

#include "layout/LayoutFile.h"

namespace rovenza {

namespace {

// Fields 2 to 22, each stored or applied at once; sizes and places held to
// the ranges of the layout form's fields.
bool readFields(LayoutFile& file, LayoutSink& sink) {
  std::string text;
  std::int32_t value = 0;
  std::uint8_t kind = 0;
  if (!file.readCountedString(text)) return false;
  sink.setBackgroundPicture(text);
  if (!file.read32(value)) return false;
  sink.setFormWidth(heldToRange(value, kFormSizeRange));
  if (!file.read32(value)) return false;
  sink.setFormHeight(heldToRange(value, kFormSizeRange));
  for (int sign = 0; sign < kSignCount; ++sign) {
    if (!file.read8(kind)) return false;
    sink.setKind(sign, kind);
    if (!file.read32(value)) return false;
    sink.setSignLeft(sign, heldToRange(value, kSignPlaceRange));
    if (!file.read32(value)) return false;
    sink.setSignTop(sign, heldToRange(value, kSignPlaceRange));
    if (!file.read32(value)) return false;
    sink.setSignWidth(sign, heldToRange(value, kSignSizeRange));
    if (!file.read32(value)) return false;
    sink.setSignHeight(sign, heldToRange(value, kSignSizeRange));
    if (!file.read32(value)) return false;
    sink.setSpeedUpDown(sign, static_cast<std::int16_t>(value & 0xFFFF));
    sink.setSpeed(sign, value);
    if (!file.read32(value)) return false;
    sink.setIntervalUpDown(sign, static_cast<std::int16_t>(value & 0xFFFF));
    sink.setInterval(sign, value);
    if (!file.read32(value)) return false;
    sink.setCornerRound(sign, value);
    if (!file.readCountedString(text)) return false;
    sink.setPicturePath(sign, text);
  }
  return true;
}

bool writeFields(LayoutFile& file, const LayoutSink& sink) {
  auto u32 = [](std::int32_t value) { return static_cast<std::uint32_t>(value); };
  if (!file.writeCountedString(kLayoutSignature)) return false;
  if (!file.writeCountedString(sink.layout().backgroundPicture)) return false;
  if (!file.write32(u32(sink.formWidth()))) return false;
  if (!file.write32(u32(sink.formHeight()))) return false;
  for (int sign = 0; sign < kSignCount; ++sign) {
    if (!file.write8(sink.layout().signs[sign].kind)) return false;
    if (!file.write32(u32(sink.signLeft(sign)))) return false;
    if (!file.write32(u32(sink.signTop(sign)))) return false;
    if (!file.write32(u32(sink.signWidth(sign)))) return false;
    if (!file.write32(u32(sink.signHeight(sign)))) return false;
    if (!file.write32(u32(sink.layout().signs[sign].speed))) return false;
    if (!file.write32(u32(sink.layout().signs[sign].interval))) return false;
    if (!file.write32(u32(sink.layout().signs[sign].cornerRound))) return false;
    if (!file.writeCountedString(sink.layout().signs[sign].picturePath)) return false;
  }
  return true;
}

void applyFirstSign(LayoutSink& sink) {
  switch (effectiveKind(sink.layout().signs[0].kind)) {
    case SignKind::RollFilm:
      sink.showStripPicture(0);
      sink.showSign(0, true);
      break;
    case SignKind::Led:
      sink.releaseSignPicture(0);
      sink.moveSignHome(0);
      sink.setNumberDisplay(0, "0");
      sink.rollSign(0);
      sink.showSign(0, true);
      break;
    case SignKind::Hidden:
      sink.releaseSignPicture(0);
      sink.showSign(0, false);
      break;
  }
}

// The 2nd sign also decides whether the panel shows one group or two.
void applySecondSign(LayoutSink& sink) {
  switch (effectiveKind(sink.layout().signs[1].kind)) {
    case SignKind::RollFilm:
      sink.showStripPicture(1);
      sink.showSign(1, true);
      sink.setPanelWidth(kPanelWidthTwoSigns);
      break;
    case SignKind::Led:
      sink.releaseSignPicture(1);
      sink.moveSignHome(1);
      sink.showSign(1, true);
      sink.setNumberDisplay(1, "0");
      sink.rollSign(1);
      sink.setPanelWidth(kPanelWidthTwoSigns);
      break;
    case SignKind::Hidden:
      sink.releaseSignPicture(1);
      sink.showSign(1, false);
      sink.setPanelWidth(kPanelWidthOneSign);
      break;
  }
}

}  // namespace

void applyLayout(LayoutSink& sink) {
  sink.loadBackground();
  applyFirstSign(sink);
  applySecondSign(sink);
  sink.applyCornerRounding(0);
  sink.applyCornerRounding(1);
  sink.resetSign(0);
  sink.resetSign(1);
}

ReadOutcome readLayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink) {
  LayoutFile file(files);
  if (!file.open(path, "r")) return ReadOutcome::NotOpened;
  std::string signature;
  if (!file.readCountedString(signature)) return failRead(file, sink);
  if (signature != kLayoutSignature) {
    file.close();
    sink.reportNotLayoutFile();
    return ReadOutcome::NotLayoutFile;
  }
  if (!readFields(file, sink)) return failRead(file, sink);
  file.close();
  applyLayout(sink);
  return ReadOutcome::Applied;
}

bool writeLayoutFile(FileSystem& files, const std::string& path, LayoutSink& sink) {
  const SystemError error =
      saveReplacing(files, path, [&](LayoutFile& file) { return writeFields(file, sink); });
  if (error != 0) sink.reportSaveError(error);
  return error == 0;
}

ReadOutcome failRead(LayoutFile& file, LayoutSink& sink) {
  const SystemError error = file.lastError();
  file.close();
  sink.reportReadError(error);
  return ReadOutcome::ReadError;
}

}  // namespace rovenza
