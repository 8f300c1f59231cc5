#include "sign/OpeningLook.h"

namespace rovenza {

OpeningLook openingLook(SignKind kind, bool lookOn) {
  if (!lookOn) return OpeningLook::Plain;
  switch (kind) {
    case SignKind::RollFilm:
      return OpeningLook::Film;
    case SignKind::Led:
      return OpeningLook::Dots;
    case SignKind::Hidden:
      break;
  }
  return OpeningLook::Plain;
}

}  // namespace rovenza
