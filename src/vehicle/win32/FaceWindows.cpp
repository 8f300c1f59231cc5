#include "vehicle/win32/FaceWindows.h"

#include <cstdio>

#include "common/win32/Scoped.h"
#include "resources/resource.h"
#include "sign/win32/LedAnimation.h"
#include "sign/win32/LedPictureListener.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppMessages.h"
#include "state/win32/AppState.h"
#include "vehicle/FacePlaces.h"

namespace rovenza {

namespace {

const wchar_t kFaceClassName[] = L"RovenzaFace";
constexpr DWORD kFaceStyle = WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kFaceSize = 450;

// A face's sign windows are made as the main window's are.
constexpr DWORD kSignStyle = 0x5000000E;      // child, visible, bitmap
constexpr DWORD kFileListStyle = 0x40200003;  // child, vertical scroll bar, notify, sorted; never shown
constexpr int kClipTop = 26;
constexpr int kClipWidth = 123;
constexpr int kClipHeight = 57;

struct SignPieces {
  const char* clipClass;  // registered by the main window
  int signId;
  int listId;
  int left;
};
const SignPieces kPieces[kSignCount] = {
    {"MakBase1", kSignWindow1, kFileList1, 77},
    {"MakBase2", kSignWindow2, kFileList2, 231},
};

constexpr char kPlacesSection[] = "Faces";

std::string placesFile;

int faceOf(HWND window) {
  for (int face = 1; face < kMaxFaces; ++face) {
    if (window && app.faces[face].window == window) return face;
  }
  return 0;
}

void keyName(char (&name)[16], int face, const char* what) {
  std::snprintf(name, sizeof name, "Face%d%s", face + 1, what);
}

// The place kept for `face`; false when none is.
bool keptPlace(int face, POINT& place) {
  if (placesFile.empty()) return false;
  char left[16];
  char top[16];
  keyName(left, face, "Left");
  keyName(top, face, "Top");
  constexpr INT kNone = -32768;
  place.x = static_cast<int>(GetPrivateProfileIntA(kPlacesSection, left, kNone, placesFile.c_str()));
  place.y = static_cast<int>(GetPrivateProfileIntA(kPlacesSection, top, kNone, placesFile.c_str()));
  return place.x != kNone && place.y != kNone;
}

void keepPlace(int face) {
  HWND window = app.faces[face].window;
  RECT rect{};
  if (placesFile.empty() || !window || IsIconic(window) || !GetWindowRect(window, &rect)) return;
  char key[16];
  char value[16];
  keyName(key, face, "Left");
  std::snprintf(value, sizeof value, "%ld", static_cast<long>(rect.left));
  WritePrivateProfileStringA(kPlacesSection, key, value, placesFile.c_str());
  keyName(key, face, "Top");
  std::snprintf(value, sizeof value, "%ld", static_cast<long>(rect.top));
  WritePrivateProfileStringA(kPlacesSection, key, value, placesFile.c_str());
}

Rect rectOf(HWND window) {
  RECT r{};
  if (window) GetWindowRect(window, &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

LRESULT onPaint(HWND window) {
  paintBoardBackground(window, app.faces[faceOf(window)].background.get());
  return 0;
}

LRESULT CALLBACK faceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      if (faceOf(window)) return onPaint(window);
      break;
    case WM_CLOSE:
      // A face closes with its vehicle; its close box only hides it.
      ShowWindow(window, SW_HIDE);
      return 0;
    case WM_EXITSIZEMOVE:
      keepPlace(faceOf(window));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // The keyboard drives the panel from a face as from the main window.
      if (app.mainWindow && message == WM_KEYDOWN) return SendMessageA(app.mainWindow, message, wParam, lParam);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void registerFaceClass() {
  static bool registered = false;
  if (registered) return;
  HICON icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = faceWindowProc;
  wc.hInstance = app.instance;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = app.faceBrush.get();
  wc.lpszClassName = kFaceClassName;
  registered = RegisterClassExW(&wc) != 0;
}

void forgetSign(int sign) {
  // A panel fed from the sign goes dark with it.
  tellLedPicture(sign, nullptr);
  clipOf(sign).setHandle(nullptr);
  signWindowOf(sign).setHandle(nullptr);
  fileListOf(sign).setHandle(nullptr);
  app.clipRegions[sign].reset();
  SignState& state = app.signStates[sign];
  state.picture.reset();
  state.rollThread.reset();
  state.roll.reset();
  state.animation.reset();
  state = SignState();
}

}  // namespace

void setFacePlacesFile(const std::string& path) { placesFile = path; }

bool makeFaceWindow(int face, const std::wstring& title) {
  if (face <= 0 || face >= kMaxFaces || app.faces[face].window) return false;
  registerFaceClass();
  HWND window = CreateWindowExW(0, kFaceClassName, title.c_str(), kFaceStyle, CW_USEDEFAULT, CW_USEDEFAULT, kFaceSize,
                                kFaceSize, app.mainWindow, nullptr, app.instance, nullptr);
  if (!window) return false;
  FaceState& state = app.faces[face];
  state.window = window;
  state.ref.setHandle(window);
  state.title = title;
  for (int n = 0; n < kSignCount; ++n) {
    const SignPieces& pieces = kPieces[n];
    const int sign = signOfFace(face, n);
    HWND clip = CreateWindowExA(0, pieces.clipClass, "", WS_CHILD, pieces.left, kClipTop, kClipWidth, kClipHeight,
                                window, nullptr, app.instance, nullptr);
    HWND shown = clip ? CreateWindowExA(0, "STATIC", "", kSignStyle, 0, 0, kClipWidth + 1, kClipHeight, clip,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(pieces.signId)), app.instance,
                                        nullptr)
                      : nullptr;
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", kFileListStyle, 0, 0, 60, 50, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(pieces.listId)), app.instance, nullptr);
    if (!clip || !shown || !list) {
      closeFaceWindows();
      return false;
    }
    clipOf(sign).setHandle(clip);
    signWindowOf(sign).setHandle(shown);
    fileListOf(sign).setHandle(list);
    clipOf(sign).show(1);
  }
  return true;
}

void placeFaceWindows() {
  HMONITOR monitor = MonitorFromWindow(app.mainWindow, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(monitor, &info);
  const Rect work{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  std::vector<int> unplaced;
  std::vector<Size> sizes;
  for (int face = 1; face < kMaxFaces; ++face) {
    const FaceState& state = app.faces[face];
    if (!state.window) continue;
    POINT place{};
    if (keptPlace(face, place)) {
      SetWindowPos(state.window, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      state.ref.keepWithinReach();
    } else {
      unplaced.push_back(face);
      sizes.push_back(Size{state.ref.width(), state.ref.height()});
    }
  }
  const std::vector<Rect> places = placeFaces(work, rectOf(app.mainWindow), rectOf(app.panelWindow), sizes);
  for (std::size_t k = 0; k < unplaced.size() && k < places.size(); ++k) {
    SetWindowPos(app.faces[unplaced[k]].window, nullptr, places[k].left, places[k].top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  showFaceWindows();
}

void showFaceWindows() {
  for (int face = 1; face < kMaxFaces; ++face) {
    if (HWND window = app.faces[face].window) ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNOACTIVATE);
  }
}

void closeFaceWindows() {
  for (int face = 1; face < kMaxFaces; ++face) {
    FaceState& state = app.faces[face];
    for (int n = 0; n < kSignCount; ++n) {
      const int sign = signOfFace(face, n);
      stopRoll(sign);
      stopLedAnimation(sign);
    }
    // The sign windows stop their rolls and let go of their pictures as they go.
    if (state.window) DestroyWindow(state.window);
    for (int n = 0; n < kSignCount; ++n) forgetSign(signOfFace(face, n));
    state.window = nullptr;
    state.ref.setHandle(nullptr);
    state.layout = Layout();
    state.background.reset();
    state.backgroundRefused = false;
    state.title.clear();
  }
}

bool anyFaceOpen() {
  for (int face = 1; face < kMaxFaces; ++face) {
    if (app.faces[face].window) return true;
  }
  return false;
}

}  // namespace rovenza
