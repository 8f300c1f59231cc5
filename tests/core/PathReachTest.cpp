// Where a path named inside a file leads, and which of them the file may open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/PathReach.h"

namespace rovenza {
namespace {

using Hosts = std::vector<std::string>;

TEST(PathReach, LocalNetworkAndDevicePathsOfEveryForm) {
  struct Row {
    const char* path;
    PathReach reach;
    const char* host;
  };
  const Row rows[] = {
      {"C:\\pics\\a.bmp", PathReach::Local, ""},
      {"C:a.bmp", PathReach::Local, ""},
      {"\\pics\\a.bmp", PathReach::Local, ""},
      {"pics/a.bmp", PathReach::Local, ""},
      {"..\\..\\a.bmp", PathReach::Local, ""},
      {"", PathReach::Local, ""},
      {"C:\\console\\null.bmp", PathReach::Local, ""},
      {"C:\\x\\COM10.bmp", PathReach::Local, ""},
      {"\\\\host\\share\\a.bmp", PathReach::Network, "host"},
      {"//host/share/a.bmp", PathReach::Network, "host"},
      {"\\/host\\share", PathReach::Network, "host"},
      {"\\\\Host.example", PathReach::Network, "Host.example"},
      {"\\\\10.0.0.1\\c$\\a.bmp", PathReach::Network, "10.0.0.1"},
      {"\\\\?\\UNC\\srv\\share\\a.bmp", PathReach::Network, "srv"},
      {"\\\\?\\unc\\srv\\share", PathReach::Network, "srv"},
      {"//?/UNC/srv/share", PathReach::Network, "srv"},
      {"\\\\.\\UNC\\srv\\share", PathReach::Network, "srv"},
      {"\\??\\UNC\\srv\\share", PathReach::Network, "srv"},
      // "表" (95 5C): its trail byte is no separator.
      {"\\\\\x95\x5C\\share", PathReach::Network, "\x95\x5C"},
      {"\\\\.\\PhysicalDrive0", PathReach::Device, ""},
      {"\\\\.\\C:", PathReach::Device, ""},
      {"\\\\?\\C:\\a.bmp", PathReach::Device, ""},
      {"\\\\?\\GLOBALROOT\\Device\\Null", PathReach::Device, ""},
      {"\\\\?\\UNC", PathReach::Device, ""},
      {"\\\\?\\UNC\\\\share", PathReach::Device, ""},
      {"//./pipe/x", PathReach::Device, ""},
      {"\\\\.", PathReach::Device, ""},
      {"\\??\\C:\\a.bmp", PathReach::Device, ""},
      {"\\\\", PathReach::Device, ""},
      {"\\\\\\share\\a.bmp", PathReach::Device, ""},
      {"C:\\pics\\COM1", PathReach::Device, ""},
      {"nul.bmp", PathReach::Device, ""},
      {"C:\\x\\Con .txt", PathReach::Device, ""},
      {"lpt9", PathReach::Device, ""},
      {"C:\\x\\CONOUT$", PathReach::Device, ""},
      {"aux:stream", PathReach::Device, ""},
  };
  for (const Row& row : rows) {
    const PathPlace place = placeOfPath(row.path);
    EXPECT_EQ(row.reach, place.reach) << row.path;
    EXPECT_EQ(row.host, place.host) << row.path;
  }
}

TEST(PathReach, AFileMayOpenLocalPathsAndItsOwnHostUntilOthersAreAgreedTo) {
  PathPermit permit("\\\\home\\share\\board.qv4");
  const std::vector<std::string> paths{
      "C:\\a.bmp", "\\\\HOME\\share\\b.bmp", "\\\\evil\\x\\c.bmp", "", "//Evil/y", "\\\\?\\UNC\\third\\s",
      "\\\\.\\COM1"};
  EXPECT_EQ((Hosts{"evil", "third"}), permit.hostsToAsk(paths));
  EXPECT_TRUE(permit.allows("C:\\a.bmp"));
  EXPECT_TRUE(permit.allows("\\\\HOME\\share\\b.bmp")) << "the file's own host";
  EXPECT_FALSE(permit.allows("\\\\evil\\x\\c.bmp"));
  EXPECT_FALSE(permit.allows("\\\\.\\COM1"));
  permit.agree(permit.hostsToAsk(paths));
  EXPECT_TRUE(permit.allows("//EVIL/z"));
  EXPECT_TRUE(permit.allows("\\\\?\\UNC\\third\\s"));
  EXPECT_FALSE(permit.allows("\\\\fourth\\s"));
  EXPECT_FALSE(permit.allows("\\\\.\\COM1")) << "a device never";
  EXPECT_TRUE(permit.hostsToAsk(paths).empty());
  EXPECT_EQ((Hosts{"h"}), PathPermit("C:\\board.qv4").hostsToAsk({"C:\\a.bmp", "\\\\h\\"}));
}

TEST(PathReach, TheQuestionNamesEveryHost) {
  EXPECT_EQ("このレイアウトはネットワーク上のファイルを開こうとしています (\\\\host)。開きますか？",
            networkQuestionText({"host"}));
  EXPECT_EQ("このレイアウトはネットワーク上のファイルを開こうとしています (\\\\a, \\\\b)。開きますか？",
            networkQuestionText({"a", "b"}));
}

}  // namespace
}  // namespace rovenza
