#pragma once
// A further face of a vehicle: a top-level window of its own with a board
// like the main window's (a background picture and two signs), read from the
// face's layout file.
#include <windows.h>

#include <string>

#include "common/win32/Scoped.h"
#include "layout/Layout.h"
#include "state/win32/WindowObjects.h"

namespace rovenza {

struct FaceState {
  HWND window = nullptr;  // null while no vehicle has this face
  TopWindow ref;
  Layout layout;
  ScopedBitmap background;
  bool backgroundRefused = false;  // as AppState::backgroundRefused
  std::wstring title;              // the face's name
};

}  // namespace rovenza
