#include "layout/Layout.h"

namespace rovenza {

SignKind effectiveKind(std::uint8_t code) {
  switch (code) {
    case static_cast<std::uint8_t>(SignKind::RollFilm):
      return SignKind::RollFilm;
    case static_cast<std::uint8_t>(SignKind::Led):
      return SignKind::Led;
    default:
      return SignKind::Hidden;
  }
}

}  // namespace rovenza
