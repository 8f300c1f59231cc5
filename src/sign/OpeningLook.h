#pragma once
// How a sign's opening is drawn, from the sign's kind and the signs' look:
// the one rule every drawing of an opening follows, whichever thread draws it
// (a paint, a roll's step, an animation's picture).
#include "layout/Layout.h"

namespace rovenza {

enum class OpeningLook {
  Plain,  // the picture as it is
  Film,   // a roll film's opening: shaded, lit from behind, blurred while it runs (FilmOpening)
  Dots,   // an LED board: every picture, each of an animation too, as its dot board (drawDotBoard)
};

OpeningLook openingLook(SignKind kind, bool lookOn);

}  // namespace rovenza
