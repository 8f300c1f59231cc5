#include "support/ControlTable.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza::test {

namespace {

RECT placeIn(HWND parent, HWND child) {
  RECT rect = windowRect(child);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool isClass(HWND window, const char* name) { return lstrcmpiA(className(window).c_str(), name) == 0; }

// CP932 text as UTF-8, so that the snapshot reads as text.
std::string utf8Of(const std::string& cp932) {
  if (cp932.empty()) return {};
  const int wide = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), text.data(), wide);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::string snapshotOf(HWND parent) {
  std::ostringstream out;
  out << "# id class style exstyle left top width height [dropped list] \"text\"\n";
  for (HWND control : childControls(parent)) {
    const RECT r = placeIn(parent, control);
    char line[160];
    std::snprintf(line, sizeof line, "%d %s %08lX %08lX %ld %ld %ld %ld", GetDlgCtrlID(control),
                  className(control).c_str(), static_cast<unsigned long>(GetWindowLongPtrA(control, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongPtrA(control, GWL_EXSTYLE)), r.left, r.top,
                  r.right - r.left, r.bottom - r.top);
    out << line;
    if (isClass(control, "ComboBox")) {
      RECT dropped{};
      SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      out << " list " << dropped.right - dropped.left << "x" << dropped.bottom - dropped.top;
    }
    const bool live = isClass(control, "Edit") && (GetWindowLongPtrA(control, GWL_STYLE) & ES_NUMBER);
    if (!live) out << " \"" << utf8Of(windowText(control)) << "\"";
    out << "\n";
  }
  return out.str();
}

}  // namespace

std::vector<HWND> childControls(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!isClass(child, TOOLTIPS_CLASSA)) children.push_back(child);
  }
  return children;
}

void expectWellBuiltControls(HWND parent) {
  const std::vector<HWND> controls = childControls(parent);
  ASSERT_FALSE(controls.empty());
  const RECT client = clientRect(parent);
  std::set<int> ids;
  std::vector<HWND> tabStops;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    HWND control = controls[i];
    const int id = GetDlgCtrlID(control);
    SCOPED_TRACE("control " + std::to_string(id));
    EXPECT_TRUE(ids.insert(id).second) << "id used twice";
    const RECT r = placeIn(parent, control);
    EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
        << "outside its parent: " << r.left << "," << r.top << " to " << r.right << "," << r.bottom;
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) tabStops.push_back(control);
    if (isClass(control, UPDOWN_CLASSA)) {
      ASSERT_GT(i, 0u) << "an up-down with no control before it";
      HWND field = controls[i - 1];
      EXPECT_EQ(reinterpret_cast<LRESULT>(field), SendMessageA(control, UDM_GETBUDDY, 0, 0)) << "not its buddy";
      const RECT f = placeIn(parent, field);
      EXPECT_EQ(f.top, r.top);
      EXPECT_EQ(f.bottom, r.bottom);
      EXPECT_LE(r.left, f.right);
      EXPECT_GT(r.right, f.right);
    } else {
      EXPECT_NE(0, SendMessageA(control, WM_GETFONT, 0, 0)) << "no font";
    }
  }
  // Tab runs through the tab stops in creation order and comes round again.
  for (std::size_t i = 0; i < tabStops.size(); ++i) {
    HWND next = GetNextDlgTabItem(parent, tabStops[i], FALSE);
    EXPECT_EQ(tabStops[(i + 1) % tabStops.size()], next) << "after control " << GetDlgCtrlID(tabStops[i]);
  }
}

void expectControlsMatchSnapshot(HWND parent, const std::string& name) {
  const std::string path = sourcePath("tests/win/snapshots/" + name + ".txt");
  const std::string seen = snapshotOf(parent);
  if (GetEnvironmentVariableA("ROVENZA_WRITE_SNAPSHOTS", nullptr, 0) > 0) {
    ASSERT_TRUE(writeWholeFile(path, Bytes(seen.begin(), seen.end()))) << path;
    return;
  }
  const Bytes kept = readWholeFile(path);
  const std::string expected(kept.begin(), kept.end());
  ASSERT_FALSE(expected.empty()) << path << " is missing: run with ROVENZA_WRITE_SNAPSHOTS=1 to write it";
  std::istringstream a(expected), b(seen);
  std::string keptLine, seenLine;
  int line = 0;
  while (true) {
    const bool moreKept = static_cast<bool>(std::getline(a, keptLine));
    const bool moreSeen = static_cast<bool>(std::getline(b, seenLine));
    ++line;
    if (!moreKept && !moreSeen) break;
    if (!moreKept) keptLine = "(end of snapshot)";
    if (!moreSeen) seenLine = "(no more controls)";
    if (!keptLine.empty() && keptLine.back() == '\r') keptLine.pop_back();
    EXPECT_EQ(keptLine, seenLine) << name << " line " << line;
    if (!moreKept || !moreSeen) break;
  }
}

}  // namespace rovenza::test
