// Pictures of a moved board found again beside its layout file.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "layout/MovedPaths.h"

namespace rovenza {
namespace {

using Paths = std::vector<std::string>;

TEST(MovedPaths, PlacesGrowFromTheLastComponentToTheWholePathBelowTheDrive) {
  EXPECT_EQ((Paths{"D:\\board\\strip.bmp", "D:\\board\\pics\\strip.bmp", "D:\\board\\Users\\pics\\strip.bmp"}),
            pathsBesideLayoutFile("C:\\Users\\pics\\strip.bmp", "D:\\board\\demo.qv4"));
}

TEST(MovedPaths, DriveRootsAndSeparatorsOfEveryKind) {
  struct Row {
    const char* stored;
    Paths places;
  };
  const Row rows[] = {
      {"\\\\server\\share\\a\\b.png", {"X:\\b.png", "X:\\a\\b.png"}},
      {"\\top\\b.png", {"X:\\b.png", "X:\\top\\b.png"}},
      {"C:b.png", {"X:\\b.png"}},
      {"C:/x//y/led", {"X:\\led", "X:\\y\\led", "X:\\x\\y\\led"}},
      {"pics\\a.bmp", {"X:\\a.bmp", "X:\\pics\\a.bmp"}},
      {"C:\\led\\", {"X:\\led"}},
      {"C:\\", {}},
      {"", {}},
  };
  for (const Row& row : rows) EXPECT_EQ(row.places, pathsBesideLayoutFile(row.stored, "X:\\board.qv4")) << row.stored;
}

TEST(MovedPaths, ParentFoldersAreResolvedAndNoPlaceLeavesTheLayoutFilesFolder) {
  struct Row {
    const char* stored;
    Paths places;
  };
  const Row rows[] = {
      {"C:\\a\\..\\..\\..\\secret.bmp", {"X:\\b\\secret.bmp"}},
      {"..\\..\\x.bmp", {"X:\\b\\x.bmp"}},
      {"C:\\p\\q\\..\\r.bmp", {"X:\\b\\r.bmp", "X:\\b\\p\\r.bmp"}},
      {"C:\\p\\.\\r.bmp", {"X:\\b\\r.bmp", "X:\\b\\p\\r.bmp"}},
      {"C:\\p\\...\\. \\r.bmp", {"X:\\b\\r.bmp", "X:\\b\\p\\r.bmp"}},
      {"C:\\led\\..", {}},
      {"\\\\h\\s\\..\\..\\y", {"X:\\b\\y"}},
  };
  for (const Row& row : rows) EXPECT_EQ(row.places, pathsBesideLayoutFile(row.stored, "X:\\b\\board.qv4")) << row.stored;
}

TEST(MovedPaths, ATrailByte5CIsNoSeparator) {
  // "表" is 95 5C in code page 932.
  EXPECT_EQ((Paths{"E:\\\x95\x5C.bmp", "E:\\dir\\\x95\x5C.bmp"}),
            pathsBesideLayoutFile("C:\\dir\\\x95\x5C.bmp", "E:\\b.qv4"));
  EXPECT_EQ((Paths{"E:\\\x95\x5C\\a.bmp"}).front(), pathsBesideLayoutFile("C:\\x\\a.bmp", "E:\\\x95\x5C\\b.qv4").front());
}

TEST(MovedPaths, ALayoutFileWithoutFolderLooksInTheCurrentOne) {
  EXPECT_EQ((Paths{"a.bmp", "p\\a.bmp"}), pathsBesideLayoutFile("C:\\p\\a.bmp", "board.qv4"));
}

TEST(MovedPaths, AStoredPathThatExistsIsKeptAndIsTheOnlyOneAsked) {
  std::vector<std::string> asked;
  const auto exists = [&](const std::string& path) {
    asked.push_back(path);
    return true;
  };
  EXPECT_EQ("C:\\p\\a.bmp", findBesideLayoutFile("C:\\p\\a.bmp", "D:\\b.qv4", exists));
  EXPECT_EQ((Paths{"C:\\p\\a.bmp"}), asked);
}

TEST(MovedPaths, TheFirstPlaceThatExistsWins) {
  const std::set<std::string> present{"D:\\m\\p\\a.bmp", "D:\\m\\q\\p\\a.bmp"};
  const auto exists = [&](const std::string& path) { return present.count(path) != 0; };
  EXPECT_EQ("D:\\m\\p\\a.bmp", findBesideLayoutFile("C:\\q\\p\\a.bmp", "D:\\m\\b.qv4", exists));
}

TEST(MovedPaths, NothingFoundOrNothingStoredLeavesThePathAsStored) {
  std::size_t calls = 0;
  const auto none = [&](const std::string&) {
    ++calls;
    return false;
  };
  EXPECT_EQ("C:\\q\\a.bmp", findBesideLayoutFile("C:\\q\\a.bmp", "D:\\b.qv4", none));
  EXPECT_EQ(3u, calls);
  calls = 0;
  EXPECT_EQ("", findBesideLayoutFile("", "D:\\b.qv4", none));
  EXPECT_EQ(0u, calls);
}

}  // namespace
}  // namespace rovenza
