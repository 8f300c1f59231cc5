// An LED frame whose pictures the process cannot find room for is a bad
// file: the sign shows the empty sign, and the program goes on. The 32-bit
// program is made to run out of room by taking up every free stretch of its
// address space of 32 MiB or more; the 64-bit one cannot be, and skips.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../core/GifBytes.h"
#include "layout/Layout.h"
#include "panel/PanelIds.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/LedAnimation.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

constexpr SIZE_T kTaken = 32u << 20;

// Reserves every free stretch of address space of kTaken bytes while it
// lives: no allocation that large can succeed meanwhile.
class AddressSpaceTaken {
 public:
  AddressSpaceTaken() {
    while (void* block = VirtualAlloc(nullptr, kTaken, MEM_RESERVE, PAGE_NOACCESS)) blocks_.push_back(block);
  }
  ~AddressSpaceTaken() {
    for (void* block : blocks_) VirtualFree(block, 0, MEM_RELEASE);
  }
  AddressSpaceTaken(const AddressSpaceTaken&) = delete;
  AddressSpaceTaken& operator=(const AddressSpaceTaken&) = delete;

 private:
  std::vector<void*> blocks_;
};

// A GIF of two small pictures on a 4096 x 4096 screen: its canvas and the
// sign's picture take 64 MiB each.
std::vector<unsigned char> wideScreenGif() {
  test::GifPlan plan{4096, 4096, {0xFF0000, 0x00FF00}, 0, {}};
  plan.pictures = {test::filledPicture(0, 0, 16, 16, 0), test::filledPicture(0, 0, 16, 16, 1)};
  return test::writeGif(plan);
}

TEST(SignMemory, AFrameThatCannotBeHeldShowsTheEmptySignAndTheProgramGoesOn) {
  if (sizeof(void*) == 8) GTEST_SKIP() << "only the 32-bit program runs out of address space here";
  test::ProgramSession session;
  session.closeSplash();
  test::TempFolder folder;
  test::writeBmp(folder.file("00.bmp"), 30, 20, RGB(0, 0, 200));
  test::writeFile(folder.file("01.gif"), wideScreenGif());
  app.layout.signs[0].kind = static_cast<std::uint8_t>(SignKind::Led);
  app.layout.signs[0].picturePath = folder.path();
  const auto show = [](int frame) {
    test::setPanelText(kPanelGroups[0].numberDisplay, std::to_string(frame));
    rollSign(0);  // an LED sign shows the frame before it returns
  };
  {
    AddressSpaceTaken taken;
    show(1);
    EXPECT_EQ(nullptr, app.signStates[0].picture.get()) << "the empty sign";
    EXPECT_FALSE(isLedAnimationPlaying(0));
    show(0);
    EXPECT_EQ(30, test::signSize(0).cx) << "the next frame shows";
  }
  show(1);
  EXPECT_EQ(4096, test::signSize(0).cx) << "with room, the same file plays";
  EXPECT_TRUE(IsWindow(session.main()));
}

}  // namespace
}  // namespace rovenza
