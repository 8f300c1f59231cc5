// A board copied to another place: the layout file names pictures where
// they were on the machine that wrote it; each is found beside the layout
// file, shown, and held as the path Save As writes.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "../core/LayoutFileBytes.h"
#include "board/win32/LayoutFiles.h"
#include "sign_test_support.h"
#include "state/win32/AppState.h"
#include "support/Files.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::Qv4Sign;
using test::qv4File;

class BoardMoved : public ::testing::Test {
 protected:
  void SetUp() override {
    session.closeSplash();
    // The board as unpacked here: the layout file, a picture beside it, one
    // in a sub-folder and the LED frame folder.
    board = folder.file("board");
    CreateDirectoryA(board.c_str(), nullptr);
    CreateDirectoryA((board + "\\pics").c_str(), nullptr);
    CreateDirectoryA((board + "\\led").c_str(), nullptr);
    test::writeBmp(board + "\\strip.bmp", 40, 200, RGB(200, 0, 0));
    test::writeBmp(board + "\\pics\\back.bmp", 300, 200, RGB(0, 0, 200));
    test::writeBmp(board + "\\led\\00.bmp", 40, 20, RGB(0, 200, 0));
  }

  // A layout file in the board folder naming its pictures under `root`.
  std::string writeLayout(const std::string& root) {
    const std::string path = board + "\\board.qv4";
    EXPECT_TRUE(test::writeWholeFile(
        path, qv4File(root + "\\pics\\back.bmp", 400, 380, Qv4Sign{0, 30, 40, 40, 50, 10, 20, 0, root + "\\strip.bmp"},
                      Qv4Sign{1, 200, 60, 40, 20, 30, 40, 0, root + "\\led"})
                  .bytes));
    return path;
  }

  test::ProgramSession session;
  test::TempFolder folder;
  std::string board;
};

TEST_F(BoardMoved, EveryPictureIsFoundBesideTheLayoutFile) {
  readLayoutFile(writeLayout("C:\\Users\\someone\\Desktop\\board"));

  EXPECT_EQ(board + "\\pics\\back.bmp", app.layout.backgroundPicture);
  EXPECT_EQ(board + "\\strip.bmp", app.layout.signs[0].picturePath);
  EXPECT_EQ(board + "\\led", app.layout.signs[1].picturePath);
  EXPECT_NE(nullptr, app.backgroundBitmap.get());
  EXPECT_NE(nullptr, app.signStates[0].picture.get());
  EXPECT_TRUE(test::pumpUntil([] { return app.signStates[1].picture.get() != nullptr; }));
}

TEST_F(BoardMoved, APathThatExistsIsKeptEvenWithACopyBesideTheLayoutFile) {
  test::TempFolder other;
  CreateDirectoryA((other.path() + "\\pics").c_str(), nullptr);
  CreateDirectoryA((other.path() + "\\led").c_str(), nullptr);
  test::writeBmp(other.file("strip.bmp"), 40, 200, RGB(1, 2, 3));
  test::writeBmp(other.file("pics\\back.bmp"), 30, 20, RGB(1, 2, 3));
  readLayoutFile(writeLayout(other.path()));

  EXPECT_EQ(other.file("pics\\back.bmp"), app.layout.backgroundPicture);
  EXPECT_EQ(other.file("strip.bmp"), app.layout.signs[0].picturePath);
  EXPECT_EQ(other.file("led"), app.layout.signs[1].picturePath);
}

TEST_F(BoardMoved, APictureFoundNowhereKeepsItsPathAndLeavesTheSignEmpty) {
  DeleteFileA((board + "\\strip.bmp").c_str());
  readLayoutFile(writeLayout("C:\\gone"));

  EXPECT_EQ("C:\\gone\\strip.bmp", app.layout.signs[0].picturePath);
  EXPECT_EQ(nullptr, app.signStates[0].picture.get());
  EXPECT_EQ(board + "\\pics\\back.bmp", app.layout.backgroundPicture);
}

TEST_F(BoardMoved, SaveAsWritesThePathsFound) {
  readLayoutFile(writeLayout("C:\\elsewhere\\board"));
  const std::string saved = folder.file("saved.qv4");
  writeLayoutFile(saved);
  app.layout.signs[0].picturePath.clear();
  readLayoutFile(saved);
  EXPECT_EQ(board + "\\strip.bmp", app.layout.signs[0].picturePath);
}

}  // namespace
}  // namespace rovenza
