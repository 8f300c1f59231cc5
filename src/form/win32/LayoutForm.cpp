#include "form/win32/LayoutForm.h"

#include <commctrl.h>

#include <cstdint>

#include "common/win32/Controls.h"
#include "form/ArrowRule.h"
#include "form/FormIds.h"
#include "form/win32/FormCommands.h"
#include "form/win32/TemplatePicture.h"
#include "resources/resource.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

using namespace form_ids;

// The kinds of control of the form. Everything a user types into or presses
// is a tab stop, so that Tab and Shift+Tab walk the form in creation order.
constexpr ControlRow group(int id, const char* text, int x, int y, int width, int height) {
  return {id, "BUTTON", text, 0, 0x50000007, x, y, width, height};
}
constexpr ControlRow button(int id, const char* text, int x, int y, int width, int height) {
  return {id, "BUTTON", text, 0, 0x50000000 | WS_TABSTOP, x, y, width, height};
}
constexpr ControlRow imageButton(int id, const char* text, int x, int y, int width, int height) {
  return {id, "BUTTON", text, 0, 0x50000080 | WS_TABSTOP, x, y, width, height};
}
constexpr ControlRow label(int id, const char* text, int x, int y, int width, int height) {
  return {id, "STATIC", text, 0, 0x50000000, x, y, width, height};
}
constexpr ControlRow pathEdit(int id, int x, int y, int width, int height) {
  return {id, "EDIT", "", WS_EX_STATICEDGE, 0x50000080 | WS_TABSTOP, x, y, width, height};
}
constexpr ControlRow numberEdit(int id, int x, int y, int width, int height) {
  return {id, "EDIT", "", WS_EX_CLIENTEDGE, 0x50002002 | WS_TABSTOP, x, y, width, height};
}
constexpr ControlRow kindCombo(int id, int x, int y, int width, int height) {
  return {id, "COMBOBOX", "", 0, 0x50200003 | WS_TABSTOP, x, y, width, height};
}
constexpr ControlRow upDown(int id, int x, int y, int width, int height) {
  return {id, kUpDownClass, nullptr, 0, 0x50000036, x, y, width, height};
}

// In creation order: each up-down takes the edit created just before it as
// its buddy.
const ControlRow kControls[] = {
    group(kFormGroup, "フォーム", 9, 6, 575, 83),
    label(kBackgroundLabel, "背景の画像：", 24, 29, 74, 14),
    pathEdit(kBackgroundPath, 93, 24, 388, 20),
    button(kBackgroundBrowse, "参照...", 485, 24, 40, 20),
    button(kBackgroundDelete, "削除", 534, 24, 38, 20),
    label(1003, "幅：", 128, 59, 26, 15),
    numberEdit(kFormWidthEdit, 150, 55, 80, 20),
    upDown(kFormWidthUpDown, 224, 53, 22, 23),
    label(1032, "高さ：", 295, 59, 74, 18),
    numberEdit(kFormHeightEdit, 327, 55, 80, 20),
    upDown(kFormHeightUpDown, 408, 53, 20, 22),
    group(1007, "1つ目の方向幕", 9, 99, 280, 280),
    group(1050, "2つ目の方向幕", 302, 99, 280, 280),
    label(1035, "方向幕の種類：", 19, 122, 82, 16),
    kindCombo(kKindCombo[0], 101, 119, 170, 90),
    label(1038, "方向幕画像：", 18, 151, 73, 14),
    pathEdit(kSignPath[0], 16, 167, 180, 20),
    button(kSignBrowse[0], "参照...", 202, 166, 40, 22),
    button(kSignDelete[0], "削除", 244, 166, 40, 22),
    label(1039, "左：", 24, 209, 20, 15),
    numberEdit(kLeftEdit[0], 46, 206, 70, 20),
    upDown(kLeftUpDown[0], 107, 206, 19, 20),
    label(1053, "上：", 143, 209, 30, 18),
    numberEdit(kTopEdit[0], 178, 206, 70, 20),
    upDown(kTopUpDown[0], 236, 206, 16, 22),
    label(1055, "幅：", 24, 246, 20, 15),
    numberEdit(kWidthEdit[0], 46, 243, 70, 20),
    upDown(kWidthUpDown[0], 107, 244, 13, 21),
    label(1058, "高さ：", 145, 246, 36, 16),
    numberEdit(kHeightEdit[0], 178, 243, 70, 20),
    upDown(kHeightUpDown[0], 241, 240, 12, 24),
    label(1061, "方向幕の種類：", 311, 122, 79, 15),
    kindCombo(kKindCombo[1], 397, 119, 170, 90),
    label(1063, "方向幕画像：", 311, 151, 123, 14),
    pathEdit(kSignPath[1], 309, 167, 180, 20),
    button(kSignBrowse[1], "参照...", 494, 166, 40, 22),
    button(kSignDelete[1], "削除", 537, 166, 40, 22),
    label(1065, "左：", 318, 211, 21, 16),
    numberEdit(kLeftEdit[1], 340, 206, 70, 20),
    upDown(kLeftUpDown[1], 408, 203, 15, 28),
    label(1068, "上：", 438, 211, 22, 16),
    numberEdit(kTopEdit[1], 469, 206, 70, 20),
    upDown(kTopUpDown[1], 528, 199, 15, 32),
    label(1071, "幅：", 318, 247, 37, 15),
    numberEdit(kWidthEdit[1], 340, 243, 70, 20),
    upDown(kWidthUpDown[1], 400, 237, 14, 28),
    label(1074, "高さ：", 438, 247, 31, 17),
    numberEdit(kHeightEdit[1], 469, 243, 70, 20),
    upDown(kHeightUpDown[1], 531, 240, 13, 32),
    button(kCopyTemplate[0], "原稿をコピー", 133, 341, 140, 25),
    button(kCopyTemplate[1], "原稿をコピー", 431, 341, 140, 25),
    button(kClose, "閉じる(&C)", 495, 385, 90, 35),
    imageButton(kHelp, "？Help", 10, 384, 80, 35),
    label(1077, "原稿用の幕の枚数(LED用は1枚だけです)", 33, 323, 213, 13),
    numberEdit(kFramesEdit[0], 52, 342, 65, 20),
    upDown(kFramesUpDown[0], 102, 339, 12, 28),
    label(1080, "原稿用の幕の枚数(LED用は1枚だけです)", 323, 323, 213, 13),
    numberEdit(kFramesEdit[1], 344, 342, 65, 20),
    upDown(kFramesUpDown[1], 400, 337, 12, 29),
    label(1083, "カドの丸み：", 34, 287, 78, 13),
    numberEdit(kCornerEdit[0], 102, 282, 55, 20),
    upDown(kCornerUpDown[0], 149, 279, 18, 24),
    label(1086, "カドの丸み：", 333, 287, 63, 17),
    numberEdit(kCornerEdit[1], 399, 282, 55, 20),
    upDown(kCornerUpDown[1], 449, 277, 15, 31),
};

// ---- edit colours ----

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kKeepTextColour = CLR_INVALID;

struct EditColour {
  int id;
  COLORREF text;  // kKeepTextColour: the edit's own
  FormBrush background;
};

const EditColour kEditColours[] = {
    {kBackgroundPath, kYellow, kBrushBlack},     {kSignPath[0], kYellow, kBrushBlack},
    {kSignPath[1], kYellow, kBrushBlack},        {kFormWidthEdit, kKeepTextColour, kBrushCyan},
    {kFormHeightEdit, kKeepTextColour, kBrushCyan}, {kLeftEdit[0], kWhite, kBrushBlue},
    {kTopEdit[0], kWhite, kBrushBlue},           {kWidthEdit[0], kWhite, kBrushBlue},
    {kHeightEdit[0], kWhite, kBrushBlue},        {kLeftEdit[1], kWhite, kBrushBlue},
    {kTopEdit[1], kWhite, kBrushBlue},           {kWidthEdit[1], kWhite, kBrushBlue},
    {kHeightEdit[1], kWhite, kBrushBlue},        {kCornerEdit[0], kKeepTextColour, kBrushYellow},
    {kCornerEdit[1], kKeepTextColour, kBrushYellow},
};

const COLORREF kBrushColours[kFormBrushCount] = {RGB(0, 0, 0), RGB(0, 0, 255), RGB(0, 255, 255), RGB(255, 255, 0)};

// ---- tooltips ----

const char* const kTipTexts[] = {
    "フォームの幅を設定します",
    "フォームの高さを設定します",
    "幕の左位置を設定します",
    "幕の上位置を設定します",
    "幕の幅を設定します",
    "幕の高さを設定します",
    "原稿幕の製作枚数を設定します",
    "幕に対するカドの丸め具合を設定します",
    "背景用の画像ファイルを選択します",
    "現在の背景画像を削除します",
    "幕の種類を選択します",
    "幕用の画像ファイルを選択します",
    "現在の幕画像を削除します",
    "上のサイズをもとに原稿用画像をコピーします",
};

struct Tip {
  int id;
  int text;
};

// The 2nd sign's kind combo box has no tip.
const Tip kTips[] = {
    {kFormWidthUpDown, 0}, {kFormHeightUpDown, 1}, {kLeftUpDown[0], 2},     {kTopUpDown[0], 3},
    {kWidthUpDown[0], 4},  {kHeightUpDown[0], 5},  {kLeftUpDown[1], 2},     {kTopUpDown[1], 3},
    {kWidthUpDown[1], 4},  {kHeightUpDown[1], 5},  {kFramesUpDown[0], 6},   {kFramesUpDown[1], 6},
    {kCornerUpDown[0], 7}, {kCornerUpDown[1], 7},  {kBackgroundBrowse, 8},  {kBackgroundDelete, 9},
    {kKindCombo[0], 10},   {kSignBrowse[0], 11},   {kSignDelete[0], 12},    {kSignBrowse[1], 11},
    {kSignDelete[1], 12},  {kCopyTemplate[0], 13}, {kCopyTemplate[1], 13},
};

constexpr DWORD kTipStyle = 0x1;  // TTS_ALWAYSTIP

void createTooltips(HWND owner, int balloon) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  FormTooltips& tips = app.form.tooltips;
  tips.owner = owner;
  tips.tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, "", kTipStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, owner, nullptr, app.instance, nullptr);
  if (balloon == 1 && tips.tooltip) {
    const LONG_PTR style = GetWindowLongPtrA(tips.tooltip, GWL_STYLE);
    SetWindowLongPtrA(tips.tooltip, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_BORDER)) | TTS_BALLOON | kTipStyle);
  }
  tips.margin = RECT{};
  if (tips.tooltip) SendMessageA(tips.tooltip, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&tips.margin));
}

void addTooltip(int id, const char* text) {
  HWND control = GetDlgItem(app.formWindow, id);
  if (!control || !app.form.tooltips.tooltip) return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = control;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  GetClientRect(control, &tool.rect);
  tool.hinst = nullptr;
  tool.lpszText = const_cast<char*>(text);
  SendMessageA(app.form.tooltips.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---- creation and initialisation ----

void sendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  SendDlgItemMessageA(app.formWindow, id, message, wParam, lParam);
}

std::int32_t initialPosition(const FormUpDown& entry, std::int32_t formWidth, std::int32_t formHeight) {
  const ChildWindow& clip = clipOf(entry.sign == 1 ? 1 : 0);
  switch (entry.field) {
    case FormField::FormWidth:
      return formWidth;
    case FormField::FormHeight:
      return formHeight;
    case FormField::SignLeft:
      return clip.left();
    case FormField::SignTop:
      return clip.top();
    case FormField::SignWidth:
      return clip.width();
    case FormField::SignHeight:
      return clip.height();
    case FormField::TemplateFrames:
      return 1;
    case FormField::CornerRound:
    default:
      return app.layout.signs[entry.sign == 1 ? 1 : 0].cornerRound;
  }
}

void fillKindCombos() {
  app.form.kindCombo1.setHandle(GetDlgItem(app.formWindow, kKindCombo[0]));
  app.form.kindCombo2.setHandle(GetDlgItem(app.formWindow, kKindCombo[1]));
  const KindComboBox& first = app.form.kindCombo1;
  first.clear();
  first.add("幕式");
  first.add("LED風");
  first.select(app.layout.signs[0].kind);
  const KindComboBox& second = app.form.kindCombo2;
  second.clear();
  second.add("幕式");
  second.add("LED風");
  second.add("使用しない（非表示）");
  second.select(app.layout.signs[1].kind);
}

void initialise() {
  RECT outer{};
  GetWindowRect(app.mainWindow, &outer);
  const std::int32_t formWidth = outer.right - outer.left;
  const std::int32_t formHeight = outer.bottom - outer.top;

  fillKindCombos();

  for (const FormUpDown& entry : kFormUpDowns) {
    sendToControl(entry.upDownId, UDM_SETRANGE, 0,
                  MAKELPARAM(static_cast<WORD>(entry.range.max), static_cast<WORD>(entry.range.min)));
  }
  // The frame-count fields open at 1; the counts the copy buttons use start
  // there too, so that what the field shows is what gets copied.
  app.templateFrames[0] = 1;
  app.templateFrames[1] = 1;
  for (const FormUpDown& entry : kFormUpDowns) {
    const std::int32_t position = initialPosition(entry, formWidth, formHeight);
    sendToControl(entry.upDownId, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position), 0));
  }

  SetDlgItemTextA(app.formWindow, kBackgroundPath, app.layout.backgroundPicture.c_str());
  SetDlgItemTextA(app.formWindow, kSignPath[0], app.layout.signs[0].picturePath.c_str());
  SetDlgItemTextA(app.formWindow, kSignPath[1], app.layout.signs[1].picturePath.c_str());

  // A form that ended without its close path leaves its brushes behind.
  releaseFormBrushes();
  for (int i = 0; i < kFormBrushCount; ++i) app.form.brushes[i].reset(CreateSolidBrush(kBrushColours[i]));

  app.form.helpButtonImage.reset(static_cast<HBITMAP>(
      LoadImageA(app.instance, MAKEINTRESOURCEA(IDB_HELP_BUTTON), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  sendToControl(kHelp, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(app.form.helpButtonImage.get()));

  createTooltips(app.formWindow, 0);
  for (const Tip& tip : kTips) addTooltip(tip.id, kTipTexts[tip.text]);
}

// ---- messages ----

LRESULT onInitDialog(HWND window) {
  app.formWindow = window;
  createControls(window, app.instance, kControls, app.formFont.get());
  initialise();
  return 0;
}

LRESULT onCtlColorEdit(HWND window, WPARAM wParam, LPARAM lParam) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
  for (const EditColour& colour : kEditColours) {
    if (colour.id != id) continue;
    SetBkMode(dc, TRANSPARENT);
    if (colour.text != kKeepTextColour) SetTextColor(dc, colour.text);
    return reinterpret_cast<LRESULT>(app.form.brushes[colour.background].get());
  }
  return DefWindowProcA(window, WM_CTLCOLOREDIT, wParam, lParam);
}

LRESULT onNotify(WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && static_cast<int>(header->code) == static_cast<int>(UDN_DELTAPOS)) {
    const FormUpDown* entry = findFormUpDown(LOWORD(wParam));
    if (entry) arrowPressed(*entry, *reinterpret_cast<const NMUPDOWN*>(lParam));
  }
  return 0;
}

LRESULT onCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == kKindCombo[0] || id == kKindCombo[1]) {
    if (code == kSelectionChanged) changeSignKind(id == kKindCombo[0] ? 0 : 1);
    return 0;
  }
  if (code != kClicked) return 0;
  switch (id) {
    case kBackgroundBrowse:
      browseBackground();
      break;
    case kBackgroundDelete:
      deleteBackground();
      break;
    case kSignBrowse[0]:
      browseSignPicture(0);
      break;
    case kSignDelete[0]:
      deleteSignPicture(0);
      break;
    case kSignBrowse[1]:
      browseSignPicture(1);
      break;
    case kSignDelete[1]:
      deleteSignPicture(1);
      break;
    case kCopyTemplate[0]:
      copyTemplate(0);
      break;
    case kCopyTemplate[1]:
      copyTemplate(1);
      break;
    case kClose:
      closeLayoutForm();
      break;
    case kHelp:
      SendMessageA(app.mainWindow, WM_COMMAND, kCmdHelpTopics, 0);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT onClose() {
  endLayoutForm(0);
  return 0;
}

}  // namespace

LRESULT CALLBACK layoutFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLOREDIT:
      return onCtlColorEdit(window, wParam, lParam);
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_NOTIFY:
      return onNotify(wParam, lParam);
    case WM_COMMAND:
      return onCommand(wParam);
    case WM_CLOSE:
      return onClose();
    case WM_DESTROY:
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace rovenza
