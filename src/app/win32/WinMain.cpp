#include <windows.h>

#include "app/win32/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  rovenza::startUp(instance);
  rovenza::runMessageLoop();
  return 0;
}
