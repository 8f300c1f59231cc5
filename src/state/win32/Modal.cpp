#include "state/win32/Modal.h"

namespace rovenza {

void endModalWindow(HWND window, std::int32_t code) {
  EnableWindow(GetWindow(window, GW_OWNER), TRUE);
  DestroyWindow(window);
  PostQuitMessage(code);
}

}  // namespace rovenza
