#pragma once
// The one process-wide record of program state. It is zero at start, lives
// until exit, and is read and written by every subsystem on the user-interface
// thread (the roll threads touch only their own sign's state).
#include <windows.h>

#include <cstdint>

#include "common/win32/Scoped.h"
#include "layout/Layout.h"
#include "state/Faces.h"
#include "state/win32/AboutState.h"
#include "state/win32/FileListBox.h"
#include "state/win32/FaceState.h"
#include "state/win32/FormState.h"
#include "state/win32/PanelState.h"
#include "state/win32/SignState.h"
#include "state/win32/WindowObjects.h"

namespace rovenza {

struct AppState {
  HINSTANCE instance = nullptr;

  HWND mainWindow = nullptr;
  HWND panelWindow = nullptr;
  HWND splashWindow = nullptr;
  HWND aboutWindow = nullptr;
  HWND formWindow = nullptr;
  HWND makerWindow = nullptr;  // the sign maker's window while it is open
  HWND feedWindow = nullptr;   // the LED panel feed's window while it is open
  HWND settingBoxWindow = nullptr;  // the setting box while it is open

  // One font per window, all made alike; see kWindowFonts for their order.
  ScopedFont mainFont;
  ScopedFont panelFont;
  ScopedFont aboutFont;
  ScopedFont splashFont;
  ScopedFont formFont;
  ScopedBrush faceBrush;

  // The bar holds the popups; the release sequence takes each out before it
  // goes, so that every menu is destroyed once.
  ScopedMenu menuBar;
  ScopedMenu fileMenu;
  ScopedMenu settingsMenu;
  ScopedMenu helpMenu;

  TopWindow mainRef;
  TopWindow panelRef;
  // Every sign's windows by its index (state/Faces.h): the clip window
  // (the opening), the sign window inside it showing the picture, and the
  // never-shown sorted list of an LED sign's frame files.
  ChildWindow clips[kAllSigns];
  ChildWindow signWindows[kAllSigns];
  FileListBox fileLists[kAllSigns];

  ScopedBitmap backgroundBitmap;
  // The shape last given to each clip window; the window keeps a copy of its own.
  ScopedRegion clipRegions[kAllSigns];
  SignState signStates[kAllSigns];
  Layout layout;
  // A vehicle's further faces (faces[0] stands for the main window's board
  // and stays empty).
  FaceState faces[kMaxFaces];
  // The background path came from a layout file that may not open it (a
  // device, or a host the user would not let the file reach): it is kept,
  // and saved, but never opened while that layout is open.
  bool backgroundRefused = false;
  std::int16_t templateFrames[kSignCount] = {0, 0};

  PanelState panel;
  FormState form;
  SplashState splash;
  AboutState about;
};

extern AppState app;

// The windows' fonts in the order they are made at start-up and deleted by
// the release sequence: main window, panel, About, splash, layout form.
inline constexpr ScopedFont AppState::*kWindowFonts[] = {&AppState::mainFont, &AppState::panelFont,
                                                        &AppState::aboutFont, &AppState::splashFont,
                                                        &AppState::formFont};

// Per-sign window objects by sign index (state/Faces.h).
inline ChildWindow& clipOf(int sign) { return app.clips[sign]; }
inline ChildWindow& signWindowOf(int sign) { return app.signWindows[sign]; }
inline FileListBox& fileListOf(int sign) { return app.fileLists[sign]; }

// The layout record a sign's settings live in: the board's for the main
// window's signs, the face's own for a further face's.
inline Layout& faceLayout(int face) { return face == 0 ? app.layout : app.faces[face].layout; }
inline SignSpec& signSpecOf(int sign) { return faceLayout(faceOfSign(sign)).signs[signInFace(sign)]; }
// The top-level window a face's signs stand in (null for a face not open).
inline HWND faceWindow(int face) { return face == 0 ? app.mainWindow : app.faces[face].window; }

}  // namespace rovenza
