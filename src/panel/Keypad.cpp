#include "panel/Keypad.h"

#include <cmath>

#include "common/Number.h"
#include "panel/PanelIds.h"

namespace rovenza {

PanelCommand panelCommandFor(int id) {
  for (int sign = 0; sign < 2; ++sign) {
    const PanelGroupIds& g = kPanelGroups[sign];
    if (id >= g.digitFirst && id <= g.digitFirst + 9) return {PanelKey::Digit, sign, id - g.digitFirst};
    if (id == g.clear) return {PanelKey::Clear, sign, 0};
    if (id == g.start) return {PanelKey::Start, sign, 0};
    if (id == g.reset) return {PanelKey::Reset, sign, 0};
    if (id == g.forward) return {PanelKey::Forward, sign, 0};
    if (id == g.back) return {PanelKey::Back, sign, 0};
  }
  return {};
}

UpDownTarget upDownTargetFor(int id) {
  for (int sign = 0; sign < 2; ++sign) {
    const PanelGroupIds& g = kPanelGroups[sign];
    if (id == g.speedUpDown) return {UpDownField::Speed, sign};
    if (id == g.intervalUpDown) return {UpDownField::Interval, sign};
  }
  return {};
}

namespace {

// The entry's number truncated toward zero, low 32 bits read as unsigned.
// Only called on entries of at most three characters, whose numbers are small.
std::uint32_t entryValue(std::string_view entry) {
  const double value = std::trunc(parseNumber(entry));
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
}

}  // namespace

std::string entryAfterDigit(std::string_view entry, int digit) {
  std::string next(entry);
  next += formatNumber(digit);
  // The length is tested first: it also keeps a long text away from the
  // integer conversion.
  if (next.size() >= 4 || entryValue(next) >= 1000) return std::string();
  return next;
}

std::optional<std::string> steppedDisplay(std::string_view display, int step) {
  const long long n = parseInt(display);
  if (step > 0 && n == 999) return std::nullopt;
  if (step < 0 && n == 0) return std::nullopt;
  return formatNumber(n + (step > 0 ? 1 : -1));
}

std::optional<std::int32_t> upDownFieldValue(std::uint32_t positionAnswer, int delta) {
  if ((positionAnswer >> 16) != 0) return std::nullopt;
  // Wrapping addition: a delta near the int range must not overflow.
  return static_cast<std::int32_t>(positionAnswer + static_cast<std::uint32_t>(delta));
}

}  // namespace rovenza
