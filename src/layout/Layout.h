#pragma once
// The layout of the sign board. Only the fields the record itself holds live
// here; the board's geometry (form size, sign places and sizes) is held by
// the windows and read or set through the window objects.
#include <cstdint>
#include <string>

namespace rovenza {

// Sign kinds as stored in memory and in layout files. A stored code other
// than these stays in `SignSpec::kind` as read and counts as hidden.
enum class SignKind : std::uint8_t { RollFilm = 0, Led = 1, Hidden = 2 };

constexpr int kSignCount = 2;
constexpr bool validSign(int sign) { return sign >= 0 && sign < kSignCount; }

struct SignSpec {
  std::uint8_t kind = 0;         // a SignKind code, kept as stored
  std::int32_t speed = 0;        // ms after each one-pixel roll step
  std::int32_t interval = 0;     // extra ms at each frame boundary
  std::int32_t cornerRound = 0;  // corner ellipse size in pixels, 0 = square
  std::string picturePath;       // strip picture (roll film) or frame folder (LED)
};

struct Layout {
  std::string backgroundPicture;  // empty = no background
  SignSpec signs[kSignCount];
};

// What a stored kind code means when a layout is applied: 0 and 1 are
// themselves, every other code is a hidden sign.
SignKind effectiveKind(std::uint8_t code);

// Editor ranges of the layout fields.
struct FieldRange {
  std::int32_t min;
  std::int32_t max;
};
constexpr FieldRange kFormSizeRange{20, 1024};
constexpr FieldRange kSignPlaceRange{0, 1024};
constexpr FieldRange kSignSizeRange{1, 1024};
constexpr FieldRange kSpeedRange{0, 1000};
constexpr FieldRange kIntervalRange{0, 5000};
constexpr FieldRange kCornerRoundRange{0, 50};

// A value held to a range: the lower limit below it, the upper limit above
// it, the value itself inside it. The readers of layout files hold every size
// and place they read to the range of the layout form's field for it, so a
// file gives the board nothing the form could not make.
constexpr std::int32_t heldToRange(std::int32_t value, FieldRange range) {
  return value < range.min ? range.min : (value > range.max ? range.max : value);
}

}  // namespace rovenza
