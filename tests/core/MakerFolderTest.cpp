// An LED folder written as one set: the new frames written aside first, then
// swapped for the old ones, so that the folder holds exactly the new set;
// a failure before the swap leaves the old set, one during it says what is
// left where.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/MemoryFileSystem.h"
#include "maker/Saving.h"

namespace rovenza {
namespace {

using Names = std::vector<std::string>;

const char kFolder[] = "C:\\led";

// The names of the files directly in the folder, sorted.
Names filesIn(MemoryFileSystem& files) {
  Names names;
  files.listFiles(kFolder, names);
  std::sort(names.begin(), names.end());
  return names;
}

Names numbered(int count, int digits) {
  Names names;
  for (int i = 0; i < count; ++i) {
    std::string number = std::to_string(i);
    names.push_back(std::string(static_cast<std::size_t>(digits) - number.size(), '0') + number + ".bmp");
  }
  return names;
}

Names plus(Names names, const Names& more) {
  names.insert(names.end(), more.begin(), more.end());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(MakerFolder, FrameFilesAreDigitsWithAPictureExtension) {
  const struct {
    const char* name;
    bool frame;
  } cases[] = {{"00.bmp", true},  {"7.PNG", true},     {"0123.jpeg", true}, {"01.gif", true},   {"notes.txt", false},
               {"01.txt", false}, {"1a.bmp", false},   {".bmp", false},     {"01", false},      {"01.bmp.tmp", false}};
  for (const auto& c : cases) EXPECT_EQ(c.frame, isFrameFileName(c.name)) << c.name;
}

TEST(MakerFolder, TheFolderHoldsExactlyTheNewSet) {
  const struct {
    const char* name;
    Names before;
    std::size_t frames;
    Names after;
  } cases[] = {
      {"an empty folder", {}, 3, numbered(3, 2)},
      {"fewer frames than before", plus(numbered(8, 2), {"notes.txt", "1a.bmp"}), 4,
       plus(numbered(4, 2), {"notes.txt", "1a.bmp"})},
      {"three digits, then two", numbered(102, 3), 101 - 1, numbered(100, 2)},
      {"two digits, then three", numbered(100, 2), 102, numbered(102, 3)},
      {"other pictures' names", {"1.png", "0002.jpg"}, 2, numbered(2, 2)},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.folders.insert(kFolder);
    for (const std::string& name : c.before) files.files[std::string(kFolder) + "\\" + name] = {'o'};
    const FrameSetResult result = writeFrameSet(files, std::string(kFolder) + "\\", c.frames,
                                                [](std::size_t frame, const ByteSink& sink) {
                                                  const unsigned char byte = static_cast<unsigned char>(frame);
                                                  return sink(&byte, 1);
                                                });
    EXPECT_EQ(FrameSetResult::Stage::Done, result.stage) << c.name;
    EXPECT_EQ(c.after, filesIn(files)) << c.name;
    EXPECT_EQ(std::set<std::string>{kFolder}, files.folders) << c.name << ": the temporary folder is gone";
    EXPECT_EQ(c.after.size(), files.files.size()) << c.name << ": nothing else left";
    const std::string last = std::string(kFolder) + "\\" + numbered(static_cast<int>(c.frames), c.frames > 100 ? 3 : 2).back();
    EXPECT_EQ(MemoryFileSystem::Bytes{static_cast<unsigned char>(c.frames - 1)}, files.files[last]) << c.name;
  }
}

TEST(MakerFolder, AFailureBeforeTheSwapLeavesTheOldSetAndOneDuringItSaysWhereWhatIs) {
  const Names old = numbered(5, 2);
  const struct {
    const char* name;
    void (*fault)(MemoryFileSystem&);
    bool failAtFrame2;
    FrameSetResult::Stage stage;
    Names oldLeft, newPlaced, newLeft;
  } cases[] = {
      {"no temporary folder", [](MemoryFileSystem& f) { f.failCreateFolder = true; }, false,
       FrameSetResult::Stage::Writing, {}, {}, {}},
      {"the third frame cannot be made", [](MemoryFileSystem&) {}, true, FrameSetResult::Stage::Writing, {}, {}, {}},
      {"the disk fills", [](MemoryFileSystem& f) { f.writeLimit = 0; }, false, FrameSetResult::Stage::Writing, {}, {}, {}},
      {"the third old frame cannot be removed", [](MemoryFileSystem& f) { f.removesLeft = 2; }, false,
       FrameSetResult::Stage::Swapping, {"02.bmp", "03.bmp", "04.bmp"}, {}, numbered(3, 2)},
      // Three renames put the written frames in the temporary folder, two more move two of them.
      {"the third new frame cannot be moved", [](MemoryFileSystem& f) { f.replacesLeft = 3 + 2; }, false,
       FrameSetResult::Stage::Swapping, {}, {"00.bmp", "01.bmp"}, {"02.bmp"}},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.folders.insert(kFolder);
    for (const std::string& name : old) files.files[std::string(kFolder) + "\\" + name] = {'o'};
    c.fault(files);
    const bool failAtFrame2 = c.failAtFrame2;
    const FrameSetResult result = writeFrameSet(files, kFolder, 3, [failAtFrame2](std::size_t frame, const ByteSink& sink) {
      const unsigned char byte = 'n';
      return !(failAtFrame2 && frame == 2) && sink(&byte, 1);
    });
    EXPECT_EQ(c.stage, result.stage) << c.name;
    EXPECT_NE(0u, result.error) << c.name;
    if (c.stage == FrameSetResult::Stage::Writing) {
      EXPECT_EQ(old, filesIn(files)) << c.name;
      EXPECT_EQ(old.size(), files.files.size()) << c.name << ": nothing written left";
      EXPECT_EQ(std::set<std::string>{kFolder}, files.folders) << c.name;
      continue;
    }
    EXPECT_EQ(c.oldLeft, result.oldLeft) << c.name;
    EXPECT_EQ(c.newPlaced, result.newPlaced) << c.name;
    EXPECT_EQ(c.newLeft, result.newLeft) << c.name;
    EXPECT_EQ(plus(c.oldLeft, c.newPlaced), filesIn(files)) << c.name;
    for (const std::string& name : c.newLeft) EXPECT_TRUE(files.exists(result.staging + "\\" + name)) << c.name;
  }
}

TEST(MakerFolder, TheMessageNamesWhatIsLeftWhere) {
  FrameSetResult result;
  result.stage = FrameSetResult::Stage::Swapping;
  result.folder = "C:\\led";
  result.staging = "C:\\led\\~rovenza-new";
  result.newPlaced = {"00.bmp", "01.bmp"};
  result.newLeft = {"02.bmp"};
  EXPECT_EQ("LEDのコマを入れ替える途中で止まりました。\r\n「C:\\led」には新しいコマ 00.bmp〜01.bmp（2個） があります。"
            "\r\n「C:\\led\\~rovenza-new」に新しいコマ 02.bmp があります。",
            frameSwapText(result));
  result.newPlaced.clear();
  result.newLeft = numbered(3, 2);
  result.oldLeft = {"04.bmp"};
  EXPECT_EQ("LEDのコマを入れ替える途中で止まりました。\r\n「C:\\led」には古いコマ 04.bmp があります。"
            "\r\n「C:\\led\\~rovenza-new」に新しいコマ 00.bmp〜02.bmp（3個） があります。",
            frameSwapText(result));
}

}  // namespace
}  // namespace rovenza
