#pragma once
// The sign maker's previews: the selected row's frame and the strip column,
// drawn as the chosen output will be, the frames drawn lately kept so that a
// letter typed draws one frame again.
#include <windows.h>

#include "maker/win32/StripColumn.h"
#include "record/Picture.h"

namespace rovenza {

// Both previews painted again.
void refreshPreviews();
// The lettering changed: the frames kept are drawn again.
void letteringChanged();
void drawFramePreview(const DRAWITEMSTRUCT& draw);
// The strip column's frames: the table's.
StripColumnSource& tableFrames();

bool frameSizeUsable(int width, int height);

}  // namespace rovenza
