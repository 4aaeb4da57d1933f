// The sample business system holds what it says it holds: its files are read back
// here byte by byte, with the tests' own readers, and compared with the facts the
// builder returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/ShareAccess.h"
#include "support/IndexWalk.h"
#include "support/PlainBytes.h"
#include "support/TempDir.h"
#include "tools/sample/IndexBuilder.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta::sample {
namespace {

namespace fs = std::filesystem;
using test::beI16;
using test::beI24;
using test::beI32;
using test::beU16;
using test::beU24;
using test::plainUcm;
using test::rtrim;

std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string trimmed(std::string_view text) {
  const auto end = text.find_last_not_of(std::string_view(" \0\t\r\n", 5));
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

int32_t dayNumber(Date d) {
  // Days since 31 December 1967, counted without the engine's calendar.
  const auto days = std::chrono::sys_days(d) - std::chrono::sys_days(Date{std::chrono::year{1967}, std::chrono::December,
                                                                           std::chrono::day{31}});
  return static_cast<int32_t>(days.count());
}

class Sample : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir;
    SampleOptions options;
    options.workstationName = "counter-3";
    options.progress = [](std::string_view stage, int64_t done, int64_t total) {
      progress_.emplace_back(std::string(stage), done, total);
    };
    sample_ = new SampleBusinessSystem(writeSampleBusinessSystem(dir_->path() / "biz", options));
  }
  static void TearDownTestSuite() {
    delete sample_;
    delete dir_;
  }

  const SampleBusinessSystem& s() const { return *sample_; }
  fs::path dealer(std::string_view name) const { return s().linkShare() / s().directory / name; }

  // One record of a logical file, read at Position x 512 + n x RecordLength.
  std::string record(std::string_view logical, int32_t n) const {
    const SampleLogicalFile& f = s().logicalFile(logical);
    std::string& data = dataFiles_[f.localDataFile.string()];
    if (data.empty()) data = fileBytes(f.localDataFile);
    const std::size_t at = static_cast<std::size_t>(f.entry.position) * 512 +
                           static_cast<std::size_t>(n) * static_cast<std::size_t>(f.entry.recordLength);
    return data.substr(at, static_cast<std::size_t>(f.entry.recordLength));
  }
  test::IndexWalk walk(std::string_view index) const {
    const SampleLogicalFile& f = s().logicalFile(index);
    return test::walkIndex(
        test::indexBlocks(f.localDataFile.string(), f.entry.position, int64_t{f.entry.lastRecord} + 1));
  }
  // The keys and pointers of an index, the sentinel left out.
  std::vector<std::pair<std::string, int32_t>> entries(std::string_view index) const {
    const auto w = walk(index);
    EXPECT_TRUE(w.problems.empty()) << index << ": " << w.problems.front();
    auto e = w.leafEntries;
    e.pop_back();
    return e;
  }

  static test::TempDir* dir_;
  static SampleBusinessSystem* sample_;
  mutable std::map<std::string, std::string> dataFiles_;
  static std::vector<std::tuple<std::string, int64_t, int64_t>> progress_;
};
test::TempDir* Sample::dir_ = nullptr;
SampleBusinessSystem* Sample::sample_ = nullptr;
std::vector<std::tuple<std::string, int64_t, int64_t>> Sample::progress_;

TEST_F(Sample, FilesLieWhereShareAccessLooksForThem) {
  const fs::path root = dir_->path() / "biz";
  EXPECT_EQ(s().root, root);
  for (const char* f : {"SRV/HBTSLNK/LINKSFILE", "SRV/HBTSLNK/ttymap", "SRV/HBTSLNK/D1/APDR", "SRV/HBTSLNK/D1/APDB",
                        "SRV/HBTSLNK/D1/INDR", "SRV/HBTSLNK/D1/INDB", "SRV/HBTSLNK/D1/LNDR", "SRV/HBTSLNK/D1/LNDB",
                        "SRV/HBTSLNK/D1/100231", "SRV/CatCon/HBT2RKT.TXT", "workstation/tmp/hBTCatalog.ini",
                        "workstation/config/r-kt/settings.ini", "workstation/config/velta/shares.conf"}) {
    EXPECT_TRUE(fs::is_regular_file(root / f)) << f;
  }
  EXPECT_EQ(s().environmentLines(),
            (std::vector<std::string>{"VELTA_UNC_ROOT=" + root.string(), "TMPDIR=" + (root / "workstation/tmp").string(),
                                      "XDG_CONFIG_HOME=" + (root / "workstation/config").string()}));
  EXPECT_EQ(s().shareMapLines()[0], "\\\\SRV\\HBTSLNK = " + (root / "SRV/HBTSLNK").string());

  // The share map written beside the settings serves the same files, in any letter case.
  ShareAccess shares;
  shares.configure({.mapFile = (root / "workstation/config/velta/shares.conf").string(), .root = ""});
  EXPECT_EQ(shares.readAll("\\\\srv\\hbtslnk\\d1\\apdr"), fileBytes(root / "SRV/HBTSLNK/D1/APDR"));
  EXPECT_EQ(shares.readAll("\\\\SRV\\CATCON\\HBT2RKT.TXT"), fileBytes(root / "SRV/CatCon/HBT2RKT.TXT"));
  ShareAccess rooted;
  rooted.configure({.mapFile = "", .root = root.string()});
  EXPECT_EQ(rooted.readAll(s().dealerPath("100232")), fileBytes(root / "SRV/HBTSLNK/D1/100232"));
}

TEST_F(Sample, LinksFileNamesEveryLogicalFileInColonNotation) {
  const std::string links = fileBytes(s().linkShare() / "LINKSFILE");
  ASSERT_EQ(links.size() % 160, 0u);
  std::map<std::string, std::string> byLink;
  for (std::size_t p = 0; p < links.size(); p += 160) {
    EXPECT_EQ(links[p], ' ');
    EXPECT_EQ(links[p + 80], ' ');
    byLink[trimmed(links.substr(p + 1, 79))] = trimmed(links.substr(p + 81, 79));
  }
  const std::map<std::string, std::string> expected{
      {":D1:VNDRI", ":D1:APDR"},  {":D1:VNDRL", ":D1:APDR"},  {":D1:VNDRNL", ":D1:APDR"},
      {":D1:PARTI", ":D1:INDR"},  {":D1:PARTL", ":D1:INDR"},  {":D1:LINEI", ":D1:LNDR"},
      {":D1:LINEL", ":D1:LNDR"},  {":D1:ELINEL", ":D1:LNDR"}, {":D1:COMODI", ":D1:LNDR"}};
  EXPECT_EQ(byLink, expected);
  EXPECT_EQ(links.size() / 160, expected.size());
}

TEST_F(Sample, DirectoryEntriesDescribeTheDataFiles) {
  struct Expected {
    const char* name;
    char type;
    int32_t recordLength;
  };
  const std::map<std::string, std::vector<Expected>> pairs{
      {"APDR", {{"VNDRI", 'I', 512}, {"VNDRL", 'L', 200}, {"VNDRNL", 'L', 64}}},
      {"INDR", {{"PARTI", 'I', 512}, {"PARTL", 'L', 200}}},
      {"LNDR", {{"LINEI", 'I', 512}, {"LINEL", 'L', 150}, {"ELINEL", 'L', 72}, {"COMODI", 'I', 512}}}};
  for (const auto& [directory, files] : pairs) {
    SCOPED_TRACE(directory);
    const std::string bytes = fileBytes(dealer(directory));
    ASSERT_EQ(bytes.size(), files.size() * 32);
    const std::string dataFile = directory.substr(0, 2) + "DB";
    const auto dataSize = static_cast<int64_t>(fs::file_size(dealer(dataFile)));
    int64_t nextFree = 1;  // block 0 of a data file is left empty
    for (std::size_t i = 0; i < files.size(); ++i) {
      const std::string e = bytes.substr(i * 32, 32);
      EXPECT_EQ(trimmed(e.substr(0, 10)), files[i].name);
      EXPECT_EQ(beU16(e, 6), 0u);  // Flags
      const int64_t position = beU24(e, 10);
      const int32_t recordLength = static_cast<int32_t>(beU16(e, 13));
      const int32_t lastRecord = beI32(e, 16);
      EXPECT_EQ(recordLength, files[i].recordLength);
      EXPECT_EQ(e[15], files[i].type);
      EXPECT_EQ(e.substr(20), std::string(12, '\0'));
      EXPECT_EQ(position, nextFree);
      nextFree = position + ((int64_t{lastRecord} + 1) * recordLength + 511) / 512;
      const SampleLogicalFile& f = s().logicalFile(files[i].name);
      EXPECT_EQ(f.entry.position, position);
      EXPECT_EQ(f.entry.lastRecord, lastRecord);
      EXPECT_EQ(f.directoryFile, "\\\\SRV\\HBTSLNK\\D1\\" + directory);
      EXPECT_EQ(f.dataFile, "\\\\SRV\\HBTSLNK\\D1\\" + dataFile);
      if (files[i].type == 'I') {
        // An index's LastRecord is its highest block, which its header repeats.
        const std::string data = fileBytes(f.localDataFile);
        EXPECT_EQ(beU16(data, static_cast<std::size_t>(position) * 512 + 4), static_cast<unsigned>(lastRecord));
      }
    }
    EXPECT_EQ(dataSize, nextFree * 512);
  }
}

TEST_F(Sample, IndexHeadersAndTrees) {
  struct Expected {
    const char* name;
    unsigned keyLength;
    int depth;
  };
  for (const Expected& x : {Expected{"VNDRI", 4, 1}, Expected{"LINEI", 2, 1}, Expected{"COMODI", 4, 1},
                            Expected{"PARTI", 14, 3}}) {
    SCOPED_TRACE(x.name);
    const SampleLogicalFile& f = s().logicalFile(x.name);
    const std::string header = test::indexBlocks(f.localDataFile.string(), f.entry.position, 1)[0];
    const unsigned e = x.keyLength + 4;
    EXPECT_EQ(beU16(header, 0), e);
    EXPECT_EQ(beU16(header, 2), 508 / e);
    EXPECT_EQ(beU16(header, 10), 508 / e);  // fill target of a blocking factor of 100
    EXPECT_EQ(beU16(header, 12), 0u);       // no duplicate keys
    EXPECT_EQ(header.substr(14), std::string(498, '\0'));
    const auto w = walk(x.name);
    EXPECT_TRUE(w.problems.empty()) << w.problems.front();
    EXPECT_EQ(w.depth, x.depth);
  }
}

TEST_F(Sample, VendorIndexAndRecords) {
  const auto index = entries("VNDRI");
  ASSERT_EQ(index.size(), s().catalog.vendors.size());
  for (std::size_t i = 0; i < index.size(); ++i) {
    const SampleVendor& v = s().catalog.vendors[i];  // in vendor-number order, as the keys
    EXPECT_EQ(beI32(index[i].first, 0), v.VENDOR_NUMBER);
    EXPECT_EQ(index[i].second, v.record);
    const std::string r = record("VNDRL", v.record);
    EXPECT_GE(beI16(r, 0), 1);
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 2)), v.VENDOR_NUMBER);
    EXPECT_EQ(static_cast<unsigned char>(r[4]), v.optionBits);
    EXPECT_EQ(rtrim(plainUcm(r.substr(5, 20))), v.VENDOR_NAME);
    EXPECT_EQ(rtrim(plainUcm(r.substr(45, 20))), v.ADDRESS_2);
    EXPECT_EQ(rtrim(plainUcm(r.substr(85, 8))), v.DEALER_ACCOUNT);
    EXPECT_EQ(beI32(r, 97), v.ytdDollarsCents);
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 115)), dayNumber(v.DATE_LAST_EOD_PO));
    EXPECT_EQ(static_cast<unsigned char>(r[122]), v.LAST_LEAD_TIME[5]);
    EXPECT_EQ(rtrim(r.substr(139, 7)), v.TRNET_SUPPLIER_CODE);
    EXPECT_EQ(rtrim(plainUcm(r.substr(171, 10))), v.POWER_EDI_ID_NUMBER);
    EXPECT_EQ(beI32(r, 181), v.AP_VENDOR);
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 186)), v.inquiryPort);
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 188)), v.orderPort);
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 190)), v.statusPort);
    EXPECT_EQ(rtrim(plainUcm(r.substr(192, 8))), v.subAccount);
  }
  const SampleVendor& d = s().catalog.distributor();
  EXPECT_EQ(d.POWER_EDI_ID_NUMBER, "127.0.0.1");
  EXPECT_EQ(d.DEALER_ACCOUNT, "104233");
  EXPECT_EQ(d.subAccount, "A7");
  EXPECT_EQ(d.orderPort, 12100);
  EXPECT_EQ(d.statusPort, 12103);
  EXPECT_EQ(d.inquiryPort, 12106);
  const std::string raw = record("VNDRL", d.record);
  EXPECT_EQ(raw.substr(171, 10), test::hexBytes("203b 1363 197d 0000 0000"));  // "127" ".0." "0.1", blanks
  // A vendor whose ports are left to the defaults, and one without a sub account.
  const auto zeroPorts = std::count_if(s().catalog.vendors.begin(), s().catalog.vendors.end(), [](const auto& v) {
    return !v.POWER_EDI_ID_NUMBER.empty() && v.orderPort == 0 && v.statusPort == 0 && v.subAccount.empty();
  });
  EXPECT_GE(zeroPorts, 1);
}

// Record zero, the free list and the records in use of every record file.
TEST_F(Sample, RecordFilesCarryTheirHeadersAndFreeLists) {
  struct Expected {
    const char* name;
    std::vector<int32_t> deletedInOrder;
    int32_t highestUsed;
    bool status;
  };
  const auto& c = s().catalog;
  for (const Expected& x : {Expected{"VNDRL", c.deletedVendorRecords, 14, true},
                            Expected{"LINEL", c.deletedLineRecords, 10, true},
                            Expected{"ELINEL", c.deletedLineRecords, 10, false},
                            Expected{"VNDRNL", {}, 0, true},
                            Expected{"PARTL", c.parts.deletedRecords(), c.parts.highestUsed(), true}}) {
    SCOPED_TRACE(x.name);
    const int32_t last = s().logicalFile(x.name).entry.lastRecord;
    const std::string zero = record(x.name, 0);
    EXPECT_EQ(beI16(zero, 0), -2);
    EXPECT_EQ(beI32(zero, 6), x.highestUsed);
    EXPECT_EQ(beI32(zero, 10), x.highestUsed - static_cast<int32_t>(x.deletedInOrder.size()));
    EXPECT_EQ(zero.substr(14), std::string(zero.size() - 14, '\0'));
    EXPECT_GT(last, x.highestUsed);
    // The free list, followed from the head, runs from the last deleted to the first.
    std::vector<int32_t> chain;
    for (int32_t r = beI32(zero, 2); r > 0 && chain.size() < 10; r = beI32(record(x.name, r), 2)) {
      chain.push_back(r);
      const std::string deleted = record(x.name, r);
      EXPECT_EQ(deleted.substr(0, 2), std::string(2, '\0'));
      EXPECT_EQ(deleted.substr(6), std::string(deleted.size() - 6, '\0'));
    }
    EXPECT_EQ(chain, std::vector<int32_t>(x.deletedInOrder.rbegin(), x.deletedInOrder.rend()));
    const std::set<int32_t> deleted(x.deletedInOrder.begin(), x.deletedInOrder.end());
    for (int32_t r = 1; r <= x.highestUsed && r < 200; ++r) {
      if (x.status && !deleted.count(r)) {
        EXPECT_GE(beI16(record(x.name, r), 0), 1) << r;
      }
    }
    if (x.highestUsed < last) {
      const std::string unused = record(x.name, last);
      EXPECT_EQ(unused, std::string(unused.size(), '\0'));
    }
  }
}

TEST_F(Sample, ProductLinesSplitOverTwoFiles) {
  const auto index = entries("LINEI");
  ASSERT_EQ(index.size(), s().catalog.lines.size());
  for (std::size_t i = 0; i < index.size(); ++i) {
    const SampleLine& l = s().catalog.lines[i];
    EXPECT_EQ(static_cast<int32_t>(beU16(index[i].first, 0)), l.Line);
    EXPECT_EQ(index[i].second, l.record);
    const std::string r = record("LINEL", l.record) + record("ELINEL", l.record);
    ASSERT_EQ(r.size(), 222u);
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 2)), l.Line);
    EXPECT_EQ(plainUcm(r.substr(4, 2)), l.Alpha_Line);
    EXPECT_EQ(rtrim(plainUcm(r.substr(6, 20))), l.Line_Name);
    EXPECT_EQ(r[27], l.Comodity);
    EXPECT_EQ(beI32(r, 98), l.storedYtdSalesCents);
    EXPECT_EQ(r[123], l.reCalculateMax);
    EXPECT_EQ(r[141], l.lineType);
    EXPECT_EQ(beI32(r, 147), l.A_P_Vendor);  // across the two files
    EXPECT_EQ(beI16(r, 151), l.MTD_Items_Ordered);
    EXPECT_EQ(beI24(r, 155), l.MTD_Pieces_Ordered);
    EXPECT_EQ(beI32(r, 192), l.Primary_Vendor);
    EXPECT_EQ(r.substr(202, 2), l.Seas_ReOrder_Codes.substr(0, 2));
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 204)), dayNumber(l.Seas_Date_Last_Gen));
    EXPECT_EQ(beI32(r, 206), l.EOM_Mdse_Cost);  // over the codes' fifth character
    EXPECT_EQ(beI32(r, 218), l.EOY_Freight_Cost);
  }
  // The cases a reader of the line record must get right are present.
  auto has = [&](auto pred) { return std::any_of(s().catalog.lines.begin(), s().catalog.lines.end(), pred); };
  EXPECT_TRUE(has([](const SampleLine& l) { return l.Line >= 1000; }));
  EXPECT_TRUE(has([](const SampleLine& l) { return l.lineType != 'P' && l.lineType != 'U' && l.lineType != 'R'; }));
  EXPECT_TRUE(has([](const SampleLine& l) { return l.reCalculateMax == 'y'; }));
}

TEST_F(Sample, CommodityKeysListEachLinesCodes) {
  std::vector<std::pair<std::string, int32_t>> expected;
  for (const SampleLine& l : s().catalog.lines) {
    for (char code : l.comodiCodes) {
      std::string key{static_cast<char>(l.Line >> 8), static_cast<char>(l.Line & 0xFF), code, '\0'};
      expected.emplace_back(key, l.record);
    }
    EXPECT_NE(l.comodiCodes.find(l.Comodity), std::string::npos) << l.Line;
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries("COMODI"), expected);
}

TEST_F(Sample, PartIndexAndRecords) {
  const PartCatalog& parts = s().catalog.parts;
  ASSERT_EQ(parts.count(), 3000);
  const auto index = entries("PARTI");
  ASSERT_EQ(static_cast<int64_t>(index.size()), parts.count());
  std::set<int32_t> records;
  for (int64_t i = 0; i < parts.count(); ++i) {
    const SamplePart p = parts.part(i);
    ASSERT_EQ(index[static_cast<std::size_t>(i)].first, p.key()) << i;
    ASSERT_EQ(index[static_cast<std::size_t>(i)].second, p.record) << i;
    ASSERT_EQ(parts.indexOfRecord(p.record), i);
    records.insert(p.record);
  }
  EXPECT_EQ(static_cast<int64_t>(records.size()), parts.count());
  for (int32_t d : parts.deletedRecords()) EXPECT_FALSE(records.count(d) || parts.indexOfRecord(d));

  for (int64_t i : {int64_t{0}, int64_t{1}, int64_t{1234}, parts.count() - 1}) {
    const SamplePart p = parts.part(i);
    const std::string r = record("PARTL", p.record);
    EXPECT_EQ(static_cast<int32_t>(beU16(r, 2)), p.line);
    const std::string full = plainUcm(r.substr(4, 14));
    EXPECT_EQ(rtrim(full.substr(0, 18)), p.number);
    EXPECT_EQ(full.substr(18), p.mask);
    EXPECT_EQ(r.substr(2, 14), p.key());  // line and part number, as "PARTI" keys them
    EXPECT_EQ(static_cast<int32_t>(beU24(r, 60)), p.costCents);
    EXPECT_EQ(rtrim(plainUcm(r.substr(178, 14))), p.description);
  }
  // Descriptions with commas and part numbers with dashes are among them.
  const SamplePart fuel = parts.part(parts.count() / 8 / 3 + 1);
  EXPECT_EQ(fuel.description, "FUEL FILTER, INLINE");
  EXPECT_EQ(fuel.mask, "3  ");
  EXPECT_EQ(rtrim(fuel.dashed()), fuel.number.substr(0, 2) + "-" + fuel.number.substr(2));
}

TEST_F(Sample, PurchaseOrdersAsTheOrderControlReadsThem) {
  const auto partIndex = entries("PARTI");
  std::map<std::string, int32_t> partKeys(partIndex.begin(), partIndex.end());
  bool sawTransmitted = false, sawOpen = false, sawMissing = false, sawZeroCost = false, sawOtherKind = false;
  for (const SamplePurchaseOrder& po : s().catalog.purchaseOrders) {
    SCOPED_TRACE(po.name);
    const std::string bytes = fileBytes(dealer(po.name));
    ASSERT_EQ(bytes.size(), 38 * (7 + po.lines.size()));
    auto rec = [&](std::size_t n) { return bytes.substr(n * 38, 38); };
    EXPECT_EQ(beI16(rec(0), 0), -2);
    const std::string head = rec(1);
    EXPECT_EQ(static_cast<int32_t>(beU16(head, 10)), po.vendor);
    EXPECT_EQ(beI32(head, 16), po.dropShip);
    EXPECT_EQ((static_cast<unsigned char>(head[32]) & 128) != 0, po.transmitted());
    for (std::size_t c = 0; c < 4; ++c) EXPECT_EQ(rtrim(plainUcm(rec(2 + c).substr(2, 35))), po.comments[c]);
    EXPECT_EQ(beI32(rec(6), 21), po.totalCents());
    int32_t total = 0;
    for (std::size_t k = 0; k < po.lines.size(); ++k) {
      const SamplePoLine& line = po.lines[k];
      const std::string r = rec(7 + k);
      EXPECT_EQ(beI16(r, 0), static_cast<int>(line.kind));
      if (line.kind != PoLineKind::Part) {
        sawOtherKind = true;
        total += line.quantity * line.costCents;
        continue;
      }
      EXPECT_EQ(static_cast<int32_t>(beU16(r, 2)), line.line);
      EXPECT_EQ(r.substr(2, 14), line.partKey());
      EXPECT_EQ(beI24(r, 17), line.quantity);
      EXPECT_EQ(static_cast<int32_t>(beU24(r, 32)), line.costCents);
      const auto found = partKeys.find(r.substr(2, 14));
      EXPECT_EQ(found != partKeys.end(), line.inPartFile);
      int32_t cost = line.costCents;
      if (found != partKeys.end() && cost == 0) {
        cost = static_cast<int32_t>(beU24(record("PARTL", found->second), 60));
        EXPECT_EQ(cost, line.effectiveCostCents());
      }
      total += line.quantity * cost;
      sawMissing |= !line.inPartFile;
      sawZeroCost |= line.costCents == 0;
    }
    EXPECT_EQ(total, po.totalCents());
    (po.transmitted() ? sawTransmitted : sawOpen) = true;
  }
  EXPECT_TRUE(sawTransmitted && sawOpen && sawMissing && sawZeroCost && sawOtherKind);
  EXPECT_EQ(s().catalog.vendor(s().catalog.purchaseOrder("100235")->vendor), nullptr);  // vendor not on file
}

TEST_F(Sample, TerminalMapAndSettingsFiles) {
  const std::string ttymap = fileBytes(s().linkShare() / "ttymap");
  EXPECT_NE(ttymap.find("\nCOUNTER-3 7,"), std::string::npos);
  EXPECT_NE(ttymap.find("\nSHIPPING\n"), std::string::npos);

  const std::string ini = fileBytes(s().tmpDir() / "hBTCatalog.ini");
  const std::string section = ini.substr(ini.find("[xQ-Depot]\r\n"));
  for (const char* line : {"Server=SRV\r\n", "DataShare=HBTSLNK\r\n", "CatalogShare=CatCon\r\n", "Directory=D1\r\n",
                           "TerminalID=7\r\n", "CustomerNumber=104233\r\n"}) {
    EXPECT_NE(section.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(fileBytes(s().configHome() / "r-kt/settings.ini"), "[Dealer\\Settings\\Connection]\nHost=SRV\n");
}

TEST_F(Sample, LineCodeMapCoversTheProductLines) {
  const std::string text = fileBytes(s().catalogShare() / "HBT2RKT.TXT");
  EXPECT_NE(text.find('\t'), std::string::npos);
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_NE(text.find("\n'"), std::string::npos);  // a line that is a comment only
  // Read as the map's rules say: code part before the apostrophe, two codes.
  std::map<std::string, std::string> hbtToRkt;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const auto apostrophe = line.find('\'');
    if (apostrophe == std::string::npos) continue;
    std::istringstream codes(line.substr(0, apostrophe));
    std::vector<std::string> parts;
    for (std::string c; codes >> c;) {
      std::transform(c.begin(), c.end(), c.begin(), [](unsigned char ch) { return std::toupper(ch); });
      parts.push_back(c);
    }
    if (parts.size() == 2) hbtToRkt.emplace(parts[1], parts[0]);
  }
  int mapped = 0;
  for (const SampleLine& l : s().catalog.lines) {
    if (l.rktCode.empty()) {
      EXPECT_EQ(hbtToRkt.count(l.Alpha_Line), 0u);
      continue;
    }
    EXPECT_EQ(hbtToRkt[l.Alpha_Line], l.rktCode);
    ++mapped;
  }
  EXPECT_EQ(hbtToRkt.size(), static_cast<std::size_t>(mapped) + 1);  // and the unused code
  EXPECT_EQ(hbtToRkt[std::string(kUnusedHbtCode)], kUnusedRktCode);
}

TEST_F(Sample, ProgressReachesTheEndOfEachStage) {
  ASSERT_FALSE(progress_.empty());
  EXPECT_EQ(progress_.front(), std::make_tuple(std::string("PARTI"), int64_t{3000}, int64_t{3000}));
  const int64_t records = s().catalog.parts.highestUsed() + 1;
  EXPECT_EQ(progress_.back(), std::make_tuple(std::string("PARTL"), records, records));
}

TEST(SampleOptionsTest, OtherNamesAndRefusals) {
  test::TempDir dir;
  SampleOptions options;
  options.server = "BIZ";
  options.directory = "STORE7";
  options.parts = PartCatalog::kMinimumParts;
  options.writePartRecords = false;
  const SampleBusinessSystem s = writeSampleBusinessSystem(dir.path(), options);
  EXPECT_TRUE(fs::is_regular_file(dir.path() / "BIZ/HBTSLNK/STORE7/APDR"));
  EXPECT_EQ(s.logicalFile("PARTI").link, ":STORE7:PARTI");
  EXPECT_EQ(s.logicalFile("PARTL").dataFile, "\\\\BIZ\\HBTSLNK\\STORE7\\INDB");
  EXPECT_NE(fileBytes(dir.path() / "BIZ/HBTSLNK/LINKSFILE").find(":STORE7:VNDRI"), std::string::npos);
  EXPECT_NE(fileBytes(dir.path() / "workstation/tmp/hBTCatalog.ini").find("Server=BIZ\r\nDataShare"),
            std::string::npos);
  // Index only: the part records read as NUL, record zero still counts them.
  const SampleLogicalFile& partl = s.logicalFile("PARTL");
  const std::string data = fileBytes(partl.localDataFile);
  const auto at = static_cast<std::size_t>(partl.entry.position) * 512;
  EXPECT_EQ(beI32(data, at + 6), s.catalog.parts.highestUsed());
  EXPECT_EQ(data.substr(at + 200, 200 * 10), std::string(2000, '\0'));
  EXPECT_EQ(data.size(), (static_cast<std::size_t>(partl.entry.position) + partl.entry.blocks) * 512);

  auto refused = [&](SampleOptions o) {
    try {
      checkSampleOptions(o);
    } catch (const std::exception& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  SampleOptions bad;
  bad.server = "WorkStation";
  EXPECT_EQ(refused(bad), "server \"WorkStation\" would share its folder with the workstation's files");
  bad = {};
  bad.directory = "D1:X";
  EXPECT_EQ(refused(bad), "directory \"D1:X\" cannot be used as a name");
  bad = {};
  bad.server = "..";
  EXPECT_EQ(refused(bad), "server \"..\" cannot be used as a name");
  bad = {};
  bad.parts = 23;
  EXPECT_EQ(refused(bad), "the sample needs at least 24 parts, not 23");
  bad = {};
  bad.parts = 1800000;
  EXPECT_EQ(refused(bad), "an index of 1800000 keys would need 66668 nodes; 16-bit block numbers allow at most 65534");
  bad = {};
  bad.parts = 1000000;
  EXPECT_EQ(refused(bad), "no error");
}

// Part numbers in key order for any count: the index builder refuses disorder.
TEST(PartCatalogTest, KeysAscendAndRecordsAreAShuffle) {
  for (int64_t n : {int64_t{24}, int64_t{25}, int64_t{97}, int64_t{5000}}) {
    const PartCatalog parts(n);
    std::string previous;
    std::set<int32_t> records;
    for (int64_t i = 0; i < n; ++i) {
      const SamplePart p = parts.part(i);
      ASSERT_GT(p.key(), previous) << n << " " << i;
      previous = p.key();
      ASSERT_LE(p.number.size(), 18u);
      ASSERT_LE(p.description.size(), 21u);
      records.insert(p.record);
      ASSERT_EQ(parts.indexOfRecord(p.record), i);
    }
    EXPECT_EQ(static_cast<int64_t>(records.size()), n);
    EXPECT_EQ(*records.rbegin(), parts.highestUsed());
    EXPECT_EQ(parts.highestUsed(), n + 3);
  }
  EXPECT_THROW(PartCatalog(23), std::invalid_argument);
}

}  // namespace
}  // namespace velta::sample
