// Loading a purchase order as the order control shows it: the sample's orders
// (expected rows built from the sample's own facts), and orders written byte
// by byte here for the edge cases (mask, 64-bit extended cost, line kinds,
// inexact product lines, unsafe names, a missing part file).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "engine/cOpenFile.h"
#include "order/PurchaseOrderLoader.h"
#include "platform/ShareAccess.h"
#include "records/SiteOverrides.h"
#include "support/EngineErrorMatch.h"
#include "support/ScopedEnvironment.h"
#include "support/TempBusinessSystem.h"
#include "support/TempDir.h"
#include "tools/sample/LinksFile.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

using sample::PoLineKind;
using sample::SampleBusinessSystem;
using sample::SamplePoLine;
using sample::SamplePurchaseOrder;

// What the loader showed, and in which order.
struct RecordedView : PurchaseOrderView {
  std::vector<std::string> calls;
  std::vector<std::string> rows;
  std::map<int, std::string> headers;
  std::string ports = "(unset)";
  bool dropShip = false;
  bool submit = true, status = true;
  bool repaint = true;

  void clearRows() override {
    calls.push_back("clearRows");
    rows.clear();
  }
  void setRepaint(bool on) override {
    calls.push_back(on ? "repaint on" : "repaint off");
    repaint = on;
  }
  void setActions(bool s, bool t) override {
    calls.push_back("actions " + std::to_string(s) + std::to_string(t));
    submit = s;
    status = t;
  }
  void showHeader(int index, const std::string& text) override {
    calls.push_back("header " + std::to_string(index));
    headers[index] = text;
  }
  void showPorts(const std::string& text) override {
    calls.push_back("ports");
    ports = text;
  }
  void showDropShip(bool on) override {
    calls.push_back("dropShip");
    dropShip = on;
  }
  void addRow(const std::string& tabText) override {
    calls.push_back("row");
    rows.push_back(tabText);
  }
};

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

// Compressed text written here with its own code: three alphabet indexes a word.
std::string compressed(std::string_view text, std::size_t bytes) {
  static const std::string alphabet = " ,/.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string out;
  std::string t(text);
  t.resize((bytes / 2) * 3, ' ');
  for (std::size_t i = 0; i + 2 < t.size(); i += 3) {
    int word = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const auto at = alphabet.find(t[i + k]);
      word = word * 40 + static_cast<int>(at == std::string::npos ? 0 : at);
    }
    out += test::bigEndian(word, 2);
  }
  out.resize(bytes, '\0');
  return out;
}

void put(std::string& record, int position, std::string_view bytes) {
  record.replace(static_cast<std::size_t>(position - 1), bytes.size(), bytes);
}

// One purchase-order file, byte by byte.
struct PoFile {
  int vendor = 1207;
  int status = 0;
  int32_t dropShip = 0;
  std::array<std::string, 4> comments;  // raw 35 bytes each when set
  int32_t totalCents = 0;
  std::vector<std::string> lines;       // 38-byte records 7 on

  std::string bytes() const {
    std::string file(38, '\0');  // record 0: never read by the loader
    std::string head(38, '\0');
    put(head, 1, test::bigEndian(1, 2));
    put(head, 11, test::bigEndian(vendor, 2));
    put(head, 17, test::bigEndian(dropShip, 4));
    put(head, 33, test::bigEndian(status, 1));
    file += head;
    for (const std::string& c : comments) {
      std::string r(38, '\0');
      put(r, 1, test::bigEndian(1, 2));
      put(r, 3, c.empty() ? std::string(35, '\0') : c);
      file += r;
    }
    std::string totals(38, '\0');
    put(totals, 22, test::bigEndian(totalCents, 4));
    file += totals;
    for (const std::string& l : lines) file += l;
    return file;
  }
};

// A line record: kind, the 14-byte part key (line + compressed number), quantity, cost.
std::string lineRecord(int kind, const std::string& key, int32_t quantity, int32_t costCents) {
  std::string r(38, '\0');
  put(r, 1, test::bigEndian(kind, 2));
  put(r, 3, key);
  put(r, 18, test::bigEndian(quantity, 3));
  put(r, 33, test::bigEndian(costCents, 3));
  return r;
}
std::string keyOf(int line, std::string_view number) { return test::bigEndian(line, 2) + compressed(number, 12); }

class PurchaseOrderLoaderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir();
    sample::SampleOptions options;
    options.parts = 200;
    sample_ = new SampleBusinessSystem(sample::writeSampleBusinessSystem(dir_->path(), options));
  }
  static void TearDownTestSuite() {
    delete sample_;
    delete dir_;
  }

  PurchaseOrderLoaderTest() : env_({{"TMPDIR", sample_->tmpDir().string()}}) { startEngine(); }
  ~PurchaseOrderLoaderTest() override {
    engineState().engine.reset();
    shareAccess().configure({std::string(), std::string()});
  }

  void startEngine() {
    SiteOverrides o;
    o.root = sample_->root.string();
    configureShares(o);
    ASSERT_EQ(openSite(o), SiteSource::SettingsFile);
    ASSERT_NE(engineState().engine, nullptr);
  }

  PurchaseOrderLoader::Result load(const std::string& number) {
    PurchaseOrderLoader loader(engineState().engine, view, connection);
    return loader.load(number);
  }

  // Writes a purchase-order file into the dealer directory.
  void writeOrder(const std::string& name, const PoFile& po) const {
    std::ofstream out(sample_->linkShare() / sample_->directory / name, std::ios::binary | std::ios::trunc);
    const std::string bytes = po.bytes();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  static const SampleBusinessSystem& s() { return *sample_; }
  static const SamplePurchaseOrder& order(std::string_view name) { return *s().catalog.purchaseOrder(name); }

  // The row the order control shows for a part line, from the sample's facts.
  static std::string expectedRow(int item, const SamplePoLine& line) {
    std::string part, description;
    int64_t cost = line.costCents;
    if (line.inPartFile) {
      const auto& parts = s().catalog.parts;
      for (int64_t i = 0; i < parts.count(); ++i) {
        const auto p = parts.part(i);
        if (p.line != line.line || p.number != line.partNumber) continue;
        part = p.dashed();
        description = padded(p.description, 21);
        std::replace(description.begin(), description.end(), ',', ' ');
        if (cost == 0) cost = p.costCents;
      }
    } else {
      part = padded(line.partNumber, 18);
      description = "Part Not Found";
    }
    const std::string code = padded(s().catalog.line(line.line)->Alpha_Line, 3);
    return std::to_string(item) + "\t" + code + "\t" + part + "\t" + description + "\t" +
           std::to_string(line.quantity) + "\t" + Format(Fixed::cents(cost), "#####.00") + "\t" +
           Format(Fixed::cents(cost * line.quantity), "#####.00");
  }
  static std::vector<std::string> expectedRows(const SamplePurchaseOrder& po) {
    std::vector<std::string> rows;
    for (const SamplePoLine& line : po.lines) {
      if (line.kind == PoLineKind::Part) rows.push_back(expectedRow(static_cast<int>(rows.size()) + 1, line));
    }
    return rows;
  }

  RecordedView view;
  DistributorConnection connection;

 private:
  test::ScopedEnvironment env_;
  static test::TempDir* dir_;
  static SampleBusinessSystem* sample_;
};

test::TempDir* PurchaseOrderLoaderTest::dir_ = nullptr;
SampleBusinessSystem* PurchaseOrderLoaderTest::sample_ = nullptr;

struct SampleOrderCase {
  const char* name;
  bool submit, status;
  bool dropShip;
  const char* vendor;
  const char* account;
  const char* ports;
};

class SampleOrders : public PurchaseOrderLoaderTest, public ::testing::WithParamInterface<SampleOrderCase> {};

TEST_P(SampleOrders, ShowHeaderRowsAndActions) {
  const SampleOrderCase& c = GetParam();
  const SamplePurchaseOrder& po = order(c.name);
  const auto result = load(c.name);
  ASSERT_TRUE(result.opened);
  EXPECT_EQ(result.fileName, "\\\\SRV\\HBTSLNK\\D1\\" + std::string(c.name));
  EXPECT_EQ(view.submit, c.submit);
  EXPECT_EQ(view.status, c.status);
  EXPECT_EQ(view.dropShip, c.dropShip);
  EXPECT_EQ(view.headers[kVendorHeader], std::string(c.vendor) == "Vendor not found" ? c.vendor : padded(c.vendor, 30));
  EXPECT_EQ(view.headers[kAccountHeader], c.account);
  EXPECT_EQ(view.ports, c.ports);
  EXPECT_EQ(view.headers[kTotalHeader], Format(Fixed::cents(po.totalCents()), "#######0.00"));
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(view.headers[kFirstCommentHeader + k], padded(po.comments[static_cast<std::size_t>(k)], 54)) << k;
  }
  EXPECT_EQ(view.rows, expectedRows(po));
  EXPECT_TRUE(view.repaint);
  EXPECT_EQ(view.calls.front(), "clearRows");
  EXPECT_EQ(view.calls[1], "repaint off");
  EXPECT_EQ(view.calls.back(), "header 0");  // the vendor's name comes last
  // The file is closed again.
  EXPECT_EQ(engineState().openFiles->Find(result.fileName), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Sample, SampleOrders,
    ::testing::Values(
        SampleOrderCase{"100231", true, false, false, "NORTHERN PARTS DISTRIBUTION", "104233/A7",
                        "Using ports... 12100 - 12103"},
        SampleOrderCase{"100232", false, true, false, "NORTHERN PARTS DISTRIBUTION", "104233/A7",
                        "Using ports... 12100 - 12103"},
        SampleOrderCase{"100233", true, false, false, "NORTHERN PARTS DISTRIBUTION", "104233/A7",
                        "Using ports... 12100 - 12103"},
        SampleOrderCase{"100234", true, false, true, "PARTSNET WHOLESALE", "PN5512",
                        "Using ports... 12000 - 12003"},
        SampleOrderCase{"100235", false, false, false, "Vendor not found", "", ""},
        SampleOrderCase{"100236", true, false, false, "SUMMIT CHEMICAL, INC.", "SC 1180",
                        "Using ports... 12000 - 12003"},
        SampleOrderCase{"100237", true, false, false, "VALLEY BRAKE AND CLUTCH", "VB 77120",
                        "Using ports... 12000 - 12003"},
        SampleOrderCase{"100238", true, false, false, "NORTHERN PARTS DISTRIBUTION", "104233/A7",
                        "Using ports... 12100 - 12103"},
        SampleOrderCase{"100239", true, false, false, "NORTHERN PARTS DISTRIBUTION", "104233/A7",
                        "Using ports... 12100 - 12103"}),
    [](const auto& info) { return std::string("PO") + info.param.name; });

// The exact rows of the orders that the checks name, written out.
TEST_F(PurchaseOrderLoaderTest, MaskFortySevenAndATotalOf1234567Cents) {
  ASSERT_TRUE(load("100236").opened);
  ASSERT_EQ(view.rows.size(), 1u);
  EXPECT_EQ(view.rows[0], "1\tCHM\t123-45-678          \tBRAKE FLUID  DOT 3   \t127\t97.21\t12345.67");
  EXPECT_EQ(view.headers[kTotalHeader], "12345.67");
  EXPECT_EQ(view.headers[kHostHeader], "               ");  // no host: 15 blanks, as the field expands
}

TEST_F(PurchaseOrderLoaderTest, PartsNotFoundKeepTheLineRecordsNumberAndCost) {
  ASSERT_TRUE(load("100233").opened);
  ASSERT_EQ(view.rows.size(), 4u);  // the freight line adds no row
  EXPECT_EQ(view.rows[0], "1\tFLT\tZZ9999            \tPart Not Found\t2\t12.50\t25.00");
  EXPECT_EQ(view.rows[1], "2\tBRK\tQX0001            \tPart Not Found\t1\t.00\t.00");
  EXPECT_EQ(view.rows[2].substr(0, 2), "3\t");
  EXPECT_EQ(view.rows[3].substr(0, 2), "4\t");
}

TEST_F(PurchaseOrderLoaderTest, ReturnsShowTheMinusInFront) {
  ASSERT_TRUE(load("100237").opened);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_TRUE(view.rows[0].ends_with("\t-1\t.05\t-.05")) << view.rows[0];
  EXPECT_TRUE(view.rows[1].ends_with("\t-2\t6.25\t-12.50")) << view.rows[1];
  EXPECT_EQ(view.headers[kTotalHeader], "-12.55");
}

TEST_F(PurchaseOrderLoaderTest, AnOrderWithoutPartsHasNoRowsAndTotalZero) {
  ASSERT_TRUE(load("100238").opened);
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(view.headers[kTotalHeader], "0.00");
}

TEST_F(PurchaseOrderLoaderTest, TheDistributorsConnectionComesFromItsVendorRecord) {
  ASSERT_TRUE(load("100231").opened);
  EXPECT_EQ(connection.dealerAccount, "104233");
  EXPECT_EQ(connection.subAccount, "A7");
  // The host keeps the blanks its compressed field expands to.
  EXPECT_EQ(connection.hostAddress, "127.0.0.1      ");
  EXPECT_EQ(view.headers[kHostHeader], "127.0.0.1      ");
  EXPECT_EQ(connection.orderPort, 12100);
  EXPECT_EQ(connection.statusPort, 12103);
  // The exchange's texts name the distributor by it.
  EXPECT_EQ(connection.vendorNumber, 1207);
}

TEST_F(PurchaseOrderLoaderTest, PortsZeroMeanTheDefaultsAndABlankSubAccountNoSlash) {
  ASSERT_TRUE(load("100234").opened);
  EXPECT_EQ(connection.orderPort, 12000);
  EXPECT_EQ(connection.statusPort, 12003);
  EXPECT_EQ(view.ports, "Using ports... 12000 - 12003");
  EXPECT_EQ(connection.subAccount, "");
  EXPECT_EQ(view.headers[kAccountHeader], "PN5512");
  EXPECT_EQ(connection.hostAddress, "10.20.30.40    ");
  EXPECT_EQ(connection.vendorNumber, 3300);
}

TEST_F(PurchaseOrderLoaderTest, AVendorNotFoundAfterAnotherOrderClearsTheConnection) {
  ASSERT_TRUE(load("100231").opened);
  ASSERT_EQ(connection.orderPort, 12100);
  view.calls.clear();
  ASSERT_TRUE(load("100235").opened);
  EXPECT_EQ(connection, DistributorConnection{});
  EXPECT_EQ(view.headers[kAccountHeader], "");
  EXPECT_EQ(view.headers[kHostHeader], "");
  EXPECT_EQ(view.ports, "");
  EXPECT_FALSE(view.submit);
  EXPECT_FALSE(view.status);
  EXPECT_EQ(view.headers[kVendorHeader], "Vendor not found");
  EXPECT_EQ(view.rows.size(), 1u);  // the order still loads
}

TEST_F(PurchaseOrderLoaderTest, AMissingFileOpensNothingAndShowsOnlyTheClearedGrid) {
  view.rows.push_back("left from before");
  const auto result = load("999999");
  EXPECT_FALSE(result.opened);
  EXPECT_EQ(result.fileName, "\\\\SRV\\HBTSLNK\\D1\\999999");  // as the engine left it
  EXPECT_EQ(view.calls, (std::vector<std::string>{"clearRows", "repaint off"}));
}

TEST_F(PurchaseOrderLoaderTest, TrailingBlanksAndControlCharactersOfTheNumberAreCut) {
  const auto result = load(std::string("100232  \0\t\r\n", 12));
  ASSERT_TRUE(result.opened);
  EXPECT_EQ(result.fileName, "\\\\SRV\\HBTSLNK\\D1\\100232");
  EXPECT_TRUE(view.status);
}

struct UnsafeCase {
  std::string number;
  std::string shownName;
};

class UnsafeNumbers : public PurchaseOrderLoaderTest, public ::testing::WithParamInterface<UnsafeCase> {};

TEST_P(UnsafeNumbers, OpenNothingOutsideTheDealerDirectory) {
  // Another dealer's order lies beside ours: none of these may reach it.
  std::filesystem::create_directories(s().linkShare() / "D2");
  std::filesystem::copy_file(s().linkShare() / "D1" / "100231", s().linkShare() / "D2" / "100231",
                             std::filesystem::copy_options::overwrite_existing);
  const int32_t before = engineState().openFiles->Count();
  const auto result = load(GetParam().number);
  EXPECT_FALSE(result.opened);
  EXPECT_EQ(result.fileName, GetParam().shownName);
  EXPECT_EQ(engineState().openFiles->Count(), before);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"clearRows", "repaint off"}));
}

INSTANTIATE_TEST_SUITE_P(
    Names, UnsafeNumbers,
    ::testing::Values(UnsafeCase{"..\\D2\\100231", "..\\D2\\100231"}, UnsafeCase{"../D2/100231", "../D2/100231"},
                      UnsafeCase{"\\\\SRV\\HBTSLNK\\D2\\100231", "\\\\SRV\\HBTSLNK\\D2\\100231"},
                      UnsafeCase{"..", ".."}, UnsafeCase{"100..231", "100..231"}, UnsafeCase{"D2/100231", "D2/100231"},
                      UnsafeCase{std::string("10\x01" "0231"), std::string("10\x01" "0231")},
                      UnsafeCase{"1002\t31", "1002\t31"}, UnsafeCase{"1002\x7f" "31", "1002\x7f" "31"},
                      UnsafeCase{"", ""}, UnsafeCase{"   ", ""}));

TEST(PlainFileName, AcceptsOrderNumbersAndRefusesPaths) {
  for (const char* ok : {"100231", "00123", "PO-17", "A.B", "x y", "\xe9t\xe9", "a.b.c"}) {
    EXPECT_TRUE(isPlainFileName(ok)) << ok;
  }
  for (const char* bad : {"", "..", "...", "a\\b", "a/b", "a..b", "\x1f", "a\x7f"}) {
    EXPECT_FALSE(isPlainFileName(bad)) << bad;
  }
}

TEST_F(PurchaseOrderLoaderTest, OtherLineKindsAddNoRowAndKeepTheItemNumber) {
  const auto first = s().catalog.parts.part(0);
  PoFile po;
  po.totalCents = 0;
  po.lines = {lineRecord(1, first.key(), 9, 100), lineRecord(4, first.key(), 2, 150),
              lineRecord(6, first.key(), 1, 100), lineRecord(0, first.key(), 1, 100),
              lineRecord(-4, first.key(), 1, 100), lineRecord(4, first.key(), 3, 0)};
  writeOrder("K1", po);
  ASSERT_TRUE(load("K1").opened);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0].substr(0, 2), "1\t");
  EXPECT_TRUE(view.rows[0].ends_with("\t2\t1.50\t3.00")) << view.rows[0];
  EXPECT_EQ(view.rows[1].substr(0, 2), "2\t");
  EXPECT_TRUE(view.rows[1].ends_with("\t3\t" + Format(Fixed::cents(first.costCents), "#####.00") + "\t" +
                                     Format(Fixed::cents(3 * int64_t{first.costCents}), "#####.00")))
      << view.rows[1];
}

TEST_F(PurchaseOrderLoaderTest, TheLargestCostTimesTheLargestQuantityNeedsSixtyFourBits) {
  PoFile po;
  po.lines = {lineRecord(4, keyOf(12, "NOSUCHPART"), 8388607, 16777215),
              lineRecord(4, keyOf(12, "NOSUCHPART"), -8388608, 16777215)};
  writeOrder("BIG", po);
  ASSERT_TRUE(load("BIG").opened);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0], "1\tFLT\tNOSUCHPART        \tPart Not Found\t8388607\t167772.15\t1407374631895.05");
  EXPECT_EQ(view.rows[1], "2\tFLT\tNOSUCHPART        \tPart Not Found\t-8388608\t167772.15\t-1407374799667.20");
}

TEST_F(PurchaseOrderLoaderTest, ALineNumberBetweenTwoProductLinesTakesTheNextOne) {
  PoFile po;
  po.lines = {lineRecord(4, keyOf(13, "X1"), 1, 1), lineRecord(4, keyOf(1199, "X2"), 1, 1)};
  writeOrder("INEXACT", po);
  ASSERT_TRUE(load("INEXACT").opened);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0].substr(0, 6), "1\tBLT\t");  // 13 lies before 27
  EXPECT_EQ(view.rows[1].substr(0, 6), "2\tINT\t");  // 1199 before 1200
}

TEST_F(PurchaseOrderLoaderTest, ALineNumberBeyondTheLastProductLineStopsTheLoad) {
  PoFile po;
  po.lines = {lineRecord(4, keyOf(12, "X1"), 1, 1), lineRecord(4, keyOf(4000, "X2"), 1, 1)};
  writeOrder("BEYOND", po);
  test::expectEngineError([&] { load("BEYOND"); }, 81, "iLreadFile",
                          "Illegal Record Number for File: LINEL and Record:  0");
  EXPECT_EQ(view.rows.size(), 1u);
  EXPECT_FALSE(view.repaint);  // turning it back on is the control's part
}

TEST_F(PurchaseOrderLoaderTest, StatusBitAndDropShipReadOnlyTheirOwnBits) {
  struct Case {
    int status;
    int32_t dropShip;
    bool transmitted, dropped;
  };
  for (const Case c : {Case{0x7F, 0, false, false}, Case{0x80, 1, true, true}, Case{0xFF, -1, true, true},
                       Case{0x00, 0x01000000, false, true}}) {
    SCOPED_TRACE(c.status);
    PoFile po;
    po.status = c.status;
    po.dropShip = c.dropShip;
    writeOrder("BITS", po);
    ASSERT_TRUE(load("BITS").opened);
    EXPECT_EQ(view.status, c.transmitted);
    EXPECT_EQ(view.submit, !c.transmitted);
    EXPECT_EQ(view.dropShip, c.dropped);
  }
}

TEST_F(PurchaseOrderLoaderTest, CommentsExpandAllThirtyFiveBytes) {
  PoFile po;
  po.comments[0] = compressed("FIRST LINE", 35);
  po.comments[3] = compressed(std::string(51, 'Z'), 34) + "\x05";  // the odd byte is a word with NUL
  writeOrder("NOTES", po);
  ASSERT_TRUE(load("NOTES").opened);
  EXPECT_EQ(view.headers[3], padded("FIRST LINE", 54));
  EXPECT_EQ(view.headers[4], std::string(54, ' '));
  EXPECT_EQ(view.headers[6], std::string(51, 'Z') + " S ");
}

TEST_F(PurchaseOrderLoaderTest, AMissingPartFileStopsTheLoadWithTheRowsBeforeIt) {
  // The links file without "PARTL": the name resolves to nothing.
  std::vector<sample::SampleLink> links;
  for (const auto& link : s().links) {
    if (link.link != ":D1:PARTL") links.push_back(link);
  }
  const auto linksPath = s().linkShare() / "LINKSFILE";
  const std::string saved = [&] {
    std::ifstream in(linksPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  {
    std::ofstream out(linksPath, std::ios::binary | std::ios::trunc);
    out << sample::linksFileBytes(links);
  }
  startEngine();  // the links are read when the engine starts
  test::expectEngineError([&] { load("100233"); }, -10, "LogicalOpen", "File not Found: \"PARTL\"");
  {
    std::ofstream out(linksPath, std::ios::binary | std::ios::trunc);
    out << saved;
  }
  ASSERT_EQ(view.rows.size(), 2u);  // the two parts not on file came first
  EXPECT_EQ(view.rows[0].substr(0, 9), "1\tFLT\tZZ9");
  EXPECT_FALSE(view.repaint);
  EXPECT_EQ(view.headers[kTotalHeader], Format(Fixed::cents(order("100233").totalCents()), "#######0.00"));
  EXPECT_EQ(view.headers.count(kVendorHeader), 0u);  // shown only at the end
}

TEST_F(PurchaseOrderLoaderTest, WithoutAnEngineTheFirstOperationFailsWith91) {
  PurchaseOrderLoader loader(nullptr, view, connection);
  test::expectEngineError([&] { loader.load("100231"); }, 91, "GetPO",
                          "Object variable or With block variable not set");
  EXPECT_EQ(view.calls, (std::vector<std::string>{"clearRows", "repaint off"}));
}

TEST(ConnectionTexts, AccountAndPorts) {
  DistributorConnection c{.dealerAccount = "104233", .subAccount = "", .hostAddress = "", .orderPort = 1,
                          .statusPort = 65535};
  EXPECT_EQ(accountText(c), "104233");
  EXPECT_EQ(portsText(c), "Using ports... 1 - 65535");
  c.subAccount = "A7";
  EXPECT_EQ(accountText(c), "104233/A7");
  RecordedView view;
  clearConnection(view, c);
  EXPECT_EQ(c, DistributorConnection{});
  EXPECT_FALSE(view.submit || view.status);
  EXPECT_EQ(view.headers[kAccountHeader], "");
  EXPECT_EQ(view.headers[kHostHeader], "");
  EXPECT_EQ(view.ports, "");
}

}  // namespace
}  // namespace velta
