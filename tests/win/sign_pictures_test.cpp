// Picture files into bitmaps, the sorted frame folder listing, and what the
// sign windows show for roll-film strips and LED frames.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "layout/Layout.h"
#include "panel/win32/PanelCommands.h"
#include "sign/win32/Pictures.h"
#include "sign/win32/Roll.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::ProgramSession;
using test::TempFolder;

// ---- loadPicture ----

struct PictureCase {
  const char* file;
  int width;  // 0: no picture
  int height;
};

class LoadPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(LoadPictureTest, GivesABitmapOfThePicturesPixelSizeOrNull) {
  const PictureCase& c = GetParam();
  HBITMAP bitmap = loadPicture(test::sourcePath(c.file));
  if (c.width == 0) {
    EXPECT_EQ(nullptr, bitmap) << c.file;
    return;
  }
  ASSERT_NE(nullptr, bitmap) << c.file;
  EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(bitmap)));
  const SIZE size = test::bitmapSize(bitmap);
  EXPECT_EQ(c.width, size.cx) << c.file;
  EXPECT_EQ(c.height, size.cy) << c.file;
  DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadPictureTest,
    ::testing::Values(PictureCase{"demo/test/jpeg120x570.jpg", 120, 570}, PictureCase{"demo/test/gif16.gif", 16, 16},
                      PictureCase{"demo/strip.bmp", 124, 684}, PictureCase{"demo/strip.jpg", 124, 684},
                      PictureCase{"demo/background.jpg", 450, 400}, PictureCase{"demo/led/03.bmp", 120, 40},
                      PictureCase{"demo/test/notapicture.bmp", 0, 0}, PictureCase{"demo/test/empty.bmp", 0, 0},
                      PictureCase{"demo/test/truncated.bmp", 0, 0}, PictureCase{"demo/test/missing.bmp", 0, 0},
                      PictureCase{"demo/led", 0, 0}));

TEST(LoadPicture, KeepsThePixelsOfThePicture) {
  TempFolder folder;
  test::writeBmp(folder.file("red.bmp"), 7, 5, RGB(255, 0, 0));
  HBITMAP bitmap = loadPicture(folder.file("red.bmp"));
  ASSERT_NE(nullptr, bitmap);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(memory, 0, 0));
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(memory, 6, 4));
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
}

struct PlainBmpCase {
  const char* name;
  WORD bits;
  DWORD compression;
  int height;           // negative: rows from the top
  int tableEntries;     // colour table entries, or the three masks
};

// An uncompressed BMP goes from the file into the bitmap without the picture
// object: every depth and row order gives the picture object's pixels.
TEST(LoadPicture, PlainBitmapsGiveThePictureObjectsPixels) {
  TempFolder folder;
  const PlainBmpCase cases[] = {
      {"1 bit", 1, BI_RGB, 13, 2},           {"4 bits", 4, BI_RGB, 13, 16},
      {"8 bits", 8, BI_RGB, 13, 256},        {"16 bits 555", 16, BI_RGB, 13, 0},
      {"16 bits 565", 16, BI_BITFIELDS, 13, 3}, {"24 bits", 24, BI_RGB, 13, 0},
      {"24 bits top down", 24, BI_RGB, -13, 0}, {"32 bits", 32, BI_RGB, 13, 0},
      {"32 bits masks", 32, BI_BITFIELDS, 13, 3}, {"24 bits naming 256 colours", 24, BI_RGB, 13, 256},
  };
  const int width = 11;
  for (const PlainBmpCase& c : cases) {
    std::vector<RGBQUAD> table(static_cast<std::size_t>(c.tableEntries));
    for (int i = 0; i < c.tableEntries; ++i) {
      table[i] = RGBQUAD{static_cast<BYTE>(i * 7), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0};
    }
    if (c.compression == BI_BITFIELDS) {
      const DWORD masks16[] = {0xF800, 0x07E0, 0x001F};
      const DWORD masks32[] = {0xFF0000, 0x00FF00, 0x0000FF};
      std::memcpy(table.data(), c.bits == 16 ? masks16 : masks32, 12);
    }
    const int rows = c.height < 0 ? -c.height : c.height;
    const int stride = (width * c.bits + 31) / 32 * 4;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(stride) * rows);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 37 + i / 5);
    const std::string path = folder.file("plain.bmp");
    test::writeBmpFile(path, width, c.height, c.bits, table, bytes, c.compression);
    HBITMAP plain = loadPicture(path);
    HBITMAP decoded = loadWithPictureObject(path);
    ASSERT_NE(nullptr, plain) << c.name;
    ASSERT_NE(nullptr, decoded) << c.name;
    EXPECT_EQ(width, test::bitmapSize(plain).cx) << c.name;
    EXPECT_EQ(rows, test::bitmapSize(plain).cy) << c.name;
    EXPECT_TRUE(test::pixelsOf(plain) == test::pixelsOf(decoded)) << c.name;
    DeleteObject(plain);
    DeleteObject(decoded);
  }
}

// The GDI objects this process holds. Wine does not count them for
// GetGuiResources; there every slot of its handle table is asked for its
// object's type (a handle value without its uniqueness bits names the slot).
int gdiObjectCount() {
  if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(counted);
  int count = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
  }
  return count;
}

// Whichever of the decoder and us owns the picture object's bitmap, it is
// deleted exactly once: a thousand loads leave no GDI object behind.
TEST(LoadPicture, ThePictureObjectLeavesNoGdiObjectBehind) {
  TempFolder folder;
  const std::string path = folder.file("picture.bmp");
  test::writeBmp(path, 24, 16, RGB(10, 200, 30));
  DeleteObject(loadWithPictureObject(path));  // what the decoder makes once and keeps
  const int before = gdiObjectCount();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 1000; ++i) {
    HBITMAP picture = loadWithPictureObject(path);
    ASSERT_NE(nullptr, picture) << i;
    DeleteObject(picture);
  }
  EXPECT_EQ(before, gdiObjectCount());
}

TEST(LoadPicture, AFileAnotherProgramHasOpenGivesNull) {
  TempFolder folder;
  const std::string path = folder.file("busy.bmp");
  test::writeBmp(path, 8, 8, RGB(0, 0, 255));
  HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, other);
  EXPECT_EQ(nullptr, loadPicture(path));
  CloseHandle(other);
  HBITMAP bitmap = loadPicture(path);
  EXPECT_NE(nullptr, bitmap) << "readable again once the other program lets go";
  DeleteObject(bitmap);
}

TEST(LoadPicture, ABitmapCutAnywhereNeverCrashesAndCutHeadersGiveNull) {
  // A whole BMP cut at every length of its headers and at a few lengths of
  // its pixels: headers cut short are no picture; cut pixels are the
  // decoder's to judge.
  TempFolder folder;
  const std::string whole = folder.file("whole.bmp");
  test::writeBmp(whole, 9, 6, RGB(0, 128, 0));
  HANDLE in = CreateFileA(whole.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  std::vector<char> bytes(GetFileSize(in, nullptr));
  DWORD read = 0;
  ReadFile(in, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(in);
  for (std::size_t length = 1; length < bytes.size(); length += length < 60 ? 1 : 37) {
    const std::string cut = folder.file("cut.bmp");
    test::writeText(cut, std::string(bytes.data(), length));
    HBITMAP bitmap = loadPicture(cut);
    if (length < 54) {
      EXPECT_EQ(nullptr, bitmap) << length << " bytes";
    }
    if (bitmap) DeleteObject(bitmap);
  }
}

// ---- frame folder listing ----

class FrameFolder : public ::testing::Test {
 protected:
  ProgramSession session;

  std::vector<std::string> listed(int sign, const std::string& folder) {
    listFrameFolder(sign, folder + "\\*.*");
    std::vector<std::string> names;
    for (int i = 0; i < frameCount(sign); ++i) names.push_back(frameName(sign, i));
    return names;
  }
};

struct OrderCase {
  std::vector<std::string> created;
  std::vector<std::string> frames;
};

class FolderOrderTest : public FrameFolder, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(FolderOrderTest, NamesSortAsTextWithoutRegardToCase) {
  TempFolder folder;
  for (const std::string& name : GetParam().created) test::writeText(folder.file(name), "x");
  for (int sign = 0; sign < 2; ++sign) {
    EXPECT_EQ(GetParam().frames, listed(sign, folder.path())) << "sign " << sign;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderOrderTest,
    ::testing::Values(OrderCase{{"1.bmp", "2.bmp", "10.bmp"}, {"1.bmp", "10.bmp", "2.bmp"}},
                      OrderCase{{"010.bmp", "002.bmp", "001.bmp"}, {"001.bmp", "002.bmp", "010.bmp"}},
                      OrderCase{{"B.gif", "a.jpg"}, {"a.jpg", "B.gif"}},
                      OrderCase{{"b.bmp", "A.bmp", "c.txt", "B1.bmp"}, {"A.bmp", "b.bmp", "B1.bmp", "c.txt"}},
                      // The dot before digits, digits before letters.
                      OrderCase{{"ab.bmp", "a1.bmp", "a.bmp"}, {"a.bmp", "a1.bmp", "ab.bmp"}},
                      OrderCase{{"Z9.gif", "z10.gif", "Z1.gif"}, {"Z1.gif", "z10.gif", "Z9.gif"}}));

TEST_F(FrameFolder, ListsFilesOnlyIntoTheSignsOwnList) {
  TempFolder folder;
  test::writeText(folder.file("b.bmp"), "x");
  test::writeText(folder.file("a.bmp"), "x");
  CreateDirectoryA(folder.file("sub").c_str(), nullptr);
  listFrameFolder(1, folder.path() + "\\*.*");
  EXPECT_EQ(2, frameCount(1));
  EXPECT_EQ(2, static_cast<int>(SendMessageA(GetDlgItem(session.main(), 1005), LB_GETCOUNT, 0, 0)));
  EXPECT_EQ(0, frameCount(0)) << "the 1st sign's list is untouched";
  EXPECT_EQ("a.bmp", frameName(1, 0));
  EXPECT_EQ("", frameName(1, 2));
  EXPECT_EQ("", frameName(1, -1));
  RemoveDirectoryA(folder.file("sub").c_str());
}

TEST_F(FrameFolder, AMissingOrEmptyFolderGivesAnEmptyList) {
  TempFolder folder;
  test::writeText(folder.file("a.bmp"), "x");
  listFrameFolder(0, folder.path() + "\\*.*");
  ASSERT_EQ(1, frameCount(0));
  listFrameFolder(0, folder.path() + "\\nothing-here\\*.*");
  EXPECT_EQ(0, frameCount(0)) << "the last listing is emptied first";
  TempFolder empty;
  listFrameFolder(0, empty.path() + "\\*.*");
  EXPECT_EQ(0, frameCount(0));
  EXPECT_EQ("", frameName(0, 0));
}

TEST_F(FrameFolder, ListingKeepsTheCurrentFolder) {
  TempFolder folder;
  test::writeText(folder.file("a.bmp"), "x");
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof before, before);
  listFrameFolder(0, folder.path() + "\\*.*");
  char after[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof after, after);
  EXPECT_STREQ(before, after);
}

TEST_F(FrameFolder, ThousandFilesAreAllListedInOrder) {
  TempFolder folder;
  for (int i = 999; i >= 0; --i) {
    char name[16];
    wsprintfA(name, "%04d.bmp", i);
    test::writeText(folder.file(name), "x");
  }
  const std::vector<std::string> names = listed(0, folder.path());
  ASSERT_EQ(1000u, names.size());
  EXPECT_EQ("0000.bmp", names.front());
  EXPECT_EQ("0500.bmp", names[500]);
  EXPECT_EQ("0999.bmp", names.back());
  for (const std::string& name : names) DeleteFileA(folder.file(name).c_str());
}

// ---- what the sign windows show ----

class SignPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
  }

  // An LED folder whose file n is a bitmap 20 + n pixels wide, 30 high.
  void makeLedFolder(const TempFolder& folder, int files) {
    for (int n = 0; n < files; ++n) {
      char name[16];
      wsprintfA(name, "f%02d.bmp", n);
      test::writeBmp(folder.file(name), 20 + n, 30, RGB(0, 0, 40 * n % 256));
    }
  }

  void useLedFolder(int sign, const TempFolder& folder) {
    app.layout.signs[sign].kind = static_cast<std::uint8_t>(SignKind::Led);
    app.layout.signs[sign].picturePath = folder.path();
  }

  void showFrame(int sign, const std::string& number) {
    test::setPanelText(kPanelGroups[sign].numberDisplay, number);
    rollSign(sign);
  }

  ProgramSession session;
};

TEST_F(SignPictures, AStripJpegBecomesASignOfItsSize) {
  app.layout.signs[0].picturePath = test::sourcePath("demo/test/jpeg120x570.jpg");
  app.signStates[0].stripOffset = -57;
  app.signStates[0].currentFrame = 1;
  SetWindowPos(app.signWindows[0].handle(), nullptr, 0, -57, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  showStripPicture(0);
  HBITMAP picture = app.signStates[0].picture.get();
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(120, test::bitmapSize(picture).cx);
  EXPECT_EQ(570, test::bitmapSize(picture).cy);
  EXPECT_EQ(reinterpret_cast<LRESULT>(picture), SendMessageA(app.signWindows[0].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
  EXPECT_EQ(120, test::signSize(0).cx);
  EXPECT_EQ(570, test::signSize(0).cy);
  EXPECT_EQ(0, test::signTop(0));
  // Offsets and frames are the caller's to reset.
  EXPECT_EQ(-57, app.signStates[0].stripOffset);
  EXPECT_EQ(1, app.signStates[0].currentFrame);
}

TEST_F(SignPictures, ANewPictureDeletesTheOldOne) {
  app.layout.signs[1].picturePath = test::sourcePath("demo/strip.bmp");
  showStripPicture(1);
  HBITMAP first = app.signStates[1].picture.get();
  ASSERT_NE(nullptr, first);
  app.layout.signs[1].picturePath = test::sourcePath("demo/strip.jpg");
  showStripPicture(1);
  HBITMAP second = app.signStates[1].picture.get();
  ASSERT_NE(nullptr, second);
  EXPECT_NE(first, second);
  EXPECT_EQ(0u, GetObjectType(first)) << "the replaced bitmap is deleted";
  app.layout.signs[1].picturePath = test::sourcePath("demo/test/missing.bmp");
  showStripPicture(1);
  EXPECT_EQ(nullptr, app.signStates[1].picture.get());
  EXPECT_EQ(0u, GetObjectType(second));
  EXPECT_EQ(0, SendMessageA(app.signWindows[1].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

TEST_F(SignPictures, AnLedSignShowsTheFileAtTheDisplayedPosition) {
  TempFolder folder;
  makeLedFolder(folder, 6);
  for (int sign = 0; sign < 2; ++sign) {
    useLedFolder(sign, folder);
    for (int n : {0, 3, 5, 1}) {
      showFrame(sign, std::to_string(n));
      EXPECT_EQ(20 + n, test::bitmapSize(app.signStates[sign].picture.get()).cx) << "sign " << sign << " frame " << n;
      EXPECT_EQ(20 + n, test::signSize(sign).cx);
      EXPECT_EQ(n, app.signStates[sign].targetFrame);
    }
    EXPECT_EQ(0, app.signStates[sign].currentFrame);
    EXPECT_EQ(0, app.signStates[sign].stripOffset);
    EXPECT_FALSE(isRollRunning(sign));
    for (int id : test::panelGroup(sign)) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(app.panelWindow, id))) << id;
  }
}

struct LedChoiceCase {
  const char* display;
  int shownWidth;  // 0: the sign keeps the picture it had
};

class LedChoiceTest : public SignPictures, public ::testing::WithParamInterface<LedChoiceCase> {};

TEST_P(LedChoiceTest, FiveFilesInTheFolder) {
  TempFolder folder;
  makeLedFolder(folder, 5);
  useLedFolder(0, folder);
  showFrame(0, "2");
  HBITMAP before = app.signStates[0].picture.get();
  ASSERT_EQ(22, test::bitmapSize(before).cx);
  showFrame(0, GetParam().display);
  if (GetParam().shownWidth == 0) {
    EXPECT_EQ(before, app.signStates[0].picture.get());
    EXPECT_EQ(22, test::signSize(0).cx);
  } else {
    EXPECT_EQ(GetParam().shownWidth, test::bitmapSize(app.signStates[0].picture.get()).cx);
  }
}

INSTANTIATE_TEST_SUITE_P(Displays, LedChoiceTest,
                         ::testing::Values(LedChoiceCase{"5", 0}, LedChoiceCase{"4", 24}, LedChoiceCase{"004", 24},
                                           LedChoiceCase{"", 20}, LedChoiceCase{"999", 0}, LedChoiceCase{"-1", 0},
                                           LedChoiceCase{"3.9", 23}));

TEST_F(SignPictures, ANonPictureFileInTheFolderShowsAnEmptySign) {
  TempFolder folder;
  test::writeBmp(folder.file("a.bmp"), 60, 40, RGB(255, 0, 0));
  test::writeText(folder.file("b.txt"), "not a picture");
  useLedFolder(0, folder);
  showFrame(0, "0");
  ASSERT_NE(nullptr, app.signStates[0].picture.get());
  EXPECT_EQ(RGB(255, 0, 0), test::clipPixel(0, 5, 5));
  showFrame(0, "1");
  EXPECT_EQ(nullptr, app.signStates[0].picture.get());
  EXPECT_EQ(0, SendMessageA(app.signWindows[0].handle(), STM_GETIMAGE, IMAGE_BITMAP, 0));
  EXPECT_EQ(RGB(255, 255, 255), test::clipPixel(0, 5, 5)) << "the old frame's pixels are gone";
}

TEST_F(SignPictures, AMissingOrEmptyFolderLeavesTheSignAsItIs) {
  TempFolder folder;
  makeLedFolder(folder, 3);
  useLedFolder(1, folder);
  showFrame(1, "2");
  HBITMAP shown = app.signStates[1].picture.get();
  ASSERT_NE(nullptr, shown);
  TempFolder empty;
  for (const std::string& path : {empty.path(), folder.path() + "\\missing", std::string()}) {
    app.layout.signs[1].picturePath = path;
    showFrame(1, "0");
    EXPECT_EQ(shown, app.signStates[1].picture.get()) << "[" << path << "]";
    EXPECT_EQ(22, test::signSize(1).cx);
  }
}

TEST_F(SignPictures, FilesAddedToTheFolderCountAtTheNextDisplay) {
  TempFolder folder;
  makeLedFolder(folder, 2);
  useLedFolder(0, folder);
  showFrame(0, "2");
  EXPECT_EQ(nullptr, app.signStates[0].picture.get());
  test::writeBmp(folder.file("f02.bmp"), 50, 30, RGB(1, 2, 3));
  showFrame(0, "2");
  EXPECT_EQ(50, test::bitmapSize(app.signStates[0].picture.get()).cx);
}

// Counts the directory listings that fill a sorted file list.
LRESULT CALLBACK countListings(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR counter) {
  if (message == LB_DIR) ++*reinterpret_cast<int*>(counter);
  return DefSubclassProc(window, message, wParam, lParam);
}

// Puts a folder's last-write time an hour back, as for a folder left alone.
void leaveFolderAlone(const std::string& folder) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE handle = CreateFileA(folder.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, handle);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time{};
  time.LowPart = now.dwLowDateTime;
  time.HighPart = now.dwHighDateTime;
  time.QuadPart -= 36000000000ull;
  const FILETIME hourAgo{time.LowPart, time.HighPart};
  EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &hourAgo));
  CloseHandle(handle);
}

TEST_F(SignPictures, TheFolderListingIsReusedUntilAFileIsAddedOrRemoved) {
  TempFolder folder;
  makeLedFolder(folder, 3);
  useLedFolder(0, folder);
  leaveFolderAlone(folder.path());
  int listings = 0;
  HWND list = GetDlgItem(session.main(), 1004);
  ASSERT_TRUE(SetWindowSubclass(list, countListings, 1, reinterpret_cast<DWORD_PTR>(&listings)));
  showFrame(0, "1");
  EXPECT_EQ(21, test::bitmapSize(app.signStates[0].picture.get()).cx);
  EXPECT_EQ(1, listings);
  showFrame(0, "2");
  EXPECT_EQ(22, test::bitmapSize(app.signStates[0].picture.get()).cx);
  showFrame(0, "3");
  EXPECT_EQ(22, test::bitmapSize(app.signStates[0].picture.get()).cx) << "no fourth file yet";
  EXPECT_EQ(1, listings) << "an unchanged folder is not listed again";

  test::writeBmp(folder.file("f03.bmp"), 50, 30, RGB(1, 2, 3));
  showFrame(0, "3");
  EXPECT_EQ(50, test::bitmapSize(app.signStates[0].picture.get()).cx) << "the added file is seen at once";
  EXPECT_EQ(2, listings);
  DeleteFileA(folder.file("f00.bmp").c_str());
  showFrame(0, "0");
  EXPECT_EQ(21, test::bitmapSize(app.signStates[0].picture.get()).cx) << "the removed file is gone at once";
  EXPECT_EQ(3, frameCount(0));
  RemoveWindowSubclass(list, countListings, 1);
}

TEST_F(SignPictures, ResettingAnLedSignShowsTheFirstFile) {
  TempFolder folder;
  makeLedFolder(folder, 4);
  useLedFolder(0, folder);
  showFrame(0, "3");
  ASSERT_EQ(23, test::bitmapSize(app.signStates[0].picture.get()).cx);
  resetSign(0);
  EXPECT_EQ(20, test::bitmapSize(app.signStates[0].picture.get()).cx);
  EXPECT_EQ("", test::panelText(kPanelGroups[0].numberDisplay));
  EXPECT_EQ(0, app.signStates[0].targetFrame);
}

TEST_F(SignPictures, AnLedFrameGoesToTheTopOfTheClipWindow) {
  TempFolder folder;
  makeLedFolder(folder, 2);
  useLedFolder(1, folder);
  app.signStates[1].stripOffset = -114;
  SetWindowPos(app.signWindows[1].handle(), nullptr, 0, -114, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  showFrame(1, "1");
  EXPECT_EQ(0, test::signTop(1));
  EXPECT_EQ(-114, app.signStates[1].stripOffset) << "an LED frame does not touch the strip offset";
}

}  // namespace
}  // namespace rovenza
