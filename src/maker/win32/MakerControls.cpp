#include "maker/win32/MakerControls.h"

#include <commctrl.h>

#include <algorithm>

#include "common/Number.h"
#include "common/win32/Controls.h"
#include "common/win32/WideText.h"
#include "maker/win32/MakerWindow.h"
#include "maker/win32/StripColumn.h"
#include "sign/win32/SignLook.h"
#include "state/win32/AppState.h"
#include "state/win32/WindowFont.h"

namespace rovenza {

namespace {

using namespace maker_ids;

const char kSignNames[][16] = {"１つ目の幕", "２つ目の幕"};
const char kLedColourNames[kLedColourCount][16] = {"橙", "赤", "緑", "白", "行の色"};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kNumber = kEdit | ES_NUMBER | ES_RIGHT;
constexpr DWORD kList = kChild | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL;
constexpr DWORD kRows = kChild | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA;
constexpr DWORD kPreview = kChild | SS_OWNERDRAW;
constexpr DWORD kColumn = kChild | WS_VSCROLL;

// In creation order, which is the Tab order; a label's letter reaches the
// control after it.
const ControlRow kMakerControls[] = {
    {kRowList, WC_LISTVIEWA, "", WS_EX_CLIENTEDGE, kRows, 8, 8, 440, 210},
    {kAddRow, "BUTTON", "追加(&A)", 0, kButton, 8, 224, 64, 22},
    {kRemoveRow, "BUTTON", "削除(&D)", 0, kButton, 76, 224, 64, 22},
    {kRowUp, "BUTTON", "上へ(&U)", 0, kButton, 144, 224, 64, 22},
    {kRowDown, "BUTTON", "下へ(&N)", 0, kButton, 212, 224, 64, 22},
    {kImportCsv, "BUTTON", "CSV読込(&I)...", 0, kButton, 296, 224, 74, 22},
    {kExportCsv, "BUTTON", "CSV保存(&E)...", 0, kButton, 374, 224, 74, 22},
    {kLabelFirst, "STATIC", "主表示(&M)", 0, kChild, 8, 259, 60, 14},
    {kMainText, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 70, 256, 378, 20},
    {kLabelFirst + 1, "STATIC", "副表示(&K)", 0, kChild, 8, 285, 60, 14},
    {kSubText, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 70, 282, 378, 20},
    {kLabelFirst + 2, "STATIC", "文字色(&T)", 0, kChild, 8, 311, 60, 14},
    {kTextColour, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 70, 308, 90, 20},
    {kLabelFirst + 3, "STATIC", "背景色(&G)", 0, kChild, 176, 311, 60, 14},
    {kBackgroundColour, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 238, 308, 90, 20},
    {kFramePreview, "STATIC", "", WS_EX_CLIENTEDGE, kPreview, 8, 338, 440, 132},
    {kLabelFirst + 4, "STATIC", "幕(&P)", 0, kChild, 460, 11, 58, 14},
    {kSign, "COMBOBOX", "", 0, kList, 520, 8, 170, 120},
    {kLabelFirst + 5, "STATIC", "幅(&W)", 0, kChild, 460, 39, 58, 14},
    {kFrameWidth, "EDIT", "", WS_EX_CLIENTEDGE, kNumber, 520, 36, 60, 20},
    {kLabelFirst + 6, "STATIC", "高さ(&H)", 0, kChild, 584, 39, 44, 14},
    {kFrameHeight, "EDIT", "", WS_EX_CLIENTEDGE, kNumber, 630, 36, 60, 20},
    {kLabelFirst + 7, "STATIC", "書体(&F)", 0, kChild, 460, 67, 58, 14},
    {kFace, "COMBOBOX", "", 0, kList, 520, 64, 170, 240},
    {kBold, "BUTTON", "太字(&B)", 0, kCheck, 520, 92, 170, 18},
    {kLabelFirst + 8, "STATIC", "LEDの色(&O)", 0, kChild, 460, 119, 60, 14},
    {kLedColour, "COMBOBOX", "", 0, kList, 520, 116, 170, 160},
    {kLedPreview, "BUTTON", "LEDの見た目でプレビュー(&V)", 0, kCheck, 460, 144, 230, 18},
    {kLoadAfter, "BUTTON", "作成後に幕へ読み込む(&R)", 0, kCheck, 460, 166, 230, 18},
    {kMakeStrip, "BUTTON", "方向幕を作成(&S)...", 0, kButton, 460, 194, 230, 26},
    {kMakeLed, "BUTTON", "LEDフォルダーを作成(&L)...", 0, kButton, 460, 226, 230, 26},
    {kMakeVehicle, "BUTTON", "車両の画像を作成(&Y)...", 0, kButton, 460, 258, 230, 26},
    {kLabelFirst + 9, "STATIC", "パネル(&Q)", 0, kChild, 460, 299, 58, 14},
    {kPanelDotsAcross, "EDIT", "128", WS_EX_CLIENTEDGE, kNumber, 520, 296, 60, 20},
    {kLabelFirst + 10, "STATIC", "×", 0, kChild, 584, 299, 14, 14},
    {kPanelDotsDown, "EDIT", "32", WS_EX_CLIENTEDGE, kNumber, 600, 296, 60, 20},
    {kLabelFirst + 11, "STATIC", "ドット", 0, kChild, 664, 299, 30, 14},
    {kMakePanel, "BUTTON", "パネル用フォルダーを作成(&J)...", 0, kButton, 460, 322, 230, 26},
    {kClose, "BUTTON", "閉じる(&C)", 0, kButton, 590, 444, 100, 26},
    {kStripColumn, kStripColumnClass, "", WS_EX_CLIENTEDGE, kColumn, 700, 8, 152, 462},
};

struct ListColumn {
  const char* title;
  int width;
};
const ListColumn kListColumns[] = {{"コマ", 36}, {"主表示", 140}, {"副表示", 120}, {"文字色", 66}, {"背景色", 66}};

MakerState state;

int comboSelection(int id) { return static_cast<int>(SendMessageW(makerItem(id), CB_GETCURSEL, 0, 0)); }

LetteringStyle chosenLettering() {
  LetteringStyle style;
  const int face = comboSelection(kFace);
  if (face >= 0) {
    const LRESULT length = SendMessageW(makerItem(kFace), CB_GETLBTEXTLEN, face, 0);
    if (length > 0) {
      std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
      SendMessageW(makerItem(kFace), CB_GETLBTEXT, face, reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<std::size_t>(length));
      style.face = text;
    }
  }
  style.bold = makerChecked(kBold);
  return style;
}

LedColour chosenLedColour() {
  const int chosen = comboSelection(kLedColour);
  return chosen >= 0 && chosen < kLedColourCount ? static_cast<LedColour>(chosen) : LedColour::Orange;
}

void addComboText(int id, const std::wstring& text) {
  SendMessageW(makerItem(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

MakerState& makerState() { return state; }

HWND makerItem(int id) { return app.makerWindow ? GetDlgItem(app.makerWindow, id) : nullptr; }

std::string makerItemText(int id) { return utf8From(windowTextW(makerItem(id))); }

void setMakerItemText(int id, const std::string& utf8) { SetWindowTextW(makerItem(id), wideFrom(CP_UTF8, utf8).c_str()); }

bool makerChecked(int id) { return SendMessageW(makerItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

int chosenSign() { return comboSelection(kSign) == 1 ? 1 : 0; }

int makerNumber(int id) { return parseInt(makerItemText(id)); }

SignDesign currentDesign(bool withRows) {
  SignDesign design;
  if (withRows) design.rows = state.rows;
  design.width = makerNumber(kFrameWidth);
  design.height = makerNumber(kFrameHeight);
  design.lettering = chosenLettering();
  design.ledColour = chosenLedColour();
  design.dotPitch = signLookDotPitch();
  return design;
}

void showSignSize() {
  const int sign = chosenSign();
  setMakerItemText(kFrameWidth, formatNumber(clipOf(sign).width()));
  setMakerItemText(kFrameHeight, formatNumber(clipOf(sign).height()));
}

void makerMessage(const std::string& text, UINT icon) {
  MessageBoxA(app.makerWindow ? app.makerWindow : app.mainWindow, text.c_str(), kMakerTitle, MB_OK | icon);
}

int makerQuestion(const std::string& text) {
  return MessageBoxA(app.makerWindow ? app.makerWindow : app.mainWindow, text.c_str(), kMakerTitle,
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
}

void createMakerControls(HWND window) {
  registerStripColumn(app.instance);
  state = MakerState{};
  state.font.reset(copyOfProgramFont());
  createWideControls(window, app.instance, kMakerControls, state.font.get());

  HWND list = GetDlgItem(window, kRowList);
  SendMessageW(list, CCM_SETUNICODEFORMAT, TRUE, 0);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (std::size_t i = 0; i < sizeof kListColumns / sizeof kListColumns[0]; ++i) {
    std::wstring title = wideFrom(kCp932, kListColumns[i].title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = kListColumns[i].width;
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }

  for (const char* name : kSignNames) addComboText(kSign, wideFrom(kCp932, name));
  SendMessageW(makerItem(kSign), CB_SETCURSEL, 0, 0);
  for (const char* name : kLedColourNames) addComboText(kLedColour, wideFrom(kCp932, name));
  SendMessageW(makerItem(kLedColour), CB_SETCURSEL, 0, 0);
  const std::vector<std::wstring> faces = installedFaces();
  for (const std::wstring& face : faces) addComboText(kFace, face);
  const std::wstring face = defaultFace(faces);
  if (SendMessageW(makerItem(kFace), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face.c_str())) ==
      CB_ERR) {
    SendMessageW(makerItem(kFace), CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    SendMessageW(makerItem(kFace), CB_SETCURSEL, 0, 0);
  }
  SendMessageW(makerItem(kLoadAfter), BM_SETCHECK, BST_CHECKED, 0);
  for (int id : {kTextColour, kBackgroundColour}) SendMessageW(makerItem(id), EM_SETLIMITTEXT, 7, 0);
  for (int id : {kFrameWidth, kFrameHeight}) SendMessageW(makerItem(id), EM_SETLIMITTEXT, 4, 0);
  for (int id : {kPanelDotsAcross, kPanelDotsDown}) SendMessageW(makerItem(id), EM_SETLIMITTEXT, 5, 0);
  showSignSize();
}

}  // namespace rovenza
