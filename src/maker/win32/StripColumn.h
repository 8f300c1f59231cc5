#pragma once
// The sign maker's strip column: every frame of the strip, one below the
// other, fitted to the column's width, scrolled a frame at a time (so that
// no coordinate depends on the strip's height).
#include <windows.h>

#include "record/Picture.h"

namespace rovenza {

extern const char kStripColumnClass[];  // "RovenzaStripColumn"

// Where the column's frames come from.
class StripColumnSource {
 public:
  virtual ~StripColumnSource() = default;
  virtual int frameCount() = 0;   // frame 0 (the blank one) included
  virtual SIZE frameSize() = 0;   // 0 x 0: nothing to show
  virtual Picture frame(int frame) = 0;
};

// Registers the column's class once for the process.
void registerStripColumn(HINSTANCE instance);

// Gives the column its frames (kept by pointer; null: none).
void setStripColumnSource(HWND column, StripColumnSource* source);

// After the frames changed: the scroll bar set again, the column repainted.
// A column scrolled past the new last frames comes back up.
void refreshStripColumn(HWND column);

// Scrolls the column back to frame 0.
void scrollStripColumnHome(HWND column);

}  // namespace rovenza
