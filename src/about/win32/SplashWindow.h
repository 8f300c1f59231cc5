#pragma once
// The start-up splash window ("Splash"): a borderless panel over the main
// window for five seconds, with the product, the user and the system.
#include <windows.h>

#include <string>
#include <vector>

#include "about/OsName.h"

namespace rovenza {

// Control ids of the splash.
enum SplashControl : int {
  kSplashCreditStrip = 1002,
  kSplashPlanningCredit = 1003,
  kSplashStudioCredit = 1032,
  kSplashNotice = 1035,
  kSplashFrame = 1006,
};

constexpr UINT_PTR kSplashTimerId = 200;
constexpr UINT kSplashMilliseconds = 5000;

LRESULT CALLBACK splashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One text painted on the splash, with the font it is drawn in.
struct SplashTextItem {
  int x;
  int y;
  const char* face;
  int height;
  int weight;
  bool italic;
  COLORREF colour;
  bool systemColour;  // true: the system window-text colour instead of `colour`
  std::string text;
};

// The texts painted at each WM_PAINT, in painting order, as they read now.
std::vector<SplashTextItem> splashTextItems();

// The logged-on user's name, as the system reports it.
std::string userName();

// The system's version record (major, minor, platform, service-pack text).
OsVersion systemVersion();

// The background: bitmap 102 in two light greys, its top 50 rows above the
// window's edge.
void drawSplashBackground(HDC dc);

// The raised inner edge around `client` and the texts of splashTextItems.
void paintSplashItems(HDC dc, const RECT& client);

}  // namespace rovenza
