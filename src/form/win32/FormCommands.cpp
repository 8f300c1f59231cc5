#include "form/win32/FormCommands.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstdint>
#include <string>

#include "board/win32/OpenSave.h"
#include "form/FormIds.h"
#include "layout/Qv4File.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign/win32/SignWindow.h"
#include "state/win32/AppState.h"
#include "state/win32/Modal.h"

namespace rovenza {

namespace {

using namespace form_ids;

// Each text ends in a zero byte and the list in one more (the literal's own).
// PNG and TIFF follow the first three, so that the first stays the one shown.
const char kPictureFilter[] =
    "ビットマップ(*.bmp)\0*.bmp\0JPEG(*.jpg)\0*.jpg\0GIF(*.gif)\0*.gif\0PNG(*.png)\0*.png\0"
    "TIFF(*.tif;*.tiff)\0*.tif;*.tiff\0";

int signIndex(int sign) { return sign == 1 ? 1 : 0; }

const KindComboBox& kindComboOf(int sign) { return sign == 1 ? app.form.kindCombo2 : app.form.kindCombo1; }

void setFormText(int id, const std::string& text) { SetDlgItemTextA(app.formWindow, id, text.c_str()); }

void invalidateMainWindow() {
  if (app.mainWindow) InvalidateRect(app.mainWindow, nullptr, TRUE);
}

bool askYesNo(const char* text) {
  return MessageBoxA(app.formWindow, text, "削除の確認", MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void resetRollState(int sign) {
  SignState& state = app.signStates[sign];
  state.stripOffset = 0;
  state.targetFrame = 0;
  state.currentFrame = 0;
}

void moveSignHome(int sign) {
  setSignWindowOffset(sign, 0);
}

void updateSign(int sign) {
  HWND signWindow = signWindowOf(sign).handle();
  if (signWindow) UpdateWindow(signWindow);
}

// The background picture's open dialog: the system's own title.
std::string chooseBackgroundFile() {
  char path[1024] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = app.formWindow;
  dialog.lpstrFilter = kPictureFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return std::string();
  return std::string(path);
}

// A roll-film sign's strip picture, chosen with the program's file dialog.
std::string chooseStripFile() { return showFileDialog(app.formWindow, false, kPictureFilter, "方向幕ファイルの選択"); }

// An LED sign's frame folder; empty when cancelled or not a file-system folder.
std::string chooseFrameFolder() {
  BROWSEINFOA browse{};
  browse.hwndOwner = app.formWindow;
  browse.pidlRoot = nullptr;
  browse.lpszTitle = "画像のあるフォルダーを選択してください";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
  char folder[516] = {};
  LPITEMIDLIST items = SHBrowseForFolderA(&browse);
  if (items) {
    SHGetPathFromIDListA(items, folder);
    CoTaskMemFree(items);
  }
  folder[sizeof folder - 1] = '\0';
  return std::string(folder);
}

void applyArrowValue(const FormUpDown& upDown, std::int32_t value) {
  const int sign = signIndex(upDown.sign);
  const ChildWindow& clip = clipOf(sign);
  switch (upDown.field) {
    case FormField::FormWidth:
      app.mainRef.setWidth(value);
      SetFocus(GetDlgItem(app.formWindow, upDown.editId));
      break;
    case FormField::FormHeight:
      app.mainRef.setHeight(value);
      SetFocus(GetDlgItem(app.formWindow, upDown.editId));
      break;
    case FormField::SignLeft:
      clip.setLeft(value);
      break;
    case FormField::SignTop:
      clip.setTop(value);
      break;
    case FormField::SignWidth:
      clip.setWidth(value);
      break;
    case FormField::SignHeight:
      clip.setHeight(value);
      break;
    case FormField::TemplateFrames:
      app.templateFrames[sign] = toTemplateFrames(value);
      break;
    case FormField::CornerRound:
      app.layout.signs[sign].cornerRound = value;
      break;
  }
  if (reshapesCorners(upDown.field)) applyCornerRounding(static_cast<std::int16_t>(sign));
}

}  // namespace

void arrowPressed(const FormUpDown& upDown, const NMUPDOWN& notification) {
  const LRESULT position = SendMessageA(notification.hdr.hwndFrom, UDM_GETPOS, 0, 0);
  applyArrowValue(upDown, arrowValue(static_cast<std::uint32_t>(position), notification.iDelta));
}

void browseBackground() {
  const std::string path = chooseBackgroundFile();
  if (path.empty()) return;
  useBackgroundPicture(path);
}

void useBackgroundPicture(const std::string& path) {
  app.backgroundBitmap.reset();
  app.layout.backgroundPicture = path;
  app.backgroundRefused = false;  // the user's own choice
  app.backgroundBitmap.reset(loadPicture(path));
  setFormText(kBackgroundPath, path);
  invalidateMainWindow();
}

void deleteBackground() {
  if (!askYesNo("背景画像を消去します。よろしいですか？")) return;
  app.backgroundBitmap.reset();
  app.layout.backgroundPicture.clear();
  setFormText(kBackgroundPath, "");
  invalidateMainWindow();
}

void changeSignKind(int sign) {
  sign = signIndex(sign);
  const int selected = kindComboOf(sign).selected();
  if (selected < 0) return;
  SignSpec& signSpec = app.layout.signs[sign];
  if (selected != signSpec.kind) {
    MessageBoxA(app.formWindow, "幕の種類が変更されました。画像ファイル名（もしくはフォルダー名）を再設定してください",
                "幕の種類の変更", MB_OK | MB_ICONINFORMATION);
    signSpec.kind = static_cast<std::uint8_t>(selected);
    signSpec.picturePath.clear();
    app.signStates[sign].pathRefused = false;
    // A sign of another kind plays no LED frame's animation.
    stopLedAnimation(sign);
    setFormText(kSignPath[sign], "");
  } else if (sign == 0) {
    return;
  }
  if (sign == 1) {
    const bool shown = selected == 0 || selected == 1;
    app.clips[1].show(shown ? 1 : 0);
    app.panelRef.setWidth(shown ? kPanelWidthTwoSigns : kPanelWidthOneSign);
    SetFocus(app.formWindow);
  }
}

void browseSignPicture(int sign) {
  sign = signIndex(sign);
  if (app.layout.signs[sign].kind == static_cast<std::uint8_t>(SignKind::Led)) {
    const std::string folder = chooseFrameFolder();
    if (folder.empty()) return;
    useFrameFolder(sign, folder);
    return;
  }
  const std::string path = chooseStripFile();
  if (path.empty()) return;
  useStripPicture(sign, path);
}

void useFrameFolder(int sign, const std::string& folder) {
  sign = signIndex(sign);
  app.layout.signs[sign].picturePath = folder;
  app.signStates[sign].pathRefused = false;  // the user's own choice
  setFormText(kSignPath[sign], folder);
  moveSignHome(sign);
  updateSign(sign);
  resetRollState(sign);
  if (app.panelWindow) SetDlgItemTextA(app.panelWindow, kPanelGroups[sign].numberDisplay, "0");
  rollSign(sign);
}

void useStripPicture(int sign, const std::string& path) {
  sign = signIndex(sign);
  app.layout.signs[sign].picturePath = path;
  app.signStates[sign].pathRefused = false;  // the user's own choice
  setFormText(kSignPath[sign], path);
  showStripPicture(sign);
  resetRollState(sign);
}

void deleteSignPicture(int sign) {
  sign = signIndex(sign);
  if (kindComboOf(sign).selected() != static_cast<int>(SignKind::RollFilm)) return;
  if (!askYesNo("方向幕画像を消去します。よろしいですか？")) return;
  SignState& state = app.signStates[sign];
  HWND signWindow = signWindowOf(sign).handle();
  if (signWindow) SendMessageA(signWindow, STM_SETIMAGE, IMAGE_BITMAP, 0);
  state.picture.reset();
  app.layout.signs[sign].picturePath.clear();
  moveSignHome(sign);
  setFormText(kSignPath[sign], "");
  // A bitmap static keeps its old pixels until its parent repaints.
  clipOf(sign).invalidate();
  updateSign(sign);
  resetRollState(sign);
}

void releaseFormBrushes() {
  for (ScopedBrush& brush : app.form.brushes) brush.reset();
}

void endLayoutForm(int code) {
  releaseFormBrushes();
  endModalWindow(app.formWindow, code);
  // The help button showed this bitmap; it goes once the button has gone.
  if (!IsWindow(app.formWindow)) app.form.helpButtonImage.reset();
}

void closeLayoutForm() { endLayoutForm(1); }

}  // namespace rovenza
