// The owners of GDI objects and icons.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "common/win32/Scoped.h"
#include "resources/resource.h"

namespace rovenza {
namespace {

HBRUSH newBrush() { return CreateSolidBrush(RGB(1, 2, 3)); }
bool alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(ScopedOwner, ReleasesItsHandleWhenResetOrGoneAndKeepsWhatItHandsOver) {
  HBRUSH first = newBrush();
  HBRUSH second = newBrush();
  HBRUSH handedOver = newBrush();
  {
    ScopedBrush owner(first);
    owner.reset(first);  // the handle it holds stays
    EXPECT_TRUE(alive(first));
    owner.reset(second);
    EXPECT_FALSE(alive(first));
    ScopedBrush next(std::move(owner));
    EXPECT_EQ(nullptr, owner.get());
    EXPECT_EQ(second, next.get());
    ScopedBrush given(handedOver);
    EXPECT_EQ(handedOver, given.release());
    EXPECT_TRUE(alive(second));
  }
  EXPECT_FALSE(alive(second));
  EXPECT_TRUE(alive(handedOver));
  DeleteObject(handedOver);
}

TEST(ScopedOwner, AnIconIsDestroyed) {
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  ASSERT_NE(nullptr, icon);
  ICONINFO info{};
  { ScopedIcon owner(icon); }
  EXPECT_FALSE(GetIconInfo(icon, &info));
}

}  // namespace
}  // namespace rovenza
