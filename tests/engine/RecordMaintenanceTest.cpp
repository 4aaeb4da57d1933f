// Record zero, deleting records, initialising record and index files, and
// the lock operations, checked byte for byte in the data file.
#include <gtest/gtest.h>

#include "engine/LogicalFile.h"
#include "engine/PhysicalFile.h"
#include "engine/RecordMaintenance.h"
#include "support/EngineErrorMatch.h"
#include "support/TempBusinessSystem.h"

namespace velta {
namespace {

using test::bigEndian;
using test::directoryEntry;
using test::expectEngineError;
using test::linksEntry;

constexpr int kRecordLength = 20;
constexpr int kDataStart = 2 * 512;  // the record file begins at block 2

class RecordMaintenanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bs.write("HBTSLNK/LINKSFILE", linksEntry(":D1:RECL", ":D1:TESTDI") + linksEntry(":D1:KEYI", ":D1:TESTDI") +
                                      linksEntry(":D1:ODD", ":D1:TESTDI") + linksEntry(":D1:TINY", ":D1:TESTDI"));
    bs.write("HBTSLNK/D1/TESTDI", directoryEntry("RECL", 'L', 2, kRecordLength, 6) +
                                      directoryEntry("KEYI", 'I', 5, 512, 300) + directoryEntry("ODD", 'X', 0, 10, 3) +
                                      directoryEntry("TINY", 'L', 8, 5, 2));
    bs.write("HBTSLNK/D1/TESTDB", std::string(10 * 512, '#'));
    bs.startEngine();
  }
  std::string data() const { return bs.read("HBTSLNK/D1/TESTDB"); }
  std::string record(int n) const { return data().substr(kDataStart + n * kRecordLength, kRecordLength); }

  test::TempBusinessSystem bs;
};

TEST_F(RecordMaintenanceTest, InitFileOfARecordFile) {
  const auto file = LogicalOpen("RECL");
  InitFile(file);
  const std::string bytes = data();
  EXPECT_EQ(bytes.substr(kDataStart, 512), std::string("\xFF\xFE\xFF\xFF\xFF\xFF", 6) + std::string(506, '\0'));
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(record(n), std::string(kRecordLength, '\0')) << n;
  EXPECT_EQ(bytes.substr(0, kDataStart), std::string(kDataStart, '#'));
  EXPECT_EQ(bytes.substr(kDataStart + 512), std::string(bytes.size() - kDataStart - 512, '#'));
  EXPECT_EQ(file->ActiveCount(), 0);
  EXPECT_EQ(file->HighUsedRecord(), 0);
}

TEST_F(RecordMaintenanceTest, InitFileOfAnIndex) {
  const auto index = LogicalOpen("KEYI");
  InitFile(index, 10, false, 100);
  const std::string bytes = data();
  const std::string header = bigEndian(14, 2) + bigEndian(36, 2) + bigEndian(300, 2) + bigEndian(2, 2) +
                             bigEndian(1, 2) + bigEndian(36, 2) + bigEndian(0, 2);
  EXPECT_EQ(bytes.substr(5 * 512, 512), header + std::string(512 - 14, '\0'));
  EXPECT_EQ(bytes.substr(6 * 512, 512), std::string("\x00\x01", 2) + std::string(510, '\xFF'));
  EXPECT_EQ(bytes.substr(7 * 512, 1), "#");

  InitFile(index, 6, true, 99);  // below 100 the fill target is 0
  EXPECT_EQ(data().substr(5 * 512, 14), bigEndian(10, 2) + bigEndian(50, 2) + bigEndian(300, 2) + bigEndian(2, 2) +
                                            bigEndian(1, 2) + bigEndian(0, 2) + bigEndian(65535, 2));
  InitFile(index, 6, false, 250);  // 250 \ 100 = 2 blocks' worth
  EXPECT_EQ(data().substr(5 * 512 + 10, 2), bigEndian(100, 2));
}

TEST_F(RecordMaintenanceTest, InitFileOfOtherTypesWritesNothingAndNoneIsAnError) {
  InitFile(LogicalOpen("ODD"));
  EXPECT_EQ(data(), std::string(10 * 512, '#'));
  expectEngineError([] { InitFile(nullptr); }, -10, "iLwriteFile", "LogicalFile parameter is undefined");
  expectEngineError([&] { InitFile(LogicalOpen("KEYI"), -4); }, 11, "InitFile", "Division by zero");
}

TEST_F(RecordMaintenanceTest, DelRecChainsTheFreeList) {
  const auto file = LogicalOpen("RECL");
  InitFile(file);
  for (int n = 1; n <= 6; ++n) LwriteFile(file, n, "REC" + std::to_string(n) + std::string(kRecordLength - 4, 'r'));

  DelRec(file, 5);
  EXPECT_EQ(record(5), std::string("\x00\x00\xFF\xFF\xFF\xFF", 6) + std::string(kRecordLength - 6, '\0'));
  EXPECT_EQ(data().substr(kDataStart, 16),
            bigEndian(-2, 2) + bigEndian(5, 4) + bigEndian(0, 4) + bigEndian(0, 4) + bigEndian(0, 2));
  EXPECT_EQ(record(4).substr(0, 4), "REC4");
  EXPECT_EQ(record(6).substr(0, 4), "REC6");

  expectEngineError([&] { DelRec(file, 5); }, 81, "DelRec", "Attempt to delete a deleted record");

  // With records counted in use, the count goes down by one and the chain grows.
  std::string header = data().substr(kDataStart, 16);
  header.replace(6, 8, bigEndian(6, 4) + bigEndian(3, 4));
  WriteFile(file->OpenFile, header, kDataStart);
  DelRec(file, 2);
  EXPECT_EQ(record(2), std::string("\x00\x00\x00\x00\x00\x05", 6) + std::string(kRecordLength - 6, '\0'));
  EXPECT_EQ(data().substr(kDataStart, 16),
            bigEndian(-2, 2) + bigEndian(2, 4) + bigEndian(6, 4) + bigEndian(2, 4) + bigEndian(0, 2));
  EXPECT_EQ(file->ActiveCount(), 2);
  EXPECT_EQ(file->HighUsedRecord(), 6);
}

TEST_F(RecordMaintenanceTest, DelRecRangeAndShortRecords) {
  const auto file = LogicalOpen("RECL");
  InitFile(file);
  expectEngineError([&] { DelRec(file, 7); }, 81, "iLreadFile", "Illegal Record Number for File: RECL and Record:  7");
  expectEngineError([&] { DelRec(file, 1); }, 81, "DelRec", "Attempt to delete a deleted record");  // all NUL

  const auto tiny = LogicalOpen("TINY");  // 5-byte records: the free-list link does not fit
  std::string tinyFile = data();
  tinyFile.replace(8 * 512 + 5, 5, "ABCDE");
  WriteFile(tiny->OpenFile, tinyFile.substr(8 * 512, 16), 8 * 512);
  const std::string before = data();
  expectEngineError([&] { DelRec(tiny, 1); }, 31, "Pack", "Invalid Subscript.  Pack \"L\", Data$, 3   Len(Data$) = 5");
  EXPECT_EQ(data(), before);
  expectEngineError([] { DelRec(nullptr, 1); }, 91, "DelRec", "Object variable or With block variable not set");
}

TEST_F(RecordMaintenanceTest, LocksAreNumberZeroAndGetRecHandsOutNothing) {
  const auto file = LogicalOpen("RECL");
  EXPECT_EQ(PhysicalLock("RECL", 0, 20), 0);
  EXPECT_EQ(LogicalLock(file, 3), 0);
  EXPECT_EQ(ReleaseLock(0), 0);
  EXPECT_EQ(ReleaseLock(17), 0);
  int32_t record = 42;
  expectEngineError([&] { GetRec(file, record); }, 57, "iGetRec", "Could not obtain a Lock on Record Zero of RECL");
  EXPECT_EQ(record, 42);
  EXPECT_EQ(data(), std::string(10 * 512, '#'));
}

}  // namespace
}  // namespace velta
