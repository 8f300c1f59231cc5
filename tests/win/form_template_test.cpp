// "原稿をコピー": the blank template picture on the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "state/win32/AppState.h"
#include "support/FormHarness.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::FormStep;
using test::formControl;
using test::pressArrow;
using test::runFormSteps;

class TemplatePicture : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }
  test::ProgramSession session;
};

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<int> blackRows;  // rows that are black from end to end
  bool onlyWhiteElsewhere = true;
};

Canvas readCanvas() {
  Canvas canvas;
  const std::vector<std::uint32_t> pixels = test::clipboardBitmap(app.formWindow, &canvas.width, &canvas.height);
  for (int y = 0; y < canvas.height; ++y) {
    const std::uint32_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(canvas.width);
    bool black = true;
    bool white = true;
    for (int x = 0; x < canvas.width; ++x) {
      black = black && row[x] == kBlack;
      white = white && row[x] == kWhite;
    }
    if (black) {
      canvas.blackRows.push_back(y);
    } else if (!white) {
      canvas.onlyWhiteElsewhere = false;
    }
  }
  return canvas;
}

// One frame of the given size: all white, no line.
void expectOneBlankFrame(const Canvas& canvas, int width, int height) {
  EXPECT_EQ(width, canvas.width);
  EXPECT_EQ(height, canvas.height);
  EXPECT_TRUE(canvas.blackRows.empty());
  EXPECT_TRUE(canvas.onlyWhiteElsewhere);
}

void pressTimes(int upDown, bool up, int times) {
  for (int i = 0; i < times; ++i) pressArrow(upDown, up);
}

void sizeSign(int sign, int width, int height) {
  clipOf(sign).setWidth(width);
  clipOf(sign).setHeight(height);
}

TEST_F(TemplatePicture, ThreeFramesOf120x40GiveLinesAtTheTopOfEachFrame) {
  sizeSign(0, 120, 40);
  Canvas canvas;
  const std::vector<FormStep> steps = {[&] {
    pressTimes(1079, true, 2);
    ASSERT_EQ(3, app.templateFrames[0]);
    EXPECT_TRUE(test::clickButton(formControl(1014)));
    canvas = readCanvas();
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_EQ(120, canvas.width);
  EXPECT_EQ(120, canvas.height);
  EXPECT_EQ((std::vector<int>{0, 40, 80}), canvas.blackRows);
  EXPECT_TRUE(canvas.onlyWhiteElsewhere);
}

TEST_F(TemplatePicture, OneFrameHasNoLine) {
  sizeSign(1, 120, 40);
  Canvas canvas;
  const std::vector<FormStep> steps = {[&] {
    EXPECT_TRUE(test::clickButton(formControl(1015)));
    canvas = readCanvas();
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  expectOneBlankFrame(canvas, 120, 40);
}

TEST_F(TemplatePicture, AnLedSignGetsOneFrameWhateverItsCountShows) {
  sizeSign(1, 120, 40);
  app.layout.signs[1].kind = 1;
  Canvas canvas;
  const std::vector<FormStep> steps = {[&] {
    pressTimes(1082, true, 4);
    ASSERT_EQ(5, app.templateFrames[1]);
    EXPECT_TRUE(test::clickButton(formControl(1015)));
    canvas = readCanvas();
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  expectOneBlankFrame(canvas, 120, 40);
}

TEST_F(TemplatePicture, TheKindComesFromTheLayoutNotFromTheBox) {
  sizeSign(0, 60, 20);
  app.layout.signs[0].kind = 1;
  Canvas canvas;
  const std::vector<FormStep> steps = {[&] {
    pressTimes(1079, true, 3);
    // The box shows LED風; the stored kind becomes roll film behind its back.
    app.layout.signs[0].kind = 0;
    EXPECT_TRUE(test::clickButton(formControl(1014)));
    canvas = readCanvas();
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_EQ(60, canvas.width);
  EXPECT_EQ(80, canvas.height);
  EXPECT_EQ((std::vector<int>{0, 20, 40, 60}), canvas.blackRows);
}

TEST_F(TemplatePicture, EveryOpeningCopiesTheCountItsFieldShows) {
  sizeSign(0, 60, 20);
  Canvas first;
  Canvas second;
  const std::vector<FormStep> opening = {[&] {
    pressTimes(1079, true, 3);
    EXPECT_TRUE(test::clickButton(formControl(1014)));
    first = readCanvas();
  }};
  EXPECT_EQ(1u, runFormSteps(opening));
  EXPECT_EQ(4, app.templateFrames[0]);
  const std::vector<FormStep> reopening = {[&] {
    EXPECT_EQ("1", test::windowText(formControl(1078)));
    EXPECT_EQ(1, app.templateFrames[0]);
    EXPECT_TRUE(test::clickButton(formControl(1014)));
    second = readCanvas();
  }};
  EXPECT_EQ(1u, runFormSteps(reopening));
  EXPECT_EQ(80, first.height);
  EXPECT_EQ(20, second.height);
  EXPECT_TRUE(second.blackRows.empty());
}

TEST_F(TemplatePicture, TwoPressesLeaveTheSecondPicture) {
  sizeSign(0, 120, 40);
  Canvas canvas;
  HBITMAP first = nullptr;
  HBITMAP second = nullptr;
  const std::vector<FormStep> steps = {[&] {
    pressTimes(1079, true, 2);
    EXPECT_TRUE(test::clickButton(formControl(1014)));
    first = app.form.templateBitmap;
    pressTimes(1079, false, 2);
    ASSERT_EQ(1, app.templateFrames[0]);
    EXPECT_TRUE(test::clickButton(formControl(1014)));
    second = app.form.templateBitmap;
    canvas = readCanvas();
    ASSERT_TRUE(OpenClipboard(app.formWindow));
    EXPECT_EQ(second, GetClipboardData(CF_BITMAP));
    CloseClipboard();
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_NE(nullptr, first);
  EXPECT_NE(first, second);
  EXPECT_EQ(120, canvas.width);
  EXPECT_EQ(40, canvas.height);
  EXPECT_TRUE(canvas.blackRows.empty());
}

TEST_F(TemplatePicture, ASignWithNoHeightCopiesNoRowsAndEnds) {
  sizeSign(0, 120, 1);
  Canvas before;
  Canvas after;
  bool bitmapOnClipboard = true;
  const std::vector<FormStep> steps = {[&] {
    // A picture from before, that must not be taken for this one.
    EXPECT_TRUE(test::clickButton(formControl(1015)));
    before = readCanvas();
    pressArrow(1060, false);
    ASSERT_EQ(0, app.clips[0].height());
    pressArrow(1079, true);
    ASSERT_EQ(2, app.templateFrames[0]);
    EXPECT_TRUE(test::clickButton(formControl(1014)));
    after = readCanvas();
    bitmapOnClipboard = IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_GT(before.height, 0);
  EXPECT_EQ(0, after.height);
  EXPECT_FALSE(bitmapOnClipboard);
  EXPECT_EQ(nullptr, app.form.templateBitmap);
}

TEST_F(TemplatePicture, NoFramesCopyNoRows) {
  sizeSign(1, 120, 40);
  Canvas after;
  const std::vector<FormStep> steps = {[&] {
    pressArrow(1082, false);
    ASSERT_EQ(0, app.templateFrames[1]);
    EXPECT_TRUE(test::clickButton(formControl(1015)));
    after = readCanvas();
  }};
  EXPECT_EQ(1u, runFormSteps(steps));
  EXPECT_EQ(0, after.height);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

}  // namespace
}  // namespace rovenza
