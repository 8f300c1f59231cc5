#include "maker/win32/MakerWindow.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "board/win32/LayoutFiles.h"
#include "board/win32/OpenSave.h"
#include "board/win32/ProgramBoard.h"
#include "common/Number.h"
#include "common/win32/Controls.h"
#include "common/win32/Scoped.h"
#include "form/win32/FormCommands.h"
#include "layout/FileNames.h"
#include "maker/Strip.h"
#include "maker/win32/MakerOutput.h"
#include "maker/win32/MakerRender.h"
#include "maker/win32/StripColumn.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"
#include "state/win32/WindowFont.h"

namespace rovenza {

const char kMakerTitle[] = "幕の作成";

namespace {

using namespace maker_ids;

const char kStripFilter[] = "ビットマップ(*.bmp)\0*.bmp\0PNG(*.png)\0*.png\0";
const char kCsvFilter[] = "CSVファイル(*.csv)\0*.csv\0すべてのファイル(*.*)\0*.*\0";
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

const ControlRow kMakerControls[] = {
    {kRowList, WC_LISTVIEWA, "", WS_EX_CLIENTEDGE, kRows, 8, 8, 440, 210},
    {kAddRow, "BUTTON", "追加(&A)", 0, kButton, 8, 224, 64, 22},
    {kRemoveRow, "BUTTON", "削除(&D)", 0, kButton, 76, 224, 64, 22},
    {kRowUp, "BUTTON", "上へ(&U)", 0, kButton, 144, 224, 64, 22},
    {kRowDown, "BUTTON", "下へ(&N)", 0, kButton, 212, 224, 64, 22},
    {kImportCsv, "BUTTON", "CSV読込(&I)...", 0, kButton, 296, 224, 74, 22},
    {kExportCsv, "BUTTON", "CSV保存(&E)...", 0, kButton, 374, 224, 74, 22},
    {kLabelFirst, "STATIC", "主表示：", 0, kChild, 8, 259, 60, 14},
    {kMainText, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 70, 256, 378, 20},
    {kLabelFirst + 1, "STATIC", "副表示：", 0, kChild, 8, 285, 60, 14},
    {kSubText, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 70, 282, 378, 20},
    {kLabelFirst + 2, "STATIC", "文字色：", 0, kChild, 8, 311, 60, 14},
    {kTextColour, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 70, 308, 90, 20},
    {kLabelFirst + 3, "STATIC", "背景色：", 0, kChild, 176, 311, 60, 14},
    {kBackgroundColour, "EDIT", "", WS_EX_CLIENTEDGE, kEdit, 238, 308, 90, 20},
    {kFramePreview, "STATIC", "", WS_EX_CLIENTEDGE, kPreview, 8, 338, 440, 132},
    {kLabelFirst + 4, "STATIC", "幕：", 0, kChild, 460, 11, 58, 14},
    {kSign, "COMBOBOX", "", 0, kList, 520, 8, 170, 120},
    {kLabelFirst + 5, "STATIC", "幅：", 0, kChild, 460, 39, 58, 14},
    {kFrameWidth, "EDIT", "", WS_EX_CLIENTEDGE, kNumber, 520, 36, 60, 20},
    {kLabelFirst + 6, "STATIC", "高さ：", 0, kChild, 590, 39, 36, 14},
    {kFrameHeight, "EDIT", "", WS_EX_CLIENTEDGE, kNumber, 630, 36, 60, 20},
    {kLabelFirst + 7, "STATIC", "書体：", 0, kChild, 460, 67, 58, 14},
    {kFace, "COMBOBOX", "", 0, kList, 520, 64, 170, 240},
    {kBold, "BUTTON", "太字(&B)", 0, kCheck, 520, 92, 170, 18},
    {kLabelFirst + 8, "STATIC", "LEDの色：", 0, kChild, 460, 119, 58, 14},
    {kLedColour, "COMBOBOX", "", 0, kList, 520, 116, 170, 160},
    {kLedPreview, "BUTTON", "LEDの見た目でプレビュー(&V)", 0, kCheck, 460, 144, 230, 18},
    {kLoadAfter, "BUTTON", "作成後に幕へ読み込む", 0, kCheck, 460, 166, 230, 18},
    {kMakeStrip, "BUTTON", "方向幕を作成(&S)...", 0, kButton, 460, 194, 230, 26},
    {kMakeLed, "BUTTON", "LEDフォルダーを作成(&L)...", 0, kButton, 460, 226, 230, 26},
    {kClose, "BUTTON", "閉じる(&C)", 0, kButton, 590, 444, 100, 26},
    {kStripColumn, kStripColumnClass, "", WS_EX_CLIENTEDGE, kColumn, 700, 8, 152, 462},
};

struct ListColumn {
  const char* title;
  int width;
};
const ListColumn kListColumns[] = {{"コマ", 36}, {"主表示", 140}, {"副表示", 120}, {"文字色", 66}, {"背景色", 66}};

// A frame drawn lately, with what it was drawn from.
struct DrawnFrame {
  std::string key;
  Picture picture;
};
constexpr std::size_t kDrawnFramesKept = 32;  // more than the column shows at once
// Pixels of the frames kept at most (16 MB), and of one frame drawn for the
// previews: a larger frame is drawn smaller, as the previews show it smaller
// anyway, its letters in the same places (4 MB).
constexpr std::uint64_t kDrawnPixelsKept = 4u << 20;
constexpr std::uint64_t kPreviewFramePixels = 1u << 20;

struct MakerState {
  std::vector<SignRow> rows;
  int selected = -1;
  ScopedFont font;
  std::unique_ptr<FrameRenderer> renderer;
  bool fillingEdits = false;
  std::string shownText;    // the list's text given last
  std::vector<DrawnFrame> drawn;  // the previews' frames, so that a letter typed draws one frame again
  std::size_t nextDrawn = 0;      // the entry replaced next once all are taken
};

MakerState state;

HWND item(int id) { return app.makerWindow ? GetDlgItem(app.makerWindow, id) : nullptr; }

std::string itemText(int id) {
  HWND window = item(id);
  if (!window) return std::string();
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(std::max(0, length)) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, copied)));
  return text;
}

bool checked(int id) { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

int comboSelection(int id) { return static_cast<int>(SendMessageA(item(id), CB_GETCURSEL, 0, 0)); }

int chosenSign() { return comboSelection(kSign) == 1 ? 1 : 0; }

int numberIn(int id) { return parseInt(itemText(id)); }

LetteringStyle chosenLettering() {
  LetteringStyle style;
  const int face = comboSelection(kFace);
  if (face >= 0) {
    const LRESULT length = SendMessageA(item(kFace), CB_GETLBTEXTLEN, face, 0);
    if (length > 0) {
      std::string text(static_cast<std::size_t>(length) + 1, '\0');
      SendMessageA(item(kFace), CB_GETLBTEXT, face, reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<std::size_t>(length));
      style.face = text;
    }
  }
  style.bold = checked(kBold);
  return style;
}

LedColour chosenLedColour() {
  const int chosen = comboSelection(kLedColour);
  return chosen >= 0 && chosen < kLedColourCount ? static_cast<LedColour>(chosen) : LedColour::Orange;
}

SignDesign currentDesign() {
  SignDesign design;
  design.rows = state.rows;
  design.width = numberIn(kFrameWidth);
  design.height = numberIn(kFrameHeight);
  design.lettering = chosenLettering();
  design.ledColour = chosenLedColour();
  return design;
}

bool frameSizeUsable(int width, int height) {
  return width >= 1 && width <= kMaxFrameSide && height >= 1 && height <= kMaxFrameSide;
}

FrameRenderer& renderer() {
  if (!state.renderer) state.renderer = std::make_unique<FrameRenderer>(chosenLettering());
  return *state.renderer;
}

// Frame `frame` of the strip (0: the blank one) as the chosen output draws it.
Picture previewFrame(int frame, int width, int height) {
  if (frame <= 0 || frame > static_cast<int>(state.rows.size())) {
    return filledFrame(width, height, kDefaultBackgroundColour);
  }
  const SignRow& row = state.rows[static_cast<std::size_t>(frame) - 1];
  const std::uint64_t pixels = std::uint64_t(width) * static_cast<std::uint64_t>(height);
  if (pixels > kPreviewFramePixels) {
    const double scale = std::sqrt(static_cast<double>(kPreviewFramePixels) / static_cast<double>(pixels));
    width = std::max(1, static_cast<int>(width * scale));
    height = std::max(1, static_cast<int>(height * scale));
  }
  const bool led = checked(kLedPreview);
  const LedColour colour = chosenLedColour();
  const std::string key = row.main + '\n' + row.sub + '\n' + colourText(row.text) + colourText(row.background) + ' ' +
                          formatNumber(width) + 'x' + formatNumber(height) + (led ? 'L' : 'F') +
                          formatNumber(static_cast<int>(colour));
  for (const DrawnFrame& drawn : state.drawn) {
    if (drawn.key == key) return drawn.picture;
  }
  DrawnFrame drawn{key, led ? renderer().ledFrame(row, width, height, colour) : renderer().filmFrame(row, width, height)};
  const std::size_t kept = static_cast<std::size_t>(
      std::clamp<std::uint64_t>(kDrawnPixelsKept / std::max<std::uint64_t>(1, std::uint64_t(width) * height), 1,
                                kDrawnFramesKept));
  if (state.drawn.size() > kept) state.drawn.resize(kept);
  if (state.drawn.size() < kept) {
    state.drawn.push_back(drawn);
  } else {
    state.nextDrawn %= kept;
    state.drawn[state.nextDrawn] = drawn;
    state.nextDrawn = (state.nextDrawn + 1) % kept;
  }
  return drawn.picture;
}

void message(const std::string& text, UINT icon = MB_ICONEXCLAMATION) {
  MessageBoxA(app.makerWindow ? app.makerWindow : app.mainWindow, text.c_str(), kMakerTitle, MB_OK | icon);
}

// The strip column's frames: the table's, as the previews draw them.
class TableFrames : public StripColumnSource {
 public:
  int frameCount() override { return static_cast<int>(state.rows.size()) + 1; }
  SIZE frameSize() override {
    const int width = numberIn(kFrameWidth);
    const int height = numberIn(kFrameHeight);
    return frameSizeUsable(width, height) ? SIZE{width, height} : SIZE{0, 0};
  }
  Picture frame(int frame) override {
    const SIZE size = frameSize();
    return previewFrame(frame, size.cx, size.cy);
  }
};

TableFrames tableFrames;

// ---- the previews and the table -------------------------------------------

void refreshPreviews() {
  if (HWND preview = item(kFramePreview)) InvalidateRect(preview, nullptr, FALSE);
  refreshStripColumn(item(kStripColumn));
}

void drawFramePreview(const DRAWITEMSTRUCT& draw) {
  FillRect(draw.hDC, &draw.rcItem, app.faceBrush.get() ? app.faceBrush.get() : GetSysColorBrush(COLOR_BTNFACE));
  const int width = numberIn(kFrameWidth);
  const int height = numberIn(kFrameHeight);
  if (!frameSizeUsable(width, height) || state.selected < 0) return;
  const int roomWidth = draw.rcItem.right - draw.rcItem.left;
  const int roomHeight = draw.rcItem.bottom - draw.rcItem.top;
  // Whole pixels when it fits (twice as large when that fits too), else fitted.
  double scale = std::min(static_cast<double>(roomWidth) / width, static_cast<double>(roomHeight) / height);
  if (scale >= 1.0) scale = std::min(2.0, static_cast<double>(static_cast<int>(scale)));
  const int shownWidth = std::max(1, static_cast<int>(width * scale));
  const int shownHeight = std::max(1, static_cast<int>(height * scale));
  const RECT dest{draw.rcItem.left + (roomWidth - shownWidth) / 2, draw.rcItem.top + (roomHeight - shownHeight) / 2,
                  draw.rcItem.left + (roomWidth - shownWidth) / 2 + shownWidth,
                  draw.rcItem.top + (roomHeight - shownHeight) / 2 + shownHeight};
  drawPicture(draw.hDC, previewFrame(state.selected + 1, width, height), dest);
}

void fillEdits() {
  state.fillingEdits = true;
  const bool has = state.selected >= 0 && state.selected < static_cast<int>(state.rows.size());
  const SignRow row = has ? state.rows[static_cast<std::size_t>(state.selected)] : SignRow{};
  SetWindowTextA(item(kMainText), has ? row.main.c_str() : "");
  SetWindowTextA(item(kSubText), has ? row.sub.c_str() : "");
  SetWindowTextA(item(kTextColour), has ? colourText(row.text).c_str() : "");
  SetWindowTextA(item(kBackgroundColour), has ? colourText(row.background).c_str() : "");
  for (int id : {kMainText, kSubText, kTextColour, kBackgroundColour, kRemoveRow}) EnableWindow(item(id), has);
  EnableWindow(item(kRowUp), has && state.selected > 0);
  EnableWindow(item(kRowDown), has && state.selected + 1 < static_cast<int>(state.rows.size()));
  state.fillingEdits = false;
}

void select(int row) {
  state.selected = state.rows.empty() ? -1 : std::clamp(row, 0, static_cast<int>(state.rows.size()) - 1);
  HWND list = item(kRowList);
  ListView_SetItemCountEx(list, static_cast<int>(state.rows.size()), LVSICF_NOSCROLL);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (state.selected >= 0) {
    ListView_SetItemState(list, state.selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, state.selected, FALSE);
  }
  InvalidateRect(list, nullptr, FALSE);
  fillEdits();
  refreshPreviews();
}

void setRows(std::vector<SignRow> rows) {
  state.rows = std::move(rows);
  scrollStripColumnHome(item(kStripColumn));
  select(0);
}

void addRow() {
  SignRow row;
  if (state.selected >= 0) {
    row.text = state.rows[static_cast<std::size_t>(state.selected)].text;
    row.background = state.rows[static_cast<std::size_t>(state.selected)].background;
  }
  const int at = state.selected >= 0 ? state.selected + 1 : static_cast<int>(state.rows.size());
  state.rows.insert(state.rows.begin() + at, row);
  select(at);
  SetFocus(item(kMainText));
}

void removeRow() {
  if (state.selected < 0) return;
  state.rows.erase(state.rows.begin() + state.selected);
  select(state.selected);
}

void moveRow(int by) {
  const int to = state.selected + by;
  if (state.selected < 0 || to < 0 || to >= static_cast<int>(state.rows.size())) return;
  std::swap(state.rows[static_cast<std::size_t>(state.selected)], state.rows[static_cast<std::size_t>(to)]);
  select(to);
}

// A field of the selected row was typed in.
void editChanged(int id) {
  if (state.fillingEdits || state.selected < 0) return;
  SignRow& row = state.rows[static_cast<std::size_t>(state.selected)];
  const std::string text = itemText(id);
  switch (id) {
    case kMainText:
      row.main = text;
      break;
    case kSubText:
      row.sub = text;
      break;
    case kTextColour:
    case kBackgroundColour:
      // Half-typed colours wait until they read as one.
      if (!parseColour(text, id == kTextColour ? row.text : row.background)) return;
      break;
    default:
      return;
  }
  ListView_RedrawItems(item(kRowList), state.selected, state.selected);
  refreshPreviews();
}

void showSignSize() {
  const int sign = chosenSign();
  SetWindowTextA(item(kFrameWidth), formatNumber(clipOf(sign).width()).c_str());
  SetWindowTextA(item(kFrameHeight), formatNumber(clipOf(sign).height()).c_str());
}

void letteringChanged() {
  state.renderer.reset();
  state.drawn.clear();
  state.nextDrawn = 0;
  refreshPreviews();
}

LRESULT rowListNotify(const NMHDR& header, LPARAM lParam) {
  if (header.code == LVN_GETDISPINFOA) {
    auto& display = *reinterpret_cast<NMLVDISPINFOA*>(lParam);
    const int index = display.item.iItem;
    if (!(display.item.mask & LVIF_TEXT) || index < 0 || index >= static_cast<int>(state.rows.size())) return 0;
    const SignRow& row = state.rows[static_cast<std::size_t>(index)];
    switch (display.item.iSubItem) {
      case 0:
        state.shownText = formatNumber(index + 1);  // the frame the row becomes
        break;
      case 1:
        state.shownText = row.main;
        break;
      case 2:
        state.shownText = row.sub;
        break;
      case 3:
        state.shownText = colourText(row.text);
        break;
      default:
        state.shownText = colourText(row.background);
        break;
    }
    lstrcpynA(display.item.pszText, state.shownText.c_str(), display.item.cchTextMax);
  } else if (header.code == LVN_ITEMCHANGED) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
    if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && change.iItem != state.selected &&
        change.iItem >= 0) {
      state.selected = change.iItem;
      fillEdits();
      refreshPreviews();
    }
  }
  return 0;
}

// ---- outputs ------------------------------------------------------------------

// Whether the design can be written: a usable frame size, and for a strip
// one the program could load back. Says why not.
bool designWritable(const SignDesign& design, bool strip) {
  if (!frameSizeUsable(design.width, design.height)) {
    message("幅と高さは1から8192までの数で指定してください。");
    return false;
  }
  if (strip && !stripLoadable(stripGeometry(design.width, design.height, design.rows.size()))) {
    message("この大きさと行数の幕は、読み込める画像の大きさ（8192×8192ピクセル分）を超えるため作成できません。"
            "行を減らすか、幕を小さくしてください。");
    return false;
  }
  return true;
}

// The written output into the chosen sign, when the check box says so and
// the sign is of its kind.
void loadIntoSign(bool strip, const std::string& path) {
  if (!checked(kLoadAfter)) return;
  const int sign = chosenSign();
  const SignKind wanted = strip ? SignKind::RollFilm : SignKind::Led;
  if (effectiveKind(app.layout.signs[sign].kind) != wanted) {
    message(strip ? "選んだ幕は方向幕ではないため、作成した幕を読み込みませんでした。"
                  : "選んだ幕はLEDではないため、作成したフォルダーを読み込みませんでした。",
            MB_ICONINFORMATION);
    return;
  }
  if (!rollBusyGuard()) {
    message("幕が動いている間は読み込めません。作成したファイルはそのまま使えます。", MB_ICONINFORMATION);
    return;
  }
  if (strip) {
    useStripPicture(sign, path);
  } else {
    useFrameFolder(sign, path);
  }
}

std::string chooseLedFolder() {
  BROWSEINFOA browse{};
  browse.hwndOwner = app.makerWindow;
  browse.lpszTitle = "LEDの画像を書き込むフォルダーを選択してください";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
  char folder[MAX_PATH + 4] = {};
  LPITEMIDLIST items = SHBrowseForFolderA(&browse);
  if (items) {
    SHGetPathFromIDListA(items, folder);
    CoTaskMemFree(items);
  }
  return std::string(folder);
}

void makeStripCommand() {
  if (!designWritable(currentDesign(), true)) return;
  SystemError failure = 0;
  const std::string path = showFileDialog(app.makerWindow, true, kStripFilter, "方向幕の保存", &failure);
  if (path.empty()) {
    if (failure != 0) reportSaveError(failure);
    return;
  }
  makeStripFile(isPngPath(path) ? path : withExtension(path, ".bmp"));
}

void makeLedCommand() {
  if (!designWritable(currentDesign(), false)) return;
  const std::string folder = chooseLedFolder();
  if (!folder.empty()) makeLedFolder(folder);
}

void importCsvCommand() {
  const std::string path = showFileDialog(app.makerWindow, false, kCsvFilter, "CSVファイルを開く");
  if (!path.empty()) importCsvFile(path);
}

void exportCsvCommand() {
  SystemError failure = 0;
  const std::string path = showFileDialog(app.makerWindow, true, kCsvFilter, "CSVファイルの保存", &failure);
  if (path.empty()) {
    if (failure != 0) reportSaveError(failure);
    return;
  }
  exportCsvFile(withExtension(path, ".csv"));
}

// ---- the window -------------------------------------------------------------

void fillCombo(int id, const char* const* texts, std::size_t count, int selected) {
  for (std::size_t i = 0; i < count; ++i) SendMessageA(item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
  SendMessageA(item(id), CB_SETCURSEL, selected, 0);
}

LRESULT onInitDialog(HWND window) {
  registerStripColumn(app.instance);
  state = MakerState{};
  state.font.reset(copyOfProgramFont());
  createControls(window, app.instance, kMakerControls, state.font.get());
  setStripColumnSource(GetDlgItem(window, kStripColumn), &tableFrames);

  HWND list = GetDlgItem(window, kRowList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (std::size_t i = 0; i < sizeof kListColumns / sizeof kListColumns[0]; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(kListColumns[i].title);
    column.cx = kListColumns[i].width;
    column.iSubItem = static_cast<int>(i);
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }

  const char* signs[] = {kSignNames[0], kSignNames[1]};
  fillCombo(kSign, signs, 2, 0);
  const char* leds[kLedColourCount];
  for (int i = 0; i < kLedColourCount; ++i) leds[i] = kLedColourNames[i];
  fillCombo(kLedColour, leds, kLedColourCount, 0);
  const std::vector<std::string> faces = installedFaces();
  for (const std::string& face : faces) SendMessageA(item(kFace), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
  const std::string face = defaultFace(faces);
  if (SendMessageA(item(kFace), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face.c_str())) == CB_ERR) {
    SendMessageA(item(kFace), CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    SendMessageA(item(kFace), CB_SETCURSEL, 0, 0);
  }
  SendMessageA(item(kLoadAfter), BM_SETCHECK, BST_CHECKED, 0);
  for (int id : {kTextColour, kBackgroundColour}) SendMessageA(item(id), EM_SETLIMITTEXT, 7, 0);
  for (int id : {kFrameWidth, kFrameHeight}) SendMessageA(item(id), EM_SETLIMITTEXT, 4, 0);
  showSignSize();
  select(-1);
  return TRUE;
}

LRESULT onCommand(HWND window, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case kAddRow:
      addRow();
      break;
    case kRemoveRow:
      removeRow();
      break;
    case kRowUp:
      moveRow(-1);
      break;
    case kRowDown:
      moveRow(1);
      break;
    case kImportCsv:
      importCsvCommand();
      break;
    case kExportCsv:
      exportCsvCommand();
      break;
    case kMainText:
    case kSubText:
    case kTextColour:
    case kBackgroundColour:
      if (code == EN_CHANGE) editChanged(id);
      break;
    case kFrameWidth:
    case kFrameHeight:
      if (code == EN_CHANGE) refreshPreviews();
      break;
    case kSign:
      if (code == CBN_SELCHANGE) showSignSize();
      break;
    case kFace:
      if (code == CBN_SELCHANGE) letteringChanged();
      break;
    case kBold:
      letteringChanged();
      break;
    case kLedColour:
      if (code == CBN_SELCHANGE) refreshPreviews();
      break;
    case kLedPreview:
      refreshPreviews();
      break;
    case kMakeStrip:
      makeStripCommand();
      break;
    case kMakeLed:
      makeLedCommand();
      break;
    case kClose:
    case IDCANCEL:
      DestroyWindow(window);
      break;
    default:
      break;
  }
  return 0;
}

// The last message: the controls have gone, so the font they were given can
// go too, with the rows, the lettering's fonts and the frames drawn.
LRESULT onNcDestroy() {
  app.makerWindow = nullptr;
  state = MakerState{};
  return 0;
}

}  // namespace

bool makeStripFile(const std::string& path) {
  const SignDesign design = currentDesign();
  if (!designWritable(design, true)) return false;
  const SystemError error = writeStripFile(design, path);
  if (error != 0) {
    reportSaveError(error);
    return false;
  }
  loadIntoSign(true, path);
  return true;
}

bool makeLedFolder(const std::string& folder) {
  const SignDesign design = currentDesign();
  if (!designWritable(design, false)) return false;
  const SystemError error = writeLedFolder(design, folder);
  if (error != 0) {
    reportSaveError(error);
    return false;
  }
  loadIntoSign(false, folder);
  return true;
}

bool importCsvFile(const std::string& path) {
  CsvReadResult result;
  const SystemError error = readCsvFile(path, result);
  if (error != 0) {
    ProgramBoard board;
    board.reportReadError(error);
    return false;
  }
  if (result.problem != CsvProblem::None) {
    message(csvProblemText(result.problem, result.line));
    return false;
  }
  setRows(std::move(result.rows));
  return true;
}

bool exportCsvFile(const std::string& path) {
  const SystemError error = writeCsvFile(state.rows, path);
  if (error != 0) reportSaveError(error);
  return error == 0;
}

const std::vector<SignRow>& makerRows() { return state.rows; }
int makerSelectedRow() { return state.selected; }

LRESULT CALLBACK makerWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_COMMAND:
      return onCommand(window, wParam);
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == static_cast<UINT_PTR>(kRowList)) return rowListNotify(header, lParam);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.CtlID == static_cast<UINT>(kFramePreview)) drawFramePreview(draw);
      return TRUE;
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      onNcDestroy();
      return DefWindowProcA(window, msg, wParam, lParam);
    default:
      return DefWindowProcA(window, msg, wParam, lParam);
  }
}

}  // namespace rovenza
