#include "maker/win32/MakerTable.h"

#include <algorithm>

#include "common/Number.h"
#include "common/win32/WideText.h"
#include "maker/win32/MakerControls.h"
#include "maker/win32/MakerPreviews.h"
#include "maker/win32/MakerWindow.h"

namespace rovenza {

namespace {

using namespace maker_ids;

void fillEdits() {
  MakerState& state = makerState();
  state.fillingEdits = true;
  const bool has = state.selected >= 0 && state.selected < static_cast<int>(state.rows.size());
  const SignRow row = has ? state.rows[static_cast<std::size_t>(state.selected)] : SignRow{};
  setMakerItemText(kMainText, has ? row.main : std::string());
  setMakerItemText(kSubText, has ? row.sub : std::string());
  setMakerItemText(kTextColour, has ? colourText(row.text) : std::string());
  setMakerItemText(kBackgroundColour, has ? colourText(row.background) : std::string());
  for (int id : {kMainText, kSubText, kTextColour, kBackgroundColour, kRemoveRow}) EnableWindow(makerItem(id), has);
  EnableWindow(makerItem(kRowUp), has && state.selected > 0);
  EnableWindow(makerItem(kRowDown), has && state.selected + 1 < static_cast<int>(state.rows.size()));
  EnableWindow(makerItem(kAddRow), state.rows.size() < kMaxSignRows);
  state.fillingEdits = false;
}

}  // namespace

void selectRow(int row) {
  MakerState& state = makerState();
  state.selected = state.rows.empty() ? -1 : std::clamp(row, 0, static_cast<int>(state.rows.size()) - 1);
  HWND list = makerItem(kRowList);
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
  MakerState& state = makerState();
  state.rows = std::move(rows);
  state.unwritten = false;
  scrollStripColumnHome(makerItem(kStripColumn));
  selectRow(0);
}

void addRow() {
  MakerState& state = makerState();
  if (state.rows.size() >= kMaxSignRows) return;
  SignRow row;
  if (state.selected >= 0) {
    row.text = state.rows[static_cast<std::size_t>(state.selected)].text;
    row.background = state.rows[static_cast<std::size_t>(state.selected)].background;
  }
  const int at = state.selected >= 0 ? state.selected + 1 : static_cast<int>(state.rows.size());
  state.rows.insert(state.rows.begin() + at, row);
  state.unwritten = true;
  selectRow(at);
  SetFocus(makerItem(kMainText));
}

void removeRow() {
  MakerState& state = makerState();
  if (state.selected < 0) return;
  state.rows.erase(state.rows.begin() + state.selected);
  state.unwritten = true;
  selectRow(state.selected);
}

void moveRow(int by) {
  MakerState& state = makerState();
  const int to = state.selected + by;
  if (state.selected < 0 || to < 0 || to >= static_cast<int>(state.rows.size())) return;
  std::swap(state.rows[static_cast<std::size_t>(state.selected)], state.rows[static_cast<std::size_t>(to)]);
  state.unwritten = true;
  selectRow(to);
}

void editChanged(int id) {
  MakerState& state = makerState();
  if (state.fillingEdits || state.selected < 0) return;
  SignRow& row = state.rows[static_cast<std::size_t>(state.selected)];
  const SignRow before = row;
  const std::string text = makerItemText(id);
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
  if (row == before) return;
  state.unwritten = true;
  ListView_RedrawItems(makerItem(kRowList), state.selected, state.selected);
  refreshPreviews();
}

LRESULT rowListNotify(const NMHDR& header, LPARAM lParam) {
  MakerState& state = makerState();
  if (header.code == LVN_GETDISPINFOW) {
    auto& display = *reinterpret_cast<NMLVDISPINFOW*>(lParam);
    const int index = display.item.iItem;
    if (!(display.item.mask & LVIF_TEXT) || index < 0 || index >= static_cast<int>(state.rows.size())) return 0;
    const SignRow& row = state.rows[static_cast<std::size_t>(index)];
    std::string text;
    switch (display.item.iSubItem) {
      case 0:
        text = formatNumber(index + 1);  // the frame the row becomes
        break;
      case 1:
        text = row.main;
        break;
      case 2:
        text = row.sub;
        break;
      case 3:
        text = colourText(row.text);
        break;
      default:
        text = colourText(row.background);
        break;
    }
    state.shownText = wideFrom(CP_UTF8, text);
    lstrcpynW(display.item.pszText, state.shownText.c_str(), display.item.cchTextMax);
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

}  // namespace rovenza
