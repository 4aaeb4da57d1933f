// Logical files over hand-made links, directory and data files: the link key
// rule, name matching in the directory, record offsets, PhysLogicalOpen and
// every error text of reads and writes.
#include <gtest/gtest.h>

#include "base/EngineError.h"
#include "engine/LogicalFile.h"
#include "engine/EngineState.h"
#include "engine/PhysicalFile.h"
#include "engine/Registries.h"
#include "platform/MemoryShare.h"
#include "platform/ShareAccess.h"
#include "engine/cLinks.h"
#include "engine/cLogicalFile.h"
#include "engine/cSystem.h"
#include "support/EngineErrorMatch.h"
#include "support/TempBusinessSystem.h"

namespace velta {
namespace {

using test::directoryEntry;
using test::expectEngineError;
using test::linksEntry;
using test::TempBusinessSystem;

// Record n of a 100-byte file at block 3: the letter 'a' + n, repeated.
std::string dataFile() {
  std::string bytes(3 * 512, '\0');
  for (int n = 0; n <= 9; ++n) bytes += std::string(100, static_cast<char>('a' + n));
  return bytes;
}

class LogicalFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bs.write("HBTSLNK/LINKSFILE", linksEntry(":D1:VNDRL", ":D1:VNDRDI") + linksEntry(":D1:NOFILE", ":D1:GONEDI") +
                                      linksEntry(":D1:PAD", ":D1:VNDRDI") + linksEntry(":D1:LONGNM", ":D1:VNDRDI") +
                                      linksEntry(":D1:ABSENT", ":D1:VNDRDI") + linksEntry(":D1:NODATA", ":D1:XDI"));
    bs.write("HBTSLNK/D1/VNDRDI", directoryEntry("OTHER", 'L', 9, 10, 1) +
                                      directoryEntry("PAD", 'L', 0, 1, 1, 0, 'X') +  // "PADXXX": no match
                                      directoryEntry("VNDRL", 'L', 3, 100, 9, 0x0A20) +
                                      directoryEntry("PAD", 'L', 1, 50, 2) +  // NUL-padded: matches
                                      directoryEntry("LONGNM", 'I', 7, 512, 4, 0x4142) +
                                      std::string(31, 'V'));  // an incomplete entry is none
    bs.write("HBTSLNK/D1/VNDRDB", dataFile());
    bs.write("HBTSLNK/D1/XDI", directoryEntry("NODATA", 'L', 0, 10, 5));
    bs.startEngine();
  }
  TempBusinessSystem bs;
};

TEST_F(LogicalFileTest, OpensThroughLinkAndDirectory) {
  const auto file = LogicalOpen("VNDRL");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->FileName, "VNDRL");
  EXPECT_EQ(file->FileType, "L");
  EXPECT_EQ(file->Position, 3);
  EXPECT_EQ(file->RecordLength, 100);
  EXPECT_EQ(file->LastRecord, 9);
  EXPECT_EQ(file->Flags, 0x0A20);  // LF and blank are trimmed from the name, so it matches
  ASSERT_NE(file->OpenFile, nullptr);
  // The directory path "\\SRV\HBTSLNK\" + "\D1\VNDRDI" holds a doubled separator.
  EXPECT_EQ(file->OpenFile->Path, "\\\\SRV\\HBTSLNK\\D1\\VNDRDB");
  EXPECT_EQ(LogicalOpen("vndrl"), file);  // the registry key ignores letter case
}

TEST_F(LogicalFileTest, LinkKeyWithAndWithoutDirectoryAreSeparateEntries) {
  const auto bare = LogicalOpen("VNDRL");
  const auto keyed = LogicalOpen(":D1:VNDRL");
  ASSERT_NE(bare, nullptr);
  ASSERT_NE(keyed, nullptr);
  EXPECT_NE(bare, keyed);
  EXPECT_EQ(keyed->FileName, ":D1:VNDRL");
  EXPECT_EQ(keyed->OpenFile, bare->OpenFile);  // one physical file
  EXPECT_EQ(engineState().logicalFiles->Count(), 2);
  EXPECT_EQ(engineState().openFiles->Count(), 1);
}

TEST_F(LogicalFileTest, LinkKeyUsesTheCurrentDirectory) {
  engineState().system->mDirectory = "D2";
  EXPECT_EQ(LogicalOpen("VNDRL"), nullptr);  // :D2:VNDRL has no link
  EXPECT_NE(LogicalOpen(":D1:VNDRL"), nullptr);
}

TEST_F(LogicalFileTest, DirectoryNamesMatchAfterTrailingControlsOnly) {
  const auto pad = LogicalOpen("PAD");
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->RecordLength, 50);           // the NUL-padded entry, not the "PADXXX" one before it
  EXPECT_EQ(LogicalOpen("LONGNM"), nullptr);  // flag bytes 41 42 are part of the name
  EXPECT_EQ(LogicalOpen("ABSENT"), nullptr);  // not in the directory at all
}

TEST_F(LogicalFileTest, NameLetterCaseCountsInTheDirectory) {
  // ":D1:vndrl" finds the link (keys ignore case) but no entry named "vndrl".
  EXPECT_EQ(LogicalOpen(":D1:vndrl"), nullptr);
}

TEST_F(LogicalFileTest, UnknownLinkAndMissingDirectoryAreNone) {
  EXPECT_EQ(LogicalOpen("NOLINK"), nullptr);
  EXPECT_EQ(LogicalOpen("NOFILE"), nullptr);
  EXPECT_EQ(engineState().logicalFiles->Count(), 0);
}

TEST_F(LogicalFileTest, MissingDataFileRegistersWithoutHandleAndReadsFailWith91) {
  const auto file = LogicalOpen("NODATA");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->OpenFile, nullptr);
  expectEngineError([&] { LreadFile(file, 1); }, 91, "ReadFile", "Object variable or With block variable not set");
}

TEST_F(LogicalFileTest, RecordsLieAtPositionTimes512PlusNumberTimesLength) {
  const auto file = LogicalOpen("VNDRL");
  EXPECT_EQ(LreadFile(file, 1), std::string(100, 'b'));  // offset 1636
  EXPECT_EQ(LreadFile(file, 2), std::string(100, 'c'));  // offset 1736
  EXPECT_EQ(LreadFile(file, 9), std::string(100, 'j'));
  LwriteFile(file, 2, std::string(100, 'Z'));
  const std::string bytes = bs.read("HBTSLNK/D1/VNDRDB");
  EXPECT_EQ(bytes.substr(1736, 100), std::string(100, 'Z'));
  EXPECT_EQ(bytes.substr(1636, 100), std::string(100, 'b'));
  EXPECT_EQ(bytes.substr(1836, 1), "d");
}

TEST_F(LogicalFileTest, IllegalRecordNumbers) {
  const auto file = LogicalOpen("VNDRL");
  expectEngineError([&] { LreadFile(file, 0); }, 81, "iLreadFile",
                    "Illegal Record Number for File: VNDRL and Record:  0");
  expectEngineError([&] { LreadFile(file, 10); }, 81, "iLreadFile",
                    "Illegal Record Number for File: VNDRL and Record:  10");
  expectEngineError([&] { LreadFile(file, -3); }, 81, "iLreadFile",
                    "Illegal Record Number for File: VNDRL and Record: -3");
  expectEngineError([&] { LwriteFile(file, 10, std::string(100, 'x')); }, 81, "iLwriteFile",
                    "Illegal Record Number for File: VNDRL and Record:  10");
  EXPECT_EQ(bs.read("HBTSLNK/D1/VNDRDB"), dataFile());
}

TEST_F(LogicalFileTest, WrongDataLengthWritesNothing) {
  const auto file = LogicalOpen("VNDRL");
  expectEngineError([&] { LwriteFile(file, 1, std::string(99, 'x')); }, 36, "iLwriteFile",
                    "Illegal Data length for this record.  Size is:  99 and should be  100");
  expectEngineError([&] { LwriteFile(file, 1, std::string(101, 'x')); }, 36, "iLwriteFile",
                    "Illegal Data length for this record.  Size is:  101 and should be  100");
  EXPECT_EQ(bs.read("HBTSLNK/D1/VNDRDB"), dataFile());
}

TEST_F(LogicalFileTest, NoneHandles) {
  const LogicalFileHandle none;
  expectEngineError([&] { LreadFile(none, 1); }, -10, "iLreadFile", "LogicalFile parameter is undefined");
  expectEngineError([&] { LwriteFile(none, 1, "x"); }, -10, "iLwriteFile", "LogicalFile parameter is undefined");
}

TEST_F(LogicalFileTest, PhysLogicalOpenComputesTheLastRecord) {
  bs.write("HBTSLNK/D1/PO1000", std::string(1000, 'p'));
  std::string name = "PO1000";
  int32_t last = 0;
  const auto file = PhysLogicalOpen(name, "L", 100, last);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(name, "\\\\SRV\\HBTSLNK\\D1\\PO1000");
  EXPECT_EQ(last, 9);
  EXPECT_EQ(file->FileName, name);
  EXPECT_EQ(file->Position, 0);
  EXPECT_EQ(file->Flags, 0);
  EXPECT_EQ(file->LastRecord, 9);

  int32_t given = 4;
  std::string again = "PO1000";
  const auto second = PhysLogicalOpen(again, "L", 100, given);
  EXPECT_EQ(given, 4);
  EXPECT_NE(second, file);  // every call registers a new entry
  EXPECT_EQ(second->OpenFile, file->OpenFile);
  EXPECT_EQ(engineState().logicalFiles->Count(), 2);
  EXPECT_EQ(LogicalOpen(name), nullptr);  // never found again by name
}

TEST_F(LogicalFileTest, PhysLogicalOpenMissingFileAndZeroRecordLength) {
  std::string missing = "NOPE";
  int32_t last = 0;
  EXPECT_EQ(PhysLogicalOpen(missing, "L", 100, last), nullptr);
  bs.write("HBTSLNK/D1/PO1000", std::string(1000, 'p'));
  std::string name = "PO1000";
  expectEngineError([&] { PhysLogicalOpen(name, "L", 0, last); }, 11, "PhysLogicalOpen", "Division by zero");
  int32_t given = 3;
  EXPECT_NE(PhysLogicalOpen(name, "L", 0, given), nullptr);  // no division without a computed LastRecord
}

TEST_F(LogicalFileTest, RecordOffsetBeyond32BitsOverflows) {
  bs.write("HBTSLNK/D1/BIG", "x");
  std::string name = "BIG";
  int32_t last = 2000000;
  const auto file = PhysLogicalOpen(name, "L", 2000, last);
  expectEngineError([&] { LreadFile(file, 1073742); }, 6, "iLreadFile", "Overflow");  // 1073742 x 2000 > 2^31 - 1
  EXPECT_EQ(LreadFile(file, 1073741), std::string(2000, ' '));
}

TEST(LogicalFileWithoutRegistries, NothingResolves) {
  TempBusinessSystem bs;
  bs.write("HBTSLNK/LINKSFILE", linksEntry(":D1:VNDRL", ":D1:VNDRDI"));
  bs.write("HBTSLNK/D1/VNDRDI", directoryEntry("VNDRL", 'L', 0, 10, 1));
  EXPECT_EQ(LogicalOpen("VNDRL"), nullptr);
  std::string name = "\\\\SRV\\HBTSLNK\\D1\\VNDRDI";
  int32_t last = 0;
  expectEngineError([&] { PhysLogicalOpen(name, "L", 10, last); }, 91, "PhysLogicalOpen",
                    "Object variable or With block variable not set");
}

}  // namespace
}  // namespace velta

namespace velta {
namespace {

// Through an in-memory share, to count reads.
class LogicalFileInMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    shareAccess().configure({std::string(), std::string()});
    auto owned = std::make_unique<MemoryShare>();
    files = owned.get();
    shareAccess().addBackend("SRV", "HBTSLNK", std::move(owned));
    engineState().system->mUNCDrive = "SRV";
    engineState().system->mDirectory = "D1";
  }
  void TearDown() override {
    engineState().links.reset();
    engineState().openFiles.reset();
    engineState().logicalFiles.reset();
    shareAccess().configure({std::string(), std::string()});
  }
  MemoryShare* files = nullptr;
};

TEST_F(LogicalFileInMemory, TheLinksFileIsReadInOneRead) {
  std::string links;
  for (int i = 0; i < 40; ++i) links += test::linksEntry(":D1:F" + std::to_string(i), ":D1:FDI");
  files->put("LINKSFILE", links);
  files->resetCounts();
  createRegistries();
  EXPECT_EQ(engineState().links->Count(), 40);
  EXPECT_EQ(files->reads(), 1u);
}

TEST_F(LogicalFileInMemory, LongDirectoriesAreSearchedToTheirLastCompleteEntry) {
  files->put("LINKSFILE", test::linksEntry(":D1:N199", ":D1:BIGDI") + test::linksEntry(":D1:N299", ":D1:BIGDI") +
                              test::linksEntry(":D1:N300", ":D1:BIGDI"));
  std::string directory;
  for (int i = 0; i < 300; ++i) directory += test::directoryEntry("N" + std::to_string(i), 'L', 0, 10, i);
  directory += test::directoryEntry("N300", 'L', 0, 10, 300).substr(0, 31);
  files->put("D1/BIGDI", directory);
  files->put("D1/BIGDB", "");
  createRegistries();
  ASSERT_NE(LogicalOpen("N199"), nullptr);
  EXPECT_EQ(LogicalOpen("N199")->LastRecord, 199);
  ASSERT_NE(LogicalOpen("N299"), nullptr);
  EXPECT_EQ(LogicalOpen("N299")->LastRecord, 299);
  EXPECT_EQ(LogicalOpen("N300"), nullptr);
}

TEST_F(LogicalFileInMemory, ReadOnlyDataFilesReadButRefuseWrites) {
  auto owned = std::make_unique<MemoryShare>(true);
  owned->put("D1/RODB", "0000ABCDEFGH");
  shareAccess().addBackend("SRV", "RO", std::move(owned));
  createRegistries();
  std::string name = "\\\\SRV\\RO\\D1\\RODB";
  int32_t last = 0;
  const auto file = PhysLogicalOpen(name, "L", 4, last);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(last, 2);
  EXPECT_EQ(LreadFile(file, 2), "EFGH");
  test::expectEngineError([&] { LwriteFile(file, 1, "wxyz"); }, 70, "WriteFile",
                          "Permission denied: \\\\SRV\\RO\\D1\\RODB");
}

}  // namespace
}  // namespace velta
