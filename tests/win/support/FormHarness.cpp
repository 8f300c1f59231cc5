#include "support/FormHarness.h"

#include <commctrl.h>
#include <shlobj.h>

#include "app/win32/Commands.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza::test {

namespace {

struct StepRun {
  const std::vector<FormStep>* steps = nullptr;
  std::size_t next = 0;
};
StepRun run;

void CALLBACK stepTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!run.steps) return;
  if (run.next < run.steps->size()) {
    const std::size_t index = run.next++;
    (*run.steps)[index]();
  }
  if (run.next < run.steps->size()) {
    SetTimer(nullptr, 0, 1, stepTick);
  } else if (app.formWindow && IsWindow(app.formWindow)) {
    PostMessageA(app.formWindow, WM_CLOSE, 0, 0);
  }
}

// ---- message boxes ----

struct BoxWatch {
  std::string caption;
  int button = 0;
  MessageBoxSeen* seen = nullptr;
  UINT_PTR timer = 0;
};
BoxWatch boxWatch;

BOOL CALLBACK collectText(HWND child, LPARAM param) {
  auto* seen = reinterpret_cast<MessageBoxSeen*>(param);
  if (lstrcmpiA(className(child).c_str(), "Static") != 0) return TRUE;
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  if ((style & SS_TYPEMASK) == SS_ICON) {
    const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    const struct {
      LPCSTR id;
      UINT flag;
    } icons[] = {{IDI_ASTERISK, MB_ICONINFORMATION}, {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_HAND, MB_ICONERROR},            {IDI_EXCLAMATION, MB_ICONWARNING}};
    for (const auto& candidate : icons) {
      if (icon && icon == LoadIconA(nullptr, candidate.id)) seen->icon = candidate.flag;
    }
    return TRUE;
  }
  const std::string text = windowText(child);
  if (!text.empty()) seen->text += text;
  return TRUE;
}

struct FindBox {
  const std::string* caption;
  HWND found;
};

bool isFileOrFolderDialog(HWND dialog) {
  return FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr) || GetDlgItem(dialog, 0x47C) ||
         GetDlgItem(dialog, 0x480);
}

BOOL CALLBACK matchBox(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<FindBox*>(param);
  if (className(window) != "#32770") return TRUE;
  const bool wanted = find->caption->empty() ? !isFileOrFolderDialog(window) : windowText(window) == *find->caption;
  if (wanted) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK boxTick(HWND, UINT, UINT_PTR, DWORD) {
  FindBox find{&boxWatch.caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), matchBox, reinterpret_cast<LPARAM>(&find));
  if (!find.found || !IsWindowVisible(find.found)) return;
  KillTimer(nullptr, boxWatch.timer);
  boxWatch.timer = 0;
  if (boxWatch.seen) {
    boxWatch.seen->seen = true;
    EnumChildWindows(find.found, collectText, reinterpret_cast<LPARAM>(boxWatch.seen));
  }
  HWND button = GetDlgItem(find.found, boxWatch.button);
  if (button) {
    PostMessageA(button, BM_CLICK, 0, 0);
  } else {
    PostMessageA(find.found, WM_COMMAND, static_cast<WPARAM>(boxWatch.button), 0);
  }
}

// ---- file and folder dialogs ----

struct DialogWatch {
  HWND owner = nullptr;
  std::string path;
  DialogSeen* seen = nullptr;
  UINT_PTR timer = 0;
};
DialogWatch dialogWatch;

struct FindOwned {
  HWND owner;
  HWND found;
};

BOOL CALLBACK matchOwned(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<FindOwned*>(param);
  if (className(window) == "#32770" && GetWindow(window, GW_OWNER) == find->owner && IsWindowVisible(window)) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

bool isFolderDialog(HWND dialog) { return FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr) != nullptr; }

BOOL CALLBACK collectStatics(HWND child, LPARAM param) {
  auto* texts = reinterpret_cast<std::string*>(param);
  if (lstrcmpiA(className(child).c_str(), "Static") == 0) *texts += windowText(child);
  return TRUE;
}

std::string selectedTreeText(HWND dialog) {
  HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  char text[MAX_PATH] = {};
  TVITEMA info{};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = sizeof text;
  if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info))) return std::string();
  return text;
}

// Selects the folder in the browser's tree; true once the tree shows it
// selected (the browser may not take a selection before it is ready).
bool selectFolder(HWND dialog, const std::string& path) {
  SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
  const std::string last = path.substr(path.find_last_of('\\') + 1);
  return lstrcmpiA(selectedTreeText(dialog).c_str(), last.c_str()) == 0;
}

void CALLBACK dialogTick(HWND, UINT, UINT_PTR, DWORD) {
  FindOwned find{dialogWatch.owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), matchOwned, reinterpret_cast<LPARAM>(&find));
  if (!find.found) return;
  HWND dialog = find.found;
  if (!dialogWatch.path.empty() && isFolderDialog(dialog) && !selectFolder(dialog, dialogWatch.path)) return;
  KillTimer(nullptr, dialogWatch.timer);
  dialogWatch.timer = 0;
  if (DialogSeen* seen = dialogWatch.seen) {
    seen->seen = true;
    seen->folder = isFolderDialog(dialog);
    seen->title = windowText(dialog);
    EnumChildWindows(dialog, collectStatics, reinterpret_cast<LPARAM>(&seen->texts));
    constexpr int kFileTypeCombo = 0x470;  // cmb1
    HWND types = GetDlgItem(dialog, kFileTypeCombo);
    const LRESULT count = types ? SendMessageA(types, CB_GETCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
      char text[256] = {};
      if (SendMessageA(types, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text)) {
        SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      }
      seen->fileTypes.push_back(text);
    }
  }
  if (dialogWatch.path.empty()) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (!isFolderDialog(dialog)) {
    constexpr int kFileNameCombo = 0x47C;  // cmb13
    constexpr int kFileNameEdit = 0x480;   // edt1, older dialogs
    if (GetDlgItem(dialog, kFileNameCombo)) {
      SetDlgItemTextA(dialog, kFileNameCombo, dialogWatch.path.c_str());
    } else {
      SetDlgItemTextA(dialog, kFileNameEdit, dialogWatch.path.c_str());
    }
  }
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace

std::size_t runFormSteps(const std::vector<FormStep>& steps) {
  run.steps = &steps;
  run.next = 0;
  SetTimer(nullptr, 0, 1, stepTick);
  settingsCommand();
  const std::size_t ran = run.next;
  run.steps = nullptr;
  return ran;
}

std::int32_t runFormModal(const std::vector<FormStep>& steps, std::size_t* ran) {
  run.steps = &steps;
  run.next = 0;
  SetTimer(nullptr, 0, 1, stepTick);
  const std::int32_t code = runModalWindow(app.mainWindow, "Set");
  *ran = run.next;
  run.steps = nullptr;
  return code;
}

HWND formControl(int id) { return GetDlgItem(app.formWindow, id); }

bool clickButton(HWND button) {
  if (!button || !IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
  SendMessageA(button, BM_CLICK, 0, 0);
  return true;
}

void pressArrow(int upDownId, bool up) {
  HWND upDown = formControl(upDownId);
  const RECT client = clientRect(upDown);
  const int x = client.right / 2;
  const int y = up ? client.bottom / 4 : client.bottom * 3 / 4;
  SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(upDown, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void chooseComboItem(int comboId, int index) {
  HWND combo = formControl(comboId);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void answerMessageBox(const std::string& caption, int button, MessageBoxSeen* seen) {
  disarmMessageBoxes();
  boxWatch.caption = caption;
  boxWatch.button = button;
  boxWatch.seen = seen;
  if (seen) *seen = MessageBoxSeen{};
  boxWatch.timer = SetTimer(nullptr, 0, 10, boxTick);
}

void disarmMessageBoxes() {
  if (boxWatch.timer) KillTimer(nullptr, boxWatch.timer);
  boxWatch = BoxWatch{};
}

void answerFileDialog(HWND owner, const std::string& path, DialogSeen* seen) {
  if (dialogWatch.timer) KillTimer(nullptr, dialogWatch.timer);
  dialogWatch = DialogWatch{};
  dialogWatch.owner = owner;
  dialogWatch.path = path;
  dialogWatch.seen = seen;
  if (seen) *seen = DialogSeen{};
  dialogWatch.timer = SetTimer(nullptr, 0, 20, dialogTick);
}

std::vector<std::uint32_t> clipboardBitmap(HWND owner, int* width, int* height) {
  *width = 0;
  *height = 0;
  std::vector<std::uint32_t> pixels;
  if (!OpenClipboard(owner)) return pixels;
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info{};
  if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
    *width = info.bmWidth;
    *height = info.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight), 0);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFFu;
  }
  CloseClipboard();
  return pixels;
}

bool runningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace rovenza::test
