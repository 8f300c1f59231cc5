#include "board/win32/ProgramBoard.h"

#include <windows.h>
#include <commctrl.h>

#include "common/win32/Scoped.h"
#include "layout/LayoutMessages.h"
#include "layout/MovedPaths.h"
#include "layout/win32/SystemFiles.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignWindow.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

HWND panelControl(int id) { return GetDlgItem(app.panelWindow, id); }

void repaintNow(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

// The first line, two line breaks and the system's own text for `error` in
// the user's language, in a box with the error icon owned by the main window.
void showFileError(const char* firstLine, SystemError error) {
  char systemText[1024] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), systemText, sizeof systemText - 1, nullptr);
  const std::string text = fileErrorText(firstLine, systemText);
  MessageBoxA(app.mainWindow, text.c_str(), kLayoutErrorCaption, MB_OK | MB_ICONERROR);
}

}  // namespace

std::string ProgramBoard::placeOf(const std::string& stored, bool& refused) const {
  refused = !permit_.allows(stored);
  if (layoutFile_.empty() || refused) return stored;
  return findBesideLayoutFile(stored, layoutFile_, pathExists);
}

const Layout& ProgramBoard::layout() const { return app.layout; }
void ProgramBoard::setBackgroundPicture(const std::string& path) {
  app.layout.backgroundPicture = placeOf(path, app.backgroundRefused);
}
void ProgramBoard::setKind(int sign, std::uint8_t kind) { app.layout.signs[sign].kind = kind; }
void ProgramBoard::setSpeed(int sign, std::int32_t ms) { app.layout.signs[sign].speed = ms; }
void ProgramBoard::setInterval(int sign, std::int32_t ms) { app.layout.signs[sign].interval = ms; }
void ProgramBoard::setCornerRound(int sign, std::int32_t pixels) { app.layout.signs[sign].cornerRound = pixels; }
void ProgramBoard::setPicturePath(int sign, const std::string& path) {
  app.layout.signs[sign].picturePath = placeOf(path, app.signStates[sign].pathRefused);
}

std::int32_t ProgramBoard::formWidth() const { return app.mainRef.width(); }
std::int32_t ProgramBoard::formHeight() const { return app.mainRef.height(); }
std::int32_t ProgramBoard::signLeft(int sign) const { return clipOf(sign).left(); }
std::int32_t ProgramBoard::signTop(int sign) const { return clipOf(sign).top(); }
std::int32_t ProgramBoard::signWidth(int sign) const { return clipOf(sign).width(); }
std::int32_t ProgramBoard::signHeight(int sign) const { return clipOf(sign).height(); }
void ProgramBoard::setFormWidth(std::int32_t width) { app.mainRef.setWidth(width); }
void ProgramBoard::setFormHeight(std::int32_t height) { app.mainRef.setHeight(height); }
void ProgramBoard::setSignLeft(int sign, std::int32_t left) { clipOf(sign).setLeft(left); }
void ProgramBoard::setSignTop(int sign, std::int32_t top) { clipOf(sign).setTop(top); }
void ProgramBoard::setSignWidth(int sign, std::int32_t width) { clipOf(sign).setWidth(width); }
void ProgramBoard::setSignHeight(int sign, std::int32_t height) { clipOf(sign).setHeight(height); }
void ProgramBoard::showSign(int sign, bool visible) { clipOf(sign).show(visible ? 1 : 0); }

void ProgramBoard::setSpeedUpDown(int sign, std::int16_t position) {
  SendMessageA(panelControl(kPanelGroups[sign].speedUpDown), UDM_SETPOS, 0,
               MAKELPARAM(static_cast<WORD>(position), 0));
}

void ProgramBoard::setIntervalUpDown(int sign, std::int16_t position) {
  SendMessageA(panelControl(kPanelGroups[sign].intervalUpDown), UDM_SETPOS, 0,
               MAKELPARAM(static_cast<WORD>(position), 0));
}

void ProgramBoard::setNumberDisplay(int sign, const std::string& text) {
  SetWindowTextA(panelControl(kPanelGroups[sign].numberDisplay), text.c_str());
}

void ProgramBoard::setPanelWidth(std::int32_t width) { app.panelRef.setWidth(width); }

void ProgramBoard::loadBackground() {
  // The old picture goes before the new one is read.
  app.backgroundBitmap.reset();
  if (!app.backgroundRefused) app.backgroundBitmap.reset(loadPicture(app.layout.backgroundPicture));
  repaintNow(app.mainWindow);
}

void ProgramBoard::showStripPicture(int sign) { rovenza::showStripPicture(sign); }

void ProgramBoard::releaseSignPicture(int sign) {
  // The sign window lets go of the bitmap before it is deleted.
  SendMessageA(signWindowOf(sign).handle(), STM_SETIMAGE, IMAGE_BITMAP, 0);
  app.signStates[sign].picture.reset();
}

void ProgramBoard::moveSignHome(int sign) {
  setSignWindowOffset(sign, 0);
  // The opening is erased too: a bitmap static that lost its bitmap keeps
  // its old pixels until its parent repaints.
  RedrawWindow(clipOf(sign).handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ProgramBoard::applyCornerRounding(int sign) { rovenza::applyCornerRounding(static_cast<std::int16_t>(sign)); }
void ProgramBoard::rollSign(int sign) { rovenza::rollSign(sign); }
void ProgramBoard::resetSign(int sign) { rovenza::resetSign(sign); }

void ProgramBoard::reportNotLayoutFile() {
  MessageBoxA(app.mainWindow, kNotLayoutFileText, kLayoutErrorCaption, MB_OK | MB_ICONERROR);
}

void ProgramBoard::reportReadError(SystemError error) { showFileError(kReadErrorFirstLine, error); }
void ProgramBoard::reportSaveError(SystemError error) { showFileError(kSaveErrorFirstLine, error); }

}  // namespace rovenza
