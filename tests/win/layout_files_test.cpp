// Layout files on the real windows: a read places the main and clip
// windows, a cut file and a foreign file show their message boxes, and a
// save that fails keeps the file that was there.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../core/LayoutFileBytes.h"
#include "LayoutTestWindows.h"
#include "board/win32/LayoutFiles.h"
#include "board/win32/ProgramBoard.h"
#include "layout/LayoutMessages.h"
#include "layout/Qv4File.h"
#include "layout/win32/SystemFiles.h"
#include "state/win32/AppState.h"
#include "support/ModalDriver.h"
#include "support/WinTest.h"

namespace rovenza {
namespace {

using test::FileBytes;
using test::ModalDriver;
using test::Qv4Sign;
using test::qv4File;

// Position of a panel up-down and the text of its buddy edit.
struct PanelField {
  int position;
  std::string text;
};

PanelField panelField(int upDownId, int editId) {
  const LRESULT result = SendMessageA(GetDlgItem(app.panelWindow, upDownId), UDM_GETPOS, 0, 0);
  return {static_cast<short>(LOWORD(result)), test::windowText(GetDlgItem(app.panelWindow, editId))};
}

void expectPanelField(int upDownId, int editId, int value) {
  const PanelField field = panelField(upDownId, editId);
  EXPECT_EQ(value, field.position) << "up-down " << upDownId;
  EXPECT_EQ(std::to_string(value), field.text) << "edit " << editId;
}

class LayoutFiles : public ::testing::Test {
 protected:
  void SetUp() override { session.closeSplash(); }

  test::MessageBoxSeen expectMessageBox(const std::function<void()>& action) {
    return test::expectLayoutErrorBox(action);
  }

  test::ProgramSession session;
  test::TempFolder folder;
};

FileBytes sampleFile(const std::string& background) {
  return qv4File(background, 400, 380, Qv4Sign{0, 30, 40, 100, 50, 10, 20, 8, test::sourcePath("demo/strip.bmp")},
                 Qv4Sign{2, 200, 60, 90, 45, 30, 40, 12, "C:\\nowhere\\x.bmp"});
}

TEST_F(LayoutFiles, ReadingAQv4FilePlacesTheWindows) {
  const std::string path = folder.file("board.qv4");
  ASSERT_TRUE(test::writeWholeFile(path, sampleFile(test::sourcePath("demo/led/00.bmp")).bytes));
  app.panelRef.setWidth(270);
  readLayoutFile(path);

  EXPECT_EQ(400, app.mainRef.width());
  EXPECT_EQ(380, app.mainRef.height());
  const RECT main = test::windowRect(session.main());
  EXPECT_EQ(400, main.right - main.left);
  EXPECT_EQ(380, main.bottom - main.top);

  EXPECT_EQ(30, app.clips[0].left());
  EXPECT_EQ(40, app.clips[0].top());
  EXPECT_EQ(100, app.clips[0].width());
  EXPECT_EQ(50, app.clips[0].height());
  POINT origin{0, 0};
  MapWindowPoints(app.clips[0].handle(), session.main(), &origin, 1);
  EXPECT_EQ(30, origin.x);
  EXPECT_EQ(40, origin.y);
  EXPECT_TRUE(IsWindowVisible(app.clips[0].handle()));

  EXPECT_EQ(200, app.clips[1].left());
  EXPECT_EQ(60, app.clips[1].top());
  EXPECT_EQ(90, app.clips[1].width());
  EXPECT_EQ(45, app.clips[1].height());
  EXPECT_FALSE(IsWindowVisible(app.clips[1].handle())) << "kind 2 hides the 2nd sign";
  EXPECT_EQ(138, app.panelRef.width());

  EXPECT_EQ(test::sourcePath("demo/led/00.bmp"), app.layout.backgroundPicture);
  EXPECT_EQ(0, app.layout.signs[0].kind);
  EXPECT_EQ(2, app.layout.signs[1].kind);
  EXPECT_EQ(8, app.layout.signs[0].cornerRound);
  EXPECT_EQ(12, app.layout.signs[1].cornerRound);
  EXPECT_EQ(test::sourcePath("demo/strip.bmp"), app.layout.signs[0].picturePath);
  EXPECT_EQ(10, app.layout.signs[0].speed);
  EXPECT_EQ(40, app.layout.signs[1].interval);
  expectPanelField(1034, 1033, 10);
  expectPanelField(1037, 1036, 20);
  expectPanelField(1041, 1040, 30);
  expectPanelField(1043, 1042, 40);

  ASSERT_NE(nullptr, app.backgroundBitmap.get());
  BITMAP info{};
  GetObjectA(app.backgroundBitmap.get(), sizeof info, &info);
  EXPECT_EQ(120, info.bmWidth);
  EXPECT_EQ(40, info.bmHeight);
}

TEST_F(LayoutFiles, ACutFileShowsTheReadErrorAndKeepsWhatWasRead) {
  const FileBytes full = sampleFile("");
  // Cut inside the 1st sign's top: the form size and the 1st sign's left are in.
  std::vector<unsigned char> cut(full.bytes.begin(), full.bytes.begin() + 37);
  const std::string path = folder.file("cut.qv4");
  ASSERT_TRUE(test::writeWholeFile(path, cut));
  const std::int32_t topBefore = app.clips[0].top();
  const test::MessageBoxSeen seen = expectMessageBox([&] { readLayoutFile(path); });

  ASSERT_TRUE(seen.seen);
  EXPECT_EQ(session.main(), seen.owner);
  EXPECT_TRUE(seen.hadErrorIcon);
  const std::string first = kReadErrorFirstLine;
  ASSERT_GE(seen.text.size(), first.size() + 4);
  EXPECT_EQ(first + "\r\n\r\n", seen.text.substr(0, first.size() + 4));
  EXPECT_EQ(test::systemText(kErrorHandleEof), seen.text.substr(first.size() + 4));
  EXPECT_FALSE(test::systemText(kErrorHandleEof).empty());

  EXPECT_EQ(400, app.mainRef.width());
  EXPECT_EQ(380, app.mainRef.height());
  EXPECT_EQ(30, app.clips[0].left());
  EXPECT_EQ(topBefore, app.clips[0].top());
  EXPECT_EQ(nullptr, app.backgroundBitmap.get()) << "no picture is loaded";
}

TEST_F(LayoutFiles, AForeignFileShowsItsMessageAndChangesNothing) {
  const std::string path = folder.file("other.qv4");
  FileBytes bytes = qv4File("", 400, 380, Qv4Sign{0, 30, 40, 100, 50, 10, 20, 8, ""},
                            Qv4Sign{0, 200, 60, 90, 45, 30, 40, 12, ""}, "QvApp3DataFile");
  ASSERT_TRUE(test::writeWholeFile(path, bytes.bytes));
  const std::int32_t width = app.mainRef.width();
  const test::MessageBoxSeen seen = expectMessageBox([&] { readLayoutFile(path); });
  EXPECT_EQ(kNotLayoutFileText, seen.text);
  EXPECT_EQ(session.main(), seen.owner);
  EXPECT_EQ(width, app.mainRef.width());
}

TEST_F(LayoutFiles, AMissingFileChangesNothingSilently) {
  const std::int32_t width = app.mainRef.width();
  ModalDriver driver({test::waitFor([] { return test::threadWindow(kLayoutErrorCaption) != nullptr; })}, 300);
  readLayoutFile(folder.file("none.qv4"));
  EXPECT_FALSE(driver.finished()) << "no message box";
  EXPECT_EQ(width, app.mainRef.width());
}

TEST_F(LayoutFiles, WritingThenReadingGivesBackTheBoard) {
  app.mainRef.setWidth(420);
  app.mainRef.setHeight(390);
  app.clips[0].setLeft(12);
  app.clips[0].setWidth(111);
  app.clips[1].setTop(70);
  app.layout.signs[1].kind = 1;
  app.layout.signs[0].speed = 25;
  app.layout.signs[1].cornerRound = 6;
  app.layout.signs[1].picturePath = "C:\\frames\\\x95\x5C";
  const std::string path = folder.file("round.qv4");
  writeLayoutFile(path);
  const std::vector<unsigned char> bytes = test::readWholeFile(path);
  ASSERT_EQ(96u + app.layout.signs[1].picturePath.size(), bytes.size());
  EXPECT_EQ(0x0E, bytes[0]);
  EXPECT_EQ(std::string("QvApp4DataFile"), std::string(bytes.begin() + 4, bytes.begin() + 18));
  EXPECT_EQ(std::vector<std::string>{"round.qv4"}, test::filesIn(folder.path())) << "no temporary file is left";

  app.mainRef.setWidth(300);
  app.clips[0].setLeft(50);
  app.clips[1].setTop(10);
  app.layout.signs[1].picturePath.clear();
  readLayoutFile(path);
  EXPECT_EQ(420, app.mainRef.width());
  EXPECT_EQ(390, app.mainRef.height());
  EXPECT_EQ(12, app.clips[0].left());
  EXPECT_EQ(111, app.clips[0].width());
  EXPECT_EQ(70, app.clips[1].top());
  EXPECT_EQ("C:\\frames\\\x95\x5C", app.layout.signs[1].picturePath);
  EXPECT_EQ(270, app.panelRef.width());
}

// Whether the clip window's shape leaves out its top-left corner pixel
// (rounded) and keeps its middle.
bool cornerCut(const ChildWindow& clip) {
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(clip.handle(), shape);
  const bool cut = kind != ERROR && !PtInRegion(shape, 0, 0) && PtInRegion(shape, clip.width() / 2, clip.height() / 2);
  DeleteObject(shape);
  return cut;
}

TEST_F(LayoutFiles, ReadingAQv3FilePlacesTheWindowsFromTwips) {
  // 456 x 444 pixels, height first; the 1st sign at (77, 26) 123 x 57.
  const test::FileBytes file = test::qv3File(
      "", 6660, 6840, 2, test::Qv3Sign{test::sourcePath("demo/strip.bmp"), 1155, 390, 855, 1845, 20, 5, 300},
      test::Qv3Sign{"", 3465, 451, 854, 1844, 0, 7, 40}, 0, 1);
  const std::string path = folder.file("old.qv3");
  ASSERT_TRUE(test::writeWholeFile(path, file.bytes));
  readVer3LayoutFile(path);
  EXPECT_EQ(456, app.mainRef.width());
  EXPECT_EQ(444, app.mainRef.height());
  EXPECT_EQ(77, app.clips[0].left());
  EXPECT_EQ(26, app.clips[0].top());
  EXPECT_EQ(123, app.clips[0].width());
  EXPECT_EQ(57, app.clips[0].height());
  EXPECT_EQ(231, app.clips[1].left());
  EXPECT_EQ(30, app.clips[1].top());
  EXPECT_EQ(122, app.clips[1].width()) << "1844 twips";
  EXPECT_EQ(56, app.clips[1].height()) << "854 twips";
  EXPECT_TRUE(IsWindowVisible(app.clips[0].handle()));
  EXPECT_FALSE(IsWindowVisible(app.clips[1].handle()));
  EXPECT_EQ(0, app.layout.signs[0].kind);
  EXPECT_EQ(2, app.layout.signs[1].kind);
  EXPECT_EQ(270, app.panelRef.width()) << "two signs in the file";
  EXPECT_EQ(20, app.layout.signs[0].cornerRound);
  EXPECT_EQ(0, app.layout.signs[1].cornerRound);
  expectPanelField(1034, 1033, 5);
  expectPanelField(1037, 1036, 300);
  expectPanelField(1041, 1040, 7);
  expectPanelField(1043, 1042, 40);
  EXPECT_TRUE(cornerCut(app.clips[0])) << "the 1st block's rounding rounds clip 1";
  EXPECT_FALSE(cornerCut(app.clips[1])) << "the 2nd block's rounding (0) leaves clip 2 square";
}

TEST_F(LayoutFiles, ReadingAQvdFileMakesOneLedSign) {
  const test::FileBytes file =
      test::qvdFile("", 6660, 6840, test::QvdSign{test::sourcePath("demo/led"), 3465, 390, 600, 1800, 12});
  const std::string path = folder.file("old.qvd");
  ASSERT_TRUE(test::writeWholeFile(path, file.bytes));
  app.layout.signs[1].picturePath = "C:\\before.bmp";
  const std::int32_t secondLeft = app.clips[1].left();
  readDigitalLayoutFile(path);
  EXPECT_EQ(456, app.mainRef.width());
  EXPECT_EQ(444, app.mainRef.height());
  EXPECT_EQ(231, app.clips[0].left());
  EXPECT_EQ(40, app.clips[0].height());
  EXPECT_EQ(120, app.clips[0].width());
  EXPECT_TRUE(IsWindowVisible(app.clips[0].handle()));
  EXPECT_FALSE(IsWindowVisible(app.clips[1].handle()));
  EXPECT_EQ(secondLeft, app.clips[1].left()) << "the 2nd sign's place is kept";
  EXPECT_EQ(1, app.layout.signs[0].kind);
  EXPECT_EQ(2, app.layout.signs[1].kind);
  EXPECT_EQ(test::sourcePath("demo/led"), app.layout.signs[0].picturePath);
  EXPECT_EQ("", app.layout.signs[1].picturePath);
  EXPECT_EQ(138, app.panelRef.width());
  EXPECT_TRUE(cornerCut(app.clips[0]));
  EXPECT_EQ("0", test::windowText(GetDlgItem(app.panelWindow, 1002)));
  EXPECT_EQ("0", test::windowText(GetDlgItem(app.panelWindow, 1003)));
}

TEST_F(LayoutFiles, OpeningChoosesTheReaderByTheExtensionAlone) {
  const test::FileBytes qv4 = sampleFile("");  // a 400-wide main window
  // 6840 twips across: 456 pixels.
  const test::FileBytes qv3 = test::qv3File("", 6660, 6840, 2, test::Qv3Sign{"", 1155, 390, 855, 1845, 0, 5, 300},
                                            test::Qv3Sign{"", 3465, 451, 854, 1844, 0, 7, 40}, 0, 1);
  const test::FileBytes qvd =
      test::qvdFile("", 6660, 6840, test::QvdSign{test::sourcePath("demo/led"), 3465, 390, 600, 1800, 12});
  struct Case {
    const char* name;
    const test::FileBytes* file;
    std::int32_t width;  // of the main window afterwards; 300 when nothing was read
  };
  const Case cases[] = {
      {"a.QV4", &qv4, 400}, {"b.Qv3", &qv3, 456}, {"c.qvd", &qvd, 456},
      {"d.txt", &qv4, 300}, {"e.qv4.bak", &qv4, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.file(c.name);
    ASSERT_TRUE(test::writeWholeFile(path, c.file->bytes));
    app.mainRef.setWidth(300);
    openLayoutFile(path);
    EXPECT_EQ(c.width, app.mainRef.width());
  }
}

// The disk, except that a written file takes only `limit` bytes.
class FailingDisk : public FileSystem {
 public:
  explicit FailingDisk(std::uint32_t limit) : limit_(limit) {}
  std::unique_ptr<ByteFile> openForReading(const std::string& path) override {
    return systemFiles().openForReading(path);
  }
  std::unique_ptr<ByteFile> createForWriting(const std::string& path) override {
    auto file = systemFiles().createForWriting(path);
    if (!file) return nullptr;
    return std::make_unique<Limited>(std::move(file), limit_);
  }
  bool remove(const std::string& path) override { return systemFiles().remove(path); }
  bool replace(const std::string& from, const std::string& to) override { return systemFiles().replace(from, to); }
  bool isReadOnly(const std::string& path) override { return systemFiles().isReadOnly(path); }
  std::string makeTemporaryBeside(const std::string& path) override {
    return systemFiles().makeTemporaryBeside(path);
  }
  SystemError lastError() const override { return systemFiles().lastError(); }

 private:
  class Limited : public ByteFile {
   public:
    Limited(std::unique_ptr<ByteFile> file, std::uint32_t room) : file_(std::move(file)), room_(room) {}
    bool read(unsigned char* b, std::uint32_t s, std::uint32_t& d) override { return file_->read(b, s, d); }
    bool write(const unsigned char* data, std::uint32_t size, std::uint32_t& accepted) override {
      if (size > room_) {
        file_->write(data, room_, accepted);
        room_ = 0;
        return false;
      }
      room_ -= size;
      return file_->write(data, size, accepted);
    }
    std::uint64_t size() const override { return file_->size(); }
    bool close() override { return file_->close(); }
    SystemError lastError() const override { return kErrorDiskFull; }

   private:
    std::unique_ptr<ByteFile> file_;
    std::uint32_t room_;
  };
  std::uint32_t limit_;
};

TEST_F(LayoutFiles, ASaveThatFailsKeepsTheOldFile) {
  const std::string path = folder.file("keep.qv4");
  const std::vector<unsigned char> old = sampleFile("").bytes;
  ASSERT_TRUE(test::writeWholeFile(path, old));
  FailingDisk disk(50);
  ProgramBoard board;
  const test::MessageBoxSeen seen = expectMessageBox([&] { writeLayoutFile(disk, path, board); });
  const std::string first = kSaveErrorFirstLine;
  EXPECT_EQ(first + "\r\n\r\n" + test::systemText(kErrorDiskFull), seen.text);
  EXPECT_EQ(session.main(), seen.owner);
  EXPECT_EQ(old, test::readWholeFile(path));
  EXPECT_EQ(std::vector<std::string>{"keep.qv4"}, test::filesIn(folder.path())) << "the temporary file is removed";
}

TEST_F(LayoutFiles, ASaveOverAFileInUseKeepsIt) {
  const std::string path = folder.file("locked.qv4");
  const std::vector<unsigned char> old = sampleFile("").bytes;
  ASSERT_TRUE(test::writeWholeFile(path, old));
  // Another program holds the file open and lets nobody else at it.
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  const test::MessageBoxSeen seen = expectMessageBox([&] { writeLayoutFile(path); });
  CloseHandle(holder);
  EXPECT_EQ(0u, seen.text.find(kSaveErrorFirstLine));
  EXPECT_EQ(old, test::readWholeFile(path));
  EXPECT_EQ(std::vector<std::string>{"locked.qv4"}, test::filesIn(folder.path()));
}

TEST_F(LayoutFiles, ASaveOverAReadOnlyFileIsRefusedAndKeepsIt) {
  const std::string path = folder.file("marked.qv4");
  const std::vector<unsigned char> old = sampleFile("").bytes;
  ASSERT_TRUE(test::writeWholeFile(path, old));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  const test::MessageBoxSeen seen = expectMessageBox([&] { writeLayoutFile(path); });
  const DWORD attributes = GetFileAttributesA(path.c_str());
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
  EXPECT_EQ(std::string(kSaveErrorFirstLine) + "\r\n\r\n" + test::systemText(ERROR_ACCESS_DENIED), seen.text);
  EXPECT_TRUE(seen.hadErrorIcon);
  EXPECT_EQ(old, test::readWholeFile(path));
  EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_READONLY) << "the file keeps its mark";
  EXPECT_EQ(std::vector<std::string>{"marked.qv4"}, test::filesIn(folder.path()));
}

TEST_F(LayoutFiles, AFileThatCannotBeCreatedShowsTheSaveError) {
  const std::string path = folder.file("no such folder\\board.qv4");
  const test::MessageBoxSeen seen = expectMessageBox([&] { writeLayoutFile(path); });
  EXPECT_EQ(0u, seen.text.find(kSaveErrorFirstLine));
  EXPECT_FALSE(test::fileExists(path));
}

}  // namespace
}  // namespace rovenza
