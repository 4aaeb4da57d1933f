// Logical files of the sample business system: every one resolves as the
// builder laid it out, its records read back as the builder made them (and as
// plain reads of the data file find them), record zero counts what the builder
// counted, and deleting works on real files.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "engine/LogicalFile.h"
#include "engine/EngineState.h"
#include "engine/PhysicalFile.h"
#include "engine/RecordMaintenance.h"
#include "engine/Registries.h"
#include "platform/ShareAccess.h"
#include "platform/UncPath.h"
#include "engine/cLogicalFile.h"
#include "engine/cOpenFile.h"
#include "engine/cSystem.h"
#include "support/EngineErrorMatch.h"
#include "support/PlainBytes.h"
#include "support/TempDir.h"
#include "tools/sample/SampleBusinessSystem.h"
#include "tools/sample/SampleRecords.h"

namespace velta {
namespace {

using sample::SampleBusinessSystem;

// Bytes of a local file, read without the engine.
std::string plainRead(const std::filesystem::path& path, int64_t offset, std::size_t length) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(offset);
  std::string bytes(length, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(length));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

void useSample(const SampleBusinessSystem& built) {
  shareAccess().configure({std::string(), built.root.string()});
  engineState().system->mUNCDrive = built.server;
  engineState().system->mDirectory = built.directory;
  createRegistries();
}

void dropRegistries() {
  engineState().links.reset();
  engineState().openFiles.reset();
  engineState().logicalFiles.reset();
  shareAccess().configure({std::string(), std::string()});
}

SampleBusinessSystem buildSample(const test::TempDir& dir) {
  sample::SampleOptions options;
  options.parts = 200;
  return sample::writeSampleBusinessSystem(dir.path(), options);
}

class SampleDataTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<test::TempDir>();
    built_ = std::make_unique<SampleBusinessSystem>(buildSample(*dir_));
  }
  static void TearDownTestSuite() {
    built_.reset();
    dir_.reset();
  }
  void SetUp() override { useSample(*built_); }
  void TearDown() override { dropRegistries(); }

  static const SampleBusinessSystem& built() { return *built_; }
  // Record `n` of a sample logical file, read plainly from its data file.
  static std::string plainRecord(const std::string& name, int32_t n) {
    const auto& file = built().logicalFile(name);
    return plainRead(file.localDataFile, file.entry.byteOffset() + int64_t{n} * file.entry.recordLength,
                     static_cast<std::size_t>(file.entry.recordLength));
  }

 private:
  static std::unique_ptr<test::TempDir> dir_;
  static std::unique_ptr<SampleBusinessSystem> built_;
};

std::unique_ptr<test::TempDir> SampleDataTest::dir_;
std::unique_ptr<SampleBusinessSystem> SampleDataTest::built_;

TEST_F(SampleDataTest, EveryLogicalFileResolvesAsLaidOut) {
  ASSERT_GE(built().logicalFiles.size(), 9u);
  for (const auto& expected : built().logicalFiles) {
    SCOPED_TRACE(expected.entry.name);
    const auto file = LogicalOpen(expected.entry.name);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->FileType, std::string(1, expected.entry.fileType));
    EXPECT_EQ(file->Position, expected.entry.position);
    EXPECT_EQ(file->RecordLength, expected.entry.recordLength);
    EXPECT_EQ(file->LastRecord, expected.entry.lastRecord);
    EXPECT_EQ(file->Flags, 0);
    ASSERT_NE(file->OpenFile, nullptr);
    EXPECT_EQ(file->OpenFile->Path, normalUncText(expected.dataFile));
    EXPECT_EQ(LogicalOpen(expected.link), LogicalOpen(expected.link));  // the link key form: its own entry
    EXPECT_NE(LogicalOpen(expected.link), file);
  }
  // The logical files of one directory share one open data file.
  EXPECT_EQ(LogicalOpen("VNDRI")->OpenFile, LogicalOpen("VNDRL")->OpenFile);
  EXPECT_EQ(LogicalOpen("LINEL")->OpenFile, LogicalOpen("COMODI")->OpenFile);
  EXPECT_NE(LogicalOpen("PARTL")->OpenFile, LogicalOpen("VNDRL")->OpenFile);
}

TEST_F(SampleDataTest, VendorRecordsReadAsBuilt) {
  const auto vendors = LogicalOpen("VNDRL");
  ASSERT_FALSE(built().catalog.vendors.empty());
  for (const auto& vendor : built().catalog.vendors) {
    SCOPED_TRACE(vendor.VENDOR_NAME);
    const std::string record = LreadFile(vendors, vendor.record);
    EXPECT_EQ(record, sample::vendorRecord(vendor));
    EXPECT_EQ(record, plainRecord("VNDRL", vendor.record));
  }
  for (const int32_t deleted : built().catalog.deletedVendorRecords) {
    EXPECT_EQ(test::beI16(LreadFile(vendors, deleted), 0), 0) << deleted;
  }
}

TEST_F(SampleDataTest, LineRecordsSplitOverTwoFiles) {
  const auto main = LogicalOpen("LINEL");
  const auto extension = LogicalOpen("ELINEL");
  ASSERT_FALSE(built().catalog.lines.empty());
  for (const auto& line : built().catalog.lines) {
    SCOPED_TRACE(line.Line);
    EXPECT_EQ(LreadFile(main, line.record) + LreadFile(extension, line.record), sample::lineRecord(line));
  }
}

TEST_F(SampleDataTest, PartRecordsReadAsBuilt) {
  const auto parts = LogicalOpen("PARTL");
  for (const int64_t index : {int64_t{0}, int64_t{1}, int64_t{99}, built().catalog.parts.count() - 1}) {
    const auto part = built().catalog.parts.part(index);
    SCOPED_TRACE(part.number);
    const std::string record = LreadFile(parts, part.record);
    EXPECT_EQ(record, sample::partRecord(part));
    EXPECT_EQ(record, plainRecord("PARTL", part.record));
  }
  const int32_t beyond = LogicalOpen("PARTL")->LastRecord + 1;
  test::expectEngineError([&] { LreadFile(parts, beyond); }, 81, "iLreadFile",
                          "Illegal Record Number for File: PARTL and Record:  " + std::to_string(beyond));
}

TEST_F(SampleDataTest, RecordZeroCountsWhatTheBuilderCounted) {
  const auto vendors = LogicalOpen("VNDRL");
  const auto parts = LogicalOpen("PARTL");
  const auto header = plainRecord("VNDRL", 0).substr(0, 16);
  EXPECT_EQ(test::beI16(header, 0), -2);
  EXPECT_EQ(vendors->ActiveCount(), static_cast<int32_t>(built().catalog.vendors.size()));
  EXPECT_EQ(vendors->HighUsedRecord(), test::beI32(header, 6));
  EXPECT_EQ(parts->ActiveCount(), static_cast<int32_t>(built().catalog.parts.count()));
  EXPECT_EQ(parts->HighUsedRecord(), built().catalog.parts.highestUsed());
  EXPECT_EQ(LogicalOpen("VNDRI")->ActiveCount(), 0);  // an index has no record zero
}

TEST_F(SampleDataTest, PurchaseOrdersOpenAsWholeFiles) {
  ASSERT_FALSE(built().catalog.purchaseOrders.empty());
  for (const auto& order : built().catalog.purchaseOrders) {
    SCOPED_TRACE(order.name);
    std::string name = order.name;
    int32_t last = 0;
    const auto file = PhysLogicalOpen(name, "L", sample::kPoRecordLength, last);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(name, built().dealerPath(order.name));
    const auto records = sample::purchaseOrderRecords(order);
    ASSERT_EQ(last, static_cast<int32_t>(records.size()));
    for (int32_t n = 1; n <= last; ++n) EXPECT_EQ(LreadFile(file, n), records[static_cast<std::size_t>(n - 1)]) << n;
  }
}

TEST(SampleDataMaintenance, DeletingAVendorChainsItAheadOfTheBuildersFreeList) {
  test::TempDir dir;
  const SampleBusinessSystem built = buildSample(dir);
  useSample(built);
  const auto vendors = LogicalOpen("VNDRL");
  const auto& entry = built.logicalFile("VNDRL").entry;
  const auto header = [&] { return plainRead(built.logicalFile("VNDRL").localDataFile, entry.byteOffset(), 16); };
  const int32_t headBefore = test::beI32(header(), 2);
  const int32_t inUse = vendors->ActiveCount();
  const int32_t victim = built.catalog.vendors.back().record;

  DelRec(vendors, victim);
  EXPECT_EQ(test::beI32(header(), 2), victim);
  EXPECT_EQ(vendors->ActiveCount(), inUse - 1);
  const std::string record = LreadFile(vendors, victim);
  EXPECT_EQ(record.substr(0, 2), std::string(2, '\0'));
  EXPECT_EQ(test::beI32(record, 2), headBefore);
  EXPECT_EQ(record.substr(6), std::string(record.size() - 6, '\0'));
  test::expectEngineError([&] { DelRec(vendors, victim); }, 81, "DelRec", "Attempt to delete a deleted record");
  if (!built.catalog.deletedVendorRecords.empty()) {
    test::expectEngineError([&] { DelRec(vendors, built.catalog.deletedVendorRecords.front()); }, 81, "DelRec",
                            "Attempt to delete a deleted record");
  }
  dropRegistries();
}

}  // namespace
}  // namespace velta
