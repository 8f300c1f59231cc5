#include "state/win32/WindowFont.h"

#include "state/win32/AppState.h"

namespace rovenza {

HFONT copyOfProgramFont() {
  LOGFONTA font{};
  if (!app.mainFont || !GetObjectA(app.mainFont.get(), sizeof font, &font)) return nullptr;
  return CreateFontIndirectA(&font);
}

}  // namespace rovenza
