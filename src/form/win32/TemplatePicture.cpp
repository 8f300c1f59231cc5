#include "form/win32/TemplatePicture.h"

#include <windows.h>

#include "common/win32/Scoped.h"
#include "form/Template.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

// Draws the canvas into a new screen-compatible bitmap; null when there is
// nothing to draw or the bitmap cannot be made.
HBITMAP drawTemplate(const TemplateGeometry& geometry) {
  if (geometry.empty()) return nullptr;
  WindowDC screen(nullptr);
  MemoryDC memory(screen.get());
  if (!screen.get() || !memory.get()) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), geometry.width, geometry.height);
  if (!bitmap) return nullptr;
  {
    SelectGuard selectBitmap(memory.get(), bitmap);
    SelectGuard selectBrush(memory.get(), GetStockObject(WHITE_BRUSH));
    SelectGuard selectPen(memory.get(), GetStockObject(NULL_PEN));
    // With the null pen a rectangle covers its interior only, one pixel short
    // of its right and bottom edges: this fills exactly the bitmap.
    Rectangle(memory.get(), 0, 0, geometry.width + 1, geometry.height + 1);
    if (!geometry.lineRows.empty()) {
      SelectGuard selectLinePen(memory.get(), GetStockObject(BLACK_PEN));
      for (const std::int32_t row : geometry.lineRows) {
        MoveToEx(memory.get(), 0, row, nullptr);
        LineTo(memory.get(), geometry.width, row);
      }
    }
  }
  return bitmap;
}

// The window that owns the clipboard while the picture is put there: the
// form, or the main window when the form is gone.
HWND clipboardOwner() {
  if (app.formWindow && IsWindow(app.formWindow)) return app.formWindow;
  return app.mainWindow;
}

}  // namespace

void makeTemplate(std::int32_t width, std::int32_t frameHeight, std::int16_t frames) {
  const TemplateGeometry geometry = templateGeometry(width, frameHeight, frames);
  ScopedBitmap bitmap(drawTemplate(geometry));
  app.form.templateBitmap = nullptr;
  if (!OpenClipboard(clipboardOwner())) return;
  EmptyClipboard();
  // A canvas without pixels leaves the clipboard empty: an older picture
  // must not stay there to be taken for this one. Once set, the picture is
  // the clipboard's.
  if (bitmap && SetClipboardData(CF_BITMAP, bitmap.get())) app.form.templateBitmap = bitmap.release();
  CloseClipboard();
}

void copyTemplate(int sign) {
  sign = sign == 1 ? 1 : 0;
  const std::int16_t frames = templateFrameCount(app.layout.signs[sign].kind, app.templateFrames[sign]);
  const ChildWindow& clip = clipOf(sign);
  makeTemplate(clip.width(), clip.height(), frames);
}

}  // namespace rovenza
