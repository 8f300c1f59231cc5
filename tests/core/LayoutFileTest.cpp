// The binary file object: little-endian fields, counted strings, the bounds
// on what a read may ask for, and the safe replacing write.
#include "layout/LayoutFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/MemoryFileSystem.h"

namespace rovenza {
namespace {

using Bytes = MemoryFileSystem::Bytes;

class LayoutFileTest : public ::testing::Test {
 protected:
  void put(const Bytes& bytes) { files.files["f"] = bytes; }
  MemoryFileSystem files;
};

TEST_F(LayoutFileTest, OpensOnlyInTheModesRAndW) {
  LayoutFile file(files);
  EXPECT_FALSE(file.open("missing", "r"));
  EXPECT_FALSE(file.isOpen());
  EXPECT_FALSE(file.open("f", "R"));
  EXPECT_FALSE(file.open("f", "rw"));
  EXPECT_FALSE(files.exists("f"));
  EXPECT_TRUE(file.open("f", "w"));
  EXPECT_TRUE(files.exists("f"));
  file.close();
  EXPECT_TRUE(file.open("f", "r"));
}

TEST_F(LayoutFileTest, ReadsLittleEndianNumbers) {
  put({0x80, 0xFE, 0xFF, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF});
  LayoutFile file(files);
  ASSERT_TRUE(file.open("f", "r"));
  std::uint8_t byte = 0;
  std::int16_t negative = 0;
  std::uint16_t positive = 0;
  std::int32_t word = 0;
  std::int32_t minusOne = 0;
  EXPECT_TRUE(file.read8(byte));
  EXPECT_EQ(0x80, byte);
  EXPECT_TRUE(file.read16(negative));
  EXPECT_EQ(-2, negative);
  EXPECT_TRUE(file.read16(positive));
  EXPECT_EQ(0x1234, positive);
  EXPECT_TRUE(file.read32(word));
  EXPECT_EQ(0x12345678, word);
  EXPECT_TRUE(file.read32(minusOne));
  EXPECT_EQ(-1, minusOne);
  EXPECT_EQ(4u, file.bytesRead());
  EXPECT_FALSE(file.atEnd());
  EXPECT_FALSE(file.read8(byte));
  EXPECT_TRUE(file.atEnd());
  EXPECT_EQ(0u, file.bytesRead());
  EXPECT_EQ(kErrorHandleEof, file.lastError());
}

TEST_F(LayoutFileTest, AShortReadFailsWithoutSettingTheEndMark) {
  put({1, 2, 3});
  LayoutFile file(files);
  ASSERT_TRUE(file.open("f", "r"));
  std::int32_t value = 0;
  EXPECT_FALSE(file.read32(value));
  EXPECT_EQ(3u, file.bytesRead());
  EXPECT_FALSE(file.atEnd());
  EXPECT_EQ(kErrorHandleEof, file.lastError());
}

TEST_F(LayoutFileTest, AFailingSystemReadReportsItsError) {
  put({1, 2, 3, 4, 5, 6, 7, 8});
  files.readFailAt = 6;
  LayoutFile file(files);
  ASSERT_TRUE(file.open("f", "r"));
  std::int32_t value = 0;
  EXPECT_TRUE(file.read32(value));
  EXPECT_FALSE(file.atEnd());
  EXPECT_FALSE(file.read32(value));
  EXPECT_EQ(30u, file.lastError());
  EXPECT_TRUE(file.atEnd()) << "a read that delivered nothing";
}

TEST_F(LayoutFileTest, WritesLittleEndianNumbersAndCountedStrings) {
  LayoutFile file(files);
  ASSERT_TRUE(file.open("f", "w"));
  EXPECT_TRUE(file.write8(0x1FF));
  EXPECT_EQ(1u, file.bytesWritten());
  EXPECT_TRUE(file.write16(0xABCD));
  EXPECT_TRUE(file.write32(0x01020304));
  EXPECT_TRUE(file.writeCountedString(""));
  EXPECT_TRUE(file.writeCountedString("ab"));
  EXPECT_EQ(2u, file.bytesWritten());
  EXPECT_TRUE(file.writeShortCountedString("c"));
  file.close();
  const Bytes expected = {0xFF, 0xCD, 0xAB, 4, 3, 2, 1, 0, 0, 0, 0, 2, 0, 0, 0, 'a', 'b', 1, 0, 'c'};
  EXPECT_EQ(expected, files.files["f"]);
}

struct StringCase {
  const char* name;
  Bytes bytes;
  bool ok;
  std::string text;
  SystemError error;
};

TEST_F(LayoutFileTest, CountedStringsAreReadUpToTheirCountAndFirstZero) {
  const StringCase cases[] = {
      {"empty", {0, 0, 0, 0}, true, "", 0},
      {"text", {3, 0, 0, 0, 'a', 'b', 'c', 'x'}, true, "abc", 0},
      {"zero inside cuts", {4, 0, 0, 0, 'a', 0, 'c', 'd'}, true, "a", 0},
      {"all zero", {2, 0, 0, 0, 0, 0}, true, "", 0},
      {"cp932 kept", {4, 0, 0, 0, 0x95, 0x5C, 0x82, 0xA0}, true, "\x95\x5C\x82\xA0", 0},
      {"count cut", {1, 0, 0}, false, "", kErrorHandleEof},
      {"text cut", {5, 0, 0, 0, 'a', 'b'}, false, "", kErrorHandleEof},
      {"count wraps", {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, false, "", kErrorInvalidData},
      {"above the bound", {0x01, 0x00, 0x01, 0x00, 'a'}, false, "", kErrorInvalidData},
  };
  for (const StringCase& c : cases) {
    put(c.bytes);
    LayoutFile file(files);
    ASSERT_TRUE(file.open("f", "r"));
    std::string text = "previous";
    EXPECT_EQ(c.ok, file.readCountedString(text)) << c.name;
    if (c.ok) {
      EXPECT_EQ(c.text, text) << c.name;
    } else {
      EXPECT_EQ("previous", text) << c.name;
      EXPECT_EQ(c.error, file.lastError()) << c.name;
    }
  }
}

TEST_F(LayoutFileTest, ACountedStringMayHoldExactlyTheBound) {
  Bytes bytes = {0x00, 0x00, 0x01, 0x00};
  bytes.resize(4 + kMaxCountedStringBytes, 'x');
  put(bytes);
  LayoutFile file(files);
  ASSERT_TRUE(file.open("f", "r"));
  std::string text;
  EXPECT_TRUE(file.readCountedString(text));
  EXPECT_EQ(kMaxCountedStringBytes, text.size());
}

TEST_F(LayoutFileTest, ShortCountedStringsUseASixteenBitCount) {
  const StringCase cases[] = {
      {"empty", {0, 0}, true, "", 0},
      {"text", {2, 0, 'h', 'i', 'x'}, true, "hi", 0},
      {"zero inside", {3, 0, 'h', 0, 'i'}, true, "h", 0},
      {"cut", {0xFF, 0xFF, 'a'}, false, "", kErrorHandleEof},
      {"count cut", {1}, false, "", kErrorHandleEof},
  };
  for (const StringCase& c : cases) {
    put(c.bytes);
    LayoutFile file(files);
    ASSERT_TRUE(file.open("f", "r"));
    std::string text = "previous";
    EXPECT_EQ(c.ok, file.readShortCountedString(text)) << c.name;
    EXPECT_EQ(c.ok ? c.text : "previous", text) << c.name;
  }
}

TEST_F(LayoutFileTest, AWriteThatIsNotTakenInFullFails) {
  files.writeLimit = 6;
  LayoutFile file(files);
  ASSERT_TRUE(file.open("f", "w"));
  EXPECT_TRUE(file.write32(7));
  EXPECT_FALSE(file.write32(8));
  EXPECT_EQ(2u, file.bytesWritten());
  EXPECT_EQ(kErrorDiskFull, file.lastError());
}

bool writeTwoNumbers(LayoutFile& file) { return file.write32(1) && file.write32(2); }

TEST_F(LayoutFileTest, SaveReplacingPutsTheNewFileInPlaceOnlyWhenComplete) {
  files.files["f"] = {9, 9};
  EXPECT_EQ(0u, saveReplacing(files, "f", writeTwoNumbers));
  EXPECT_EQ((Bytes{1, 0, 0, 0, 2, 0, 0, 0}), files.files["f"]);
  EXPECT_EQ(1u, files.files.size()) << "no temporary file is left";
}

TEST_F(LayoutFileTest, SaveReplacingKeepsTheOldFileWhenAnyStepFails) {
  struct Fault {
    const char* name;
    void (*set)(MemoryFileSystem&);
    SystemError error;
  };
  const Fault faults[] = {
      {"no temporary name", [](MemoryFileSystem& f) { f.failTemporary = true; }, 5},
      {"create fails", [](MemoryFileSystem& f) { f.failCreate = true; }, 5},
      {"write fails", [](MemoryFileSystem& f) { f.writeLimit = 5; }, kErrorDiskFull},
      {"close fails", [](MemoryFileSystem& f) { f.failClose = true; }, kErrorDiskFull},
      {"replace fails", [](MemoryFileSystem& f) { f.failReplace = true; }, 5},
      {"target read-only", [](MemoryFileSystem& f) { f.readOnly.insert("f"); }, kErrorAccessDenied},
  };
  for (const Fault& fault : faults) {
    MemoryFileSystem disk;
    disk.files["f"] = {9, 9};
    fault.set(disk);
    EXPECT_EQ(fault.error, saveReplacing(disk, "f", writeTwoNumbers)) << fault.name;
    EXPECT_EQ((Bytes{9, 9}), disk.files["f"]) << fault.name;
    EXPECT_EQ(1u, disk.files.size()) << fault.name << ": the temporary file is removed";
  }
}

TEST_F(LayoutFileTest, SaveReplacingCreatesAFileThatWasNotThere) {
  EXPECT_EQ(0u, saveReplacing(files, "new", writeTwoNumbers));
  EXPECT_EQ(8u, files.files["new"].size());
  EXPECT_EQ(1u, files.files.size());
}

TEST_F(LayoutFileTest, AReplacingWriteNotCommittedLeavesNothingBehind) {
  files.files["f"] = {9};
  {
    LayoutFile file(files);
    ASSERT_TRUE(file.openReplacing("f"));
    EXPECT_TRUE(file.write32(1));
  }
  EXPECT_EQ((Bytes{9}), files.files["f"]);
  EXPECT_EQ(1u, files.files.size());
}

}  // namespace
}  // namespace rovenza
