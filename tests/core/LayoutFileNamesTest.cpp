// Which reader a file name chooses, the name a saved file gets, the folder
// of a path, and the path taken from the command line.
#include <gtest/gtest.h>

#include <string>

#include "layout/CommandLine.h"
#include "layout/FileNames.h"

namespace rovenza {
namespace {

TEST(LayoutFileNames, TheLastFourBytesUpperCasedChooseTheReader) {
  struct Row {
    const char* path;
    LayoutFormat format;
  };
  const Row rows[] = {
      {"board.qv4", LayoutFormat::Qv4},         {"BOARD.QV4", LayoutFormat::Qv4},
      {"board.Qv4", LayoutFormat::Qv4},         {"C:\\a b\\x.qV4", LayoutFormat::Qv4},
      {"board.qv3", LayoutFormat::Qv3},         {"board.QV3", LayoutFormat::Qv3},
      {"board.qvd", LayoutFormat::Qvd},         {"board.QvD", LayoutFormat::Qvd},
      {"board.txt", LayoutFormat::None},        {"board.qv4 ", LayoutFormat::None},
      {"board.qv4\"", LayoutFormat::None},      {"board.qv5", LayoutFormat::None},
      {"board.qv", LayoutFormat::None},         {".qv4", LayoutFormat::Qv4},
      {"qv4", LayoutFormat::None},              {"", LayoutFormat::None},
      {"\x95\x5C.qv4", LayoutFormat::Qv4},      {"board.qv4.txt", LayoutFormat::None},
  };
  for (const Row& row : rows) EXPECT_EQ(row.format, layoutFormatOf(row.path)) << row.path;
}

TEST(LayoutFileNames, SavingAppendsQv4UnlessTheNameEndsInIt) {
  struct Row {
    const char* typed;
    const char* saved;
  };
  const Row rows[] = {
      {"C:\\b\\board", "C:\\b\\board.qv4"},         {"C:\\b\\board.QV4", "C:\\b\\board.QV4"},
      {"C:\\b\\board.Qv4", "C:\\b\\board.Qv4"},     {"C:\\b\\board.qv4", "C:\\b\\board.qv4"},
      {"C:\\b\\board.qv3", "C:\\b\\board.qv3.qv4"}, {"C:\\b\\board.qvd", "C:\\b\\board.qvd.qv4"},
      {"C:\\b\\board.", "C:\\b\\board..qv4"},       {"x", "x.qv4"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.saved, withLayoutExtension(row.typed)) << row.typed;
}

TEST(LayoutFileNames, ARecordingGetsGifAddedTheSameWay) {
  struct Row {
    const char* typed;
    const char* saved;
  };
  const Row rows[] = {
      {"C:\\r\\roll", "C:\\r\\roll.gif"}, {"C:\\r\\roll.GIF", "C:\\r\\roll.GIF"},
      {"C:\\r\\roll.Gif", "C:\\r\\roll.Gif"}, {"C:\\r\\roll.qv4", "C:\\r\\roll.qv4.gif"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.saved, withExtension(row.typed, ".gif")) << row.typed;
}

TEST(LayoutFileNames, AFailedFileDialogGivesTheErrorToShow) {
  EXPECT_EQ(0u, fileDialogFailure(0)) << "cancelled: nothing to show";
  EXPECT_EQ(206u, fileDialogFailure(0x3003)) << "a name too long for the buffer";
  EXPECT_EQ(123u, fileDialogFailure(0x3002));
  EXPECT_EQ(1u, fileDialogFailure(0xFFFF));
}

TEST(LayoutFileNames, TheFolderOfAPathEndsAtItsLastSeparator) {
  struct Row {
    const char* path;
    const char* folder;
  };
  const Row rows[] = {
      {"C:\\boards\\a.qv4", "C:\\boards\\"},
      {"C:\\a.qv4", "C:\\"},
      {"Z:/work/a.qv4", "Z:/work/"},
      {"a.qv4", "."},
      // 95 5C is one character whose trail byte is not a separator.
      {"C:\\\x95\x5C.qv4", "C:\\"},
      {"C:\\\x95\x5C\\a.qv4", "C:\\\x95\x5C\\"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.folder, folderOf(row.path)) << row.path;
}

TEST(CommandLine, TheArgumentsFollowTheFirstBlankOutsideQuotes) {
  struct Row {
    const char* commandLine;
    const char* arguments;
  };
  const Row rows[] = {
      {"rovenza.exe", ""},
      {"rovenza.exe ", ""},
      {"rovenza.exe a.qv4", "a.qv4"},
      {"rovenza.exe  a.qv4", " a.qv4"},
      {"\"C:\\Program Files\\rovenza.exe\" a.qv4", "a.qv4"},
      {"\"C:\\Program Files\\rovenza.exe\"", ""},
      {"C:\\Program Files\\rovenza.exe a.qv4", "Files\\rovenza.exe a.qv4"},
      {"rovenza.exe \"C:\\my boards\\a.qv4\"", "\"C:\\my boards\\a.qv4\""},
      {"\"C:\\x\"y z\" q", "z\" q"},
      {"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(std::string(row.arguments), std::string(commandLineArguments(row.commandLine))) << row.commandLine;
}

struct PathCase {
  const char* name;
  const char* commandLine;
  const char* path;
  LayoutFormat format;
};

TEST(CommandLine, TheWholeArgumentTextIsOnePath) {
  const PathCase cases[] = {
      {"nothing", "\"C:\\r\\rovenza.exe\"", "", LayoutFormat::None},
      {"quoted path with blanks", "\"C:\\r\\rovenza.exe\" \"C:\\my boards\\a b.qv4\"", "C:\\my boards\\a b.qv4",
       LayoutFormat::Qv4},
      {"the same unquoted", "\"C:\\r\\rovenza.exe\" C:\\my boards\\a b.qv4", "C:\\my boards\\a b.qv4",
       LayoutFormat::Qv4},
      {"two blanks before the quotes", "\"C:\\r\\rovenza.exe\"  \"C:\\my boards\\a.qv3\"", "C:\\my boards\\a.qv3",
       LayoutFormat::Qv3},
      {"quoted then a blank", "\"C:\\r\\rovenza.exe\" \"C:\\my boards\\a.qv4\" ", "C:\\my boards\\a.qv4\"",
       LayoutFormat::None},
      {"ideographic spaces after", "rovenza.exe C:\\b\\a.qvd\x81\x40\x81\x40", "C:\\b\\a.qvd", LayoutFormat::Qvd},
      {"ideographic and ascii spaces around", "rovenza.exe \x81\x40 C:\\b\\a.qv4 \x81\x40", "C:\\b\\a.qv4",
       LayoutFormat::Qv4},
      {"ascii blanks after", "rovenza.exe C:\\b\\a.qv4   ", "C:\\b\\a.qv4", LayoutFormat::Qv4},
      {"second file name", "rovenza.exe a.qv4 b.qv4", "a.qv4 b.qv4", LayoutFormat::Qv4},
      {"only blanks", "rovenza.exe    ", "", LayoutFormat::None},
      {"a lone quote", "rovenza.exe \"", "", LayoutFormat::None},
      {"a path ending in 5C trail byte", "rovenza.exe C:\\\x95\x5C.qv4", "C:\\\x95\x5C.qv4", LayoutFormat::Qv4},
  };
  for (const PathCase& c : cases) {
    const std::string path = commandLineFilePath(commandLineArguments(c.commandLine));
    EXPECT_EQ(c.path, path) << c.name;
    EXPECT_EQ(c.format, layoutFormatOf(path)) << c.name;
  }
}

}  // namespace
}  // namespace rovenza
