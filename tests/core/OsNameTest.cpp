// The operating-system names of the splash, row by row.
#include "about/OsName.h"

#include <gtest/gtest.h>

#include <string>

namespace rovenza {
namespace {

struct OsNameCase {
  std::uint32_t major;
  std::uint32_t minor;
  std::uint32_t platformId;
  const char* servicePack;
  const char* name;
};

class OsNameRow : public ::testing::TestWithParam<OsNameCase> {};

TEST_P(OsNameRow, NamesTheSystem) {
  const OsNameCase& c = GetParam();
  const OsVersion version{c.major, c.minor, c.platformId, c.servicePack};
  EXPECT_EQ(std::string(c.name), osName(version))
      << c.major << "." << c.minor << " platform " << c.platformId << " \"" << c.servicePack << "\"";
}

const char kUnknown[] = "謎のWindows(^^;";

const OsNameCase kRows[] = {
    // 3.x: every minor, platform and service pack.
    {3, 0, 0, "", "Windows NT 3.51"},
    {3, 51, 2, "Service Pack 5", "Windows NT 3.51"},
    {3, 10, 1, "A", "Windows NT 3.51"},
    // 4.0 on platform 1: OSR2 only for exactly "B" or "C".
    {4, 0, 1, "B", "Windows 95 OSR2"},
    {4, 0, 1, "C", "Windows 95 OSR2"},
    {4, 0, 1, "", "Windows 95"},
    {4, 0, 1, "A", "Windows 95"},
    {4, 0, 1, "b", "Windows 95"},
    {4, 0, 1, " B ", "Windows 95"},
    {4, 0, 1, "BC", "Windows 95"},
    // 4.0 on any other platform.
    {4, 0, 2, "", "Windows NT 4.0"},
    {4, 0, 2, "B", "Windows NT 4.0"},
    {4, 0, 0, "C", "Windows NT 4.0"},
    {4, 0, 3, "Service Pack 6", "Windows NT 4.0"},
    // 4.10: SE only for exactly "A".
    {4, 10, 1, "A", "Windows 98 SE"},
    {4, 10, 2, "A", "Windows 98 SE"},
    {4, 10, 1, " A ", "Windows 98"},
    {4, 10, 1, "a", "Windows 98"},
    {4, 10, 1, "", "Windows 98"},
    {4, 10, 1, "B", "Windows 98"},
    // 4.90 and the other 4.x.
    {4, 90, 1, "", "Windows Me"},
    {4, 90, 2, "A", "Windows Me"},
    {4, 1, 1, "", ""},
    {4, 3, 2, "A", ""},
    {4, 95, 1, "", ""},
    // 5.x.
    {5, 0, 2, "Service Pack 4", "Windows 2000"},
    {5, 1, 2, "Service Pack 3", "Windows XP"},
    {5, 2, 2, "", "Windows Server 2003"},
    {5, 3, 2, "", kUnknown},
    {5, 10, 1, "A", kUnknown},
    // 6.x.
    {6, 0, 2, "Service Pack 2", "Windows Vista"},
    {6, 1, 2, "Service Pack 1", kUnknown},
    {6, 2, 2, "", kUnknown},
    {6, 3, 2, "", kUnknown},
    // Any other major version.
    {0, 0, 0, "", kUnknown},
    {1, 0, 1, "", kUnknown},
    {2, 10, 1, "A", kUnknown},
    {7, 0, 2, "", kUnknown},
    {10, 0, 2, "", kUnknown},
    {0xFFFFFFFFu, 0, 2, "", kUnknown},
};

INSTANTIATE_TEST_SUITE_P(Table, OsNameRow, ::testing::ValuesIn(kRows));

TEST(OsName, UnknownWindowsIsItsCp932Text) {
  // 謎 = 93 E4, の = 82 CC in code page 932.
  const std::string name = osName(OsVersion{6, 1, 2, ""});
  EXPECT_EQ(std::string("\x93\xE4\x82\xCCWindows(^^;"), name);
}

TEST(OsName, ServicePackTextIsShownUnchanged) {
  for (const char* text : {"", "A", " A ", "Service Pack 3", "\x83\x54\x81\x5B\x83\x72\x83\x58"}) {
    EXPECT_EQ(std::string(text), servicePackText(OsVersion{5, 1, 2, text}));
  }
}

}  // namespace
}  // namespace rovenza
