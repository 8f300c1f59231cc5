#include "maker/win32/MakerPreviews.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/Number.h"
#include "maker/Strip.h"
#include "maker/win32/MakerControls.h"
#include "maker/win32/MakerWindow.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

using namespace maker_ids;

constexpr std::size_t kDrawnFramesKept = 32;  // more than the column shows at once
// Pixels of the frames kept at most (16 MB), and of one frame drawn for the
// previews: a larger frame is drawn smaller, as the previews show it smaller
// anyway, its letters in the same places (4 MB).
constexpr std::uint64_t kDrawnPixelsKept = 4u << 20;
constexpr std::uint64_t kPreviewFramePixels = 1u << 20;

FrameRenderer& renderer(const LetteringStyle& lettering) {
  MakerState& state = makerState();
  if (!state.renderer) state.renderer = std::make_unique<FrameRenderer>(lettering);
  return *state.renderer;
}

// Frame `frame` of the strip (0: the blank one) as the chosen output draws it.
Picture previewFrame(int frame, int width, int height) {
  MakerState& state = makerState();
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
  const bool led = makerChecked(kLedPreview);
  const SignDesign design = currentDesign(false);
  const std::string key = row.main + '\n' + row.sub + '\n' + colourText(row.text) + colourText(row.background) + ' ' +
                          formatNumber(width) + 'x' + formatNumber(height) + (led ? 'L' : 'F') +
                          formatNumber(static_cast<int>(design.ledColour)) + '/' + formatNumber(design.dotPitch);
  for (const DrawnFrame& drawn : state.drawn) {
    if (drawn.key == key) return drawn.picture;
  }
  FrameRenderer& lettering = renderer(design.lettering);
  DrawnFrame drawn{key, led ? lettering.ledFrame(row, width, height, design.ledColour, design.dotPitch)
                            : lettering.filmFrame(row, width, height)};
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

class TableFrames : public StripColumnSource {
 public:
  int frameCount() override { return static_cast<int>(makerState().rows.size()) + 1; }
  SIZE frameSize() override {
    const int width = makerNumber(kFrameWidth);
    const int height = makerNumber(kFrameHeight);
    return frameSizeUsable(width, height) ? SIZE{width, height} : SIZE{0, 0};
  }
  Picture frame(int frame) override {
    const SIZE size = frameSize();
    return previewFrame(frame, size.cx, size.cy);
  }
};

}  // namespace

bool frameSizeUsable(int width, int height) {
  return width >= 1 && width <= kMaxFrameSide && height >= 1 && height <= kMaxFrameSide;
}

StripColumnSource& tableFrames() {
  static TableFrames frames;
  return frames;
}

void refreshPreviews() {
  if (HWND preview = makerItem(kFramePreview)) InvalidateRect(preview, nullptr, FALSE);
  refreshStripColumn(makerItem(kStripColumn));
}

void letteringChanged() {
  MakerState& state = makerState();
  state.renderer.reset();
  state.drawn.clear();
  state.nextDrawn = 0;
  refreshPreviews();
}

void drawFramePreview(const DRAWITEMSTRUCT& draw) {
  FillRect(draw.hDC, &draw.rcItem, app.faceBrush.get() ? app.faceBrush.get() : GetSysColorBrush(COLOR_BTNFACE));
  const int width = makerNumber(kFrameWidth);
  const int height = makerNumber(kFrameHeight);
  const int selected = makerState().selected;
  if (!frameSizeUsable(width, height) || selected < 0) return;
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
  drawPicture(draw.hDC, previewFrame(selected + 1, width, height), dest);
}

}  // namespace rovenza
