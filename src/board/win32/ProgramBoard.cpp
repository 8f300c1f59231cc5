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

int ProgramBoard::at(int sign) const { return signOfFace(face_, sign); }

const Layout& ProgramBoard::layout() const { return faceLayout(face_); }
void ProgramBoard::setBackgroundPicture(const std::string& path) {
  bool& refused = onPanel() ? app.backgroundRefused : app.faces[face_].backgroundRefused;
  faceLayout(face_).backgroundPicture = placeOf(path, refused);
}
void ProgramBoard::setKind(int sign, std::uint8_t kind) { signSpecOf(at(sign)).kind = kind; }
void ProgramBoard::setSpeed(int sign, std::int32_t ms) { signSpecOf(at(sign)).speed = ms; }
void ProgramBoard::setInterval(int sign, std::int32_t ms) { signSpecOf(at(sign)).interval = ms; }
void ProgramBoard::setCornerRound(int sign, std::int32_t pixels) { signSpecOf(at(sign)).cornerRound = pixels; }
void ProgramBoard::setPicturePath(int sign, const std::string& path) {
  signSpecOf(at(sign)).picturePath = placeOf(path, app.signStates[at(sign)].pathRefused);
}

const TopWindow& ProgramBoard::boardWindow() const { return onPanel() ? app.mainRef : app.faces[face_].ref; }
std::int32_t ProgramBoard::formWidth() const { return boardWindow().width(); }
std::int32_t ProgramBoard::formHeight() const { return boardWindow().height(); }
std::int32_t ProgramBoard::signLeft(int sign) const { return clipOf(at(sign)).left(); }
std::int32_t ProgramBoard::signTop(int sign) const { return clipOf(at(sign)).top(); }
std::int32_t ProgramBoard::signWidth(int sign) const { return clipOf(at(sign)).width(); }
std::int32_t ProgramBoard::signHeight(int sign) const { return clipOf(at(sign)).height(); }
void ProgramBoard::setFormWidth(std::int32_t width) { boardWindow().setWidth(width); }
void ProgramBoard::setFormHeight(std::int32_t height) { boardWindow().setHeight(height); }
void ProgramBoard::setSignLeft(int sign, std::int32_t left) { clipOf(at(sign)).setLeft(left); }
void ProgramBoard::setSignTop(int sign, std::int32_t top) { clipOf(at(sign)).setTop(top); }
void ProgramBoard::setSignWidth(int sign, std::int32_t width) { clipOf(at(sign)).setWidth(width); }
void ProgramBoard::setSignHeight(int sign, std::int32_t height) { clipOf(at(sign)).setHeight(height); }
void ProgramBoard::showSign(int sign, bool visible) { clipOf(at(sign)).show(visible ? 1 : 0); }

void ProgramBoard::setSpeedUpDown(int sign, std::int16_t position) {
  if (!onPanel()) return;
  SendMessageA(panelControl(kPanelGroups[sign].speedUpDown), UDM_SETPOS, 0,
               MAKELPARAM(static_cast<WORD>(position), 0));
}

void ProgramBoard::setIntervalUpDown(int sign, std::int16_t position) {
  if (!onPanel()) return;
  SendMessageA(panelControl(kPanelGroups[sign].intervalUpDown), UDM_SETPOS, 0,
               MAKELPARAM(static_cast<WORD>(position), 0));
}

void ProgramBoard::setNumberDisplay(int sign, const std::string& text) {
  if (onPanel()) SetWindowTextA(panelControl(kPanelGroups[sign].numberDisplay), text.c_str());
}

void ProgramBoard::setPanelWidth(std::int32_t width) {
  if (onPanel()) app.panelRef.setWidth(width);
}

void ProgramBoard::loadBackground() {
  ScopedBitmap& background = onPanel() ? app.backgroundBitmap : app.faces[face_].background;
  const bool refused = onPanel() ? app.backgroundRefused : app.faces[face_].backgroundRefused;
  // The old picture goes before the new one is read.
  background.reset();
  if (!refused) background.reset(loadPicture(faceLayout(face_).backgroundPicture));
  if (HWND window = faceWindow(face_)) repaintNow(window);
}

void ProgramBoard::showStripPicture(int sign) { rovenza::showStripPicture(at(sign)); }

void ProgramBoard::releaseSignPicture(int sign) {
  // The sign window lets go of the bitmap before it is deleted.
  SendMessageA(signWindowOf(at(sign)).handle(), STM_SETIMAGE, IMAGE_BITMAP, 0);
  app.signStates[at(sign)].picture.reset();
}

void ProgramBoard::moveSignHome(int sign) {
  setSignWindowOffset(at(sign), 0);
  // The opening is erased too: a bitmap static that lost its bitmap keeps
  // its old pixels until its parent repaints.
  RedrawWindow(clipOf(at(sign)).handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ProgramBoard::applyCornerRounding(int sign) { rovenza::applyCornerRounding(static_cast<std::int16_t>(at(sign))); }

// A further face has no panel: its signs go to frame 0 at their layout's
// speed and interval, as "ON" with "0" on the display would take them.
void ProgramBoard::rollSign(int sign) {
  if (onPanel()) {
    rovenza::rollSign(sign);
    return;
  }
  startRollAtLayoutPace(at(sign), 0);
}

void ProgramBoard::resetSign(int sign) {
  if (onPanel()) {
    rovenza::resetSign(sign);
    return;
  }
  returnSignHome(at(sign));
  if (signSpecOf(at(sign)).kind == static_cast<std::uint8_t>(SignKind::Led)) rollSign(sign);
}

void ProgramBoard::reportNotLayoutFile() {
  MessageBoxA(app.mainWindow, kNotLayoutFileText, kLayoutErrorCaption, MB_OK | MB_ICONERROR);
}

void ProgramBoard::reportReadError(SystemError error) { showFileError(kReadErrorFirstLine, error); }
void ProgramBoard::reportSaveError(SystemError error) { showFileError(kSaveErrorFirstLine, error); }

}  // namespace rovenza
