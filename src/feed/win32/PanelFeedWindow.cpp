#include "feed/win32/PanelFeedWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/win32/Controls.h"
#include "common/win32/Scoped.h"
#include "feed/Ddp.h"
#include "feed/PanelSettings.h"
#include "feed/win32/PanelFeed.h"
#include "layout/Layout.h"
#include "sign/win32/SignLook.h"
#include "state/win32/AppState.h"
#include "state/win32/WindowFont.h"

namespace rovenza {

const char kPanelFeedTitle[] = "LEDパネルへ送信";

namespace {

// Posted by the feed when a sign's problem appears or goes.
constexpr UINT kFeedProblemMessage = WM_APP + 0x0401;

const char* const kBoardSignNames[kSignCount] = {"１つ目の幕", "２つ目の幕"};

// A sign the window lists.
struct FeedRow {
  FeedKey key;
  std::string name;
  PanelSize defaultSize;
};

struct FeedWindowState {
  ScopedFont font;
  std::vector<FeedRow> rows;
};

FeedWindowState state;
std::string panelFile;

// Places in the client area.
constexpr int kRowTop = 28;
constexpr int kRowHeight = 50;
constexpr int kClientWidth = 572;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;

// The panel the sign's opening makes at the look's pitch, within the most dots
// a panel may have.
PanelSize defaultPanelSize(int sign) {
  RECT opening{};
  GetClientRect(clipOf(sign).handle(), &opening);
  const int pitch = signLookDotPitch();
  PanelSize size{std::max(1, static_cast<int>(opening.right) / pitch), std::max(1, static_cast<int>(opening.bottom) / pitch)};
  if (size.dots() > kMaxPanelDots) size.height = static_cast<int>(std::max<long long>(1, kMaxPanelDots / size.width));
  return size;
}

// Every LED sign of every face open: the main window's, then a vehicle's
// further faces' (named by the face's number).
std::vector<FeedRow> feedableSigns() {
  std::vector<FeedRow> rows;
  for (int sign = 0; sign < kAllSigns; ++sign) {
    const int face = faceOfSign(sign);
    if (face > 0 && !app.faces[face].window) continue;
    if (effectiveKind(signSpecOf(sign).kind) != SignKind::Led) continue;
    std::string name = kBoardSignNames[signInFace(sign)];
    if (face > 0) name = "面" + std::to_string(face + 1) + " " + name;
    rows.push_back(FeedRow{FeedKey{face, signInFace(sign)}, name, defaultPanelSize(sign)});
  }
  return rows;
}

PanelFeedSettings keptSettings(const FeedRow& row) { return keptFeedSettings(row.key, row.defaultSize); }

void keepSettings(const FeedRow& row, const PanelFeedSettings& settings) {
  if (panelFile.empty()) return;
  const std::string section = panelSection(row.key.face, row.key.sign);
  const PanelFields fields = panelFields(settings);
  // Settings that cannot be kept still feed the panel for this run.
  for (int field = 0; field < kPanelFieldCount; ++field) {
    WritePrivateProfileStringA(section.c_str(), kPanelFieldKeys[field], fields[field].c_str(), panelFile.c_str());
  }
}

const PanelFeedRowControl kFieldControls[kPanelFieldCount] = {kFeedRowHost, kFeedRowPort, kFeedRowWidth,
                                                              kFeedRowHeight, kFeedRowCap};

std::string controlText(HWND window, int id) {
  char text[512] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

// The row's fields can be changed while its sign is not fed.
void showFed(HWND window, int row, bool fed) {
  CheckDlgButton(window, feedControl(row, kFeedRowOn), fed ? BST_CHECKED : BST_UNCHECKED);
  for (const PanelFeedRowControl field : kFieldControls) {
    EnableWindow(GetDlgItem(window, feedControl(row, field)), !fed);
  }
}

void showProblems(HWND window) {
  for (std::size_t row = 0; row < state.rows.size(); ++row) {
    const int id = feedControl(static_cast<int>(row), kFeedRowProblem);
    const std::string problem = feedProblem(state.rows[row].key);
    if (controlText(window, id) != problem) SetDlgItemTextA(window, id, problem.c_str());
  }
}

void turnRow(HWND window, int row) {
  const FeedRow& sign = state.rows[static_cast<std::size_t>(row)];
  const bool on = IsDlgButtonChecked(window, feedControl(row, kFeedRowOn)) == BST_CHECKED;
  if (!on) {
    stopFeed(sign.key);
    showFed(window, row, false);
    showProblems(window);
    return;
  }
  PanelFields fields;
  for (int field = 0; field < kPanelFieldCount; ++field) fields[field] = controlText(window, feedControl(row, kFieldControls[field]));
  PanelFeedSettings settings;
  const PanelSettingFault fault = readPanelFields(fields, settings);
  if (fault != PanelSettingFault::None) {
    showFed(window, row, false);
    MessageBoxA(window, panelSettingMessage(fault), kPanelFeedTitle, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(window, feedControl(row, kFieldControls[panelFieldOf(fault)])));
    return;
  }
  keepSettings(sign, settings);
  if (!startFeed(sign.key, settings)) {
    showFed(window, row, false);
    MessageBoxA(window, "送信を始められません。", kPanelFeedTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  showFed(window, row, true);
}

ControlRow label(int id, const char* text, int x, int y, int width) {
  return ControlRow{id, "STATIC", text, 0, kLabelStyle, x, y, width, 14};
}
ControlRow edit(int id, int x, int y, int width) {
  return ControlRow{id, "EDIT", "", WS_EX_CLIENTEDGE, kEditStyle, x, y, width, 20};
}

std::vector<ControlRow> controlRows() {
  std::vector<ControlRow> rows{
      label(kFeedHostHeading, "ホスト名またはIPv4アドレス", 165, 8, 170),
      label(kFeedPortHeading, "ポート", 340, 8, 50),
      label(kFeedSizeHeading, "大きさ(ドット)", 395, 8, 100),
      label(kFeedCapHeading, "明るさ上限", 500, 8, 70),
  };
  for (std::size_t i = 0; i < state.rows.size(); ++i) {
    const int row = static_cast<int>(i);
    const int y = kRowTop + row * kRowHeight;
    rows.push_back(label(feedControl(row, kFeedRowName), state.rows[i].name.c_str(), 8, y + 3, 80));
    rows.push_back(ControlRow{feedControl(row, kFeedRowOn), "BUTTON", "送信する", 0,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 90, y, 72, 20});
    rows.push_back(edit(feedControl(row, kFeedRowHost), 165, y, 170));
    rows.push_back(edit(feedControl(row, kFeedRowPort), 340, y, 50));
    rows.push_back(edit(feedControl(row, kFeedRowWidth), 395, y, 40));
    rows.push_back(label(feedControl(row, kFeedRowTimes), "×", 437, y + 3, 12));
    rows.push_back(edit(feedControl(row, kFeedRowHeight), 451, y, 40));
    rows.push_back(edit(feedControl(row, kFeedRowCap), 500, y, 36));
    rows.push_back(label(feedControl(row, kFeedRowPercent), "%", 539, y + 3, 14));
    rows.push_back(label(feedControl(row, kFeedRowProblem), "", 90, y + 25, 470));
  }
  const int bottom = kRowTop + static_cast<int>(std::max<std::size_t>(state.rows.size(), 1)) * kRowHeight;
  if (state.rows.empty()) rows.push_back(label(kFeedNoSigns, "LEDの幕がありません。", 8, kRowTop + 3, 300));
  rows.push_back(ControlRow{kFeedClose, "BUTTON", "閉じる", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                            kClientWidth - 88, bottom + 4, 80, 24});
  return rows;
}

LRESULT onInitDialog(HWND window) {
  state.rows = feedableSigns();
  state.font.reset(copyOfProgramFont());
  const std::vector<ControlRow> rows = controlRows();
  createControls(window, app.instance, rows.data(), rows.size(), state.font.get());
  // The window's outer size for its rows.
  RECT client{0, 0, kClientWidth, rows.back().y + rows.back().height + 8};
  AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (std::size_t i = 0; i < state.rows.size(); ++i) {
    const int row = static_cast<int>(i);
    const PanelFields fields = panelFields(keptSettings(state.rows[i]));
    for (int field = 0; field < kPanelFieldCount; ++field) {
      SetDlgItemTextA(window, feedControl(row, kFieldControls[field]), fields[field].c_str());
    }
    SendDlgItemMessageA(window, feedControl(row, kFeedRowHost), EM_LIMITTEXT, kMaxHostLength + 64, 0);
    showFed(window, row, isFeeding(state.rows[i].key));
  }
  showProblems(window);
  setFeedProblemWindow(window, kFeedProblemMessage);
  return 0;
}

LRESULT onCommand(HWND window, WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id == kFeedClose) {
    DestroyWindow(window);
    return 0;
  }
  const int row = (id - kFeedFirstRow) / kFeedRowIds;
  if (id >= kFeedFirstRow && row < static_cast<int>(state.rows.size()) && id == feedControl(row, kFeedRowOn) &&
      HIWORD(wParam) == BN_CLICKED) {
    turnRow(window, row);
  }
  return 0;
}

}  // namespace

PanelFeedSettings keptFeedSettings(FeedKey key, PanelSize defaultSize) {
  const PanelFeedSettings defaults{"", kDdpPort, defaultSize, kDefaultBrightnessCap};
  if (panelFile.empty()) return defaults;
  const std::string section = panelSection(key.face, key.sign);
  PanelFields fields;
  for (int field = 0; field < kPanelFieldCount; ++field) {
    char text[512] = {};
    GetPrivateProfileStringA(section.c_str(), kPanelFieldKeys[field], "", text, sizeof text, panelFile.c_str());
    fields[field] = text;
  }
  return keptPanelSettings(fields, defaults);
}

void setPanelFeedFile(const std::string& file) { panelFile = file; }

LRESULT CALLBACK panelFeedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(window);
    case WM_COMMAND:
      return onCommand(window, wParam);
    case kFeedProblemMessage:
      showProblems(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      setFeedProblemWindow(nullptr, 0);
      app.feedWindow = nullptr;
      state = FeedWindowState{};
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace rovenza
