// The distributor's catalog that velta-data sample writes: it matches the
// sample, the simulator reads it, and the sample's purchase orders meet
// known and unknown parts in it; the vendor record holds the host and ports given.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "support/PlainBytes.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "tools/sample/DistributorCatalog.h"
#include "tools/velta-distributor/CatalogFile.h"
#include "tools/velta-distributor/Distributor.h"
#include "tools/velta-distributor/OrderBook.h"

namespace velta {
namespace {

using distributor::Catalog;

std::string veltaData() { return std::string(VELTA_BIN_DIR) + "/velta-data"; }

// The 850 line records of a sample purchase order, as the order control sends them.
std::vector<std::string> orderLines(const sample::SampleCatalog& catalog, const sample::SamplePurchaseOrder& po) {
  std::vector<std::string> lines;
  for (const sample::SamplePoLine& line : po.lines) {
    if (line.kind != sample::PoLineKind::Part) continue;
    const sample::SampleLine* product = catalog.line(line.line);
    std::string part = line.partNumber;
    if (line.inPartFile) {
      for (int64_t i = 0; i < catalog.parts.count(); ++i) {
        if (catalog.parts.part(i).key() == line.partKey()) part = test::rtrim(catalog.parts.part(i).dashed());
      }
    }
    lines.push_back(product->rktCode + "|" + part + "|" + std::to_string(line.quantity));
  }
  return lines;
}

class SampleCatalog : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir;
    const auto run = test::runCommand({veltaData(), "sample", dir_->str() + "/biz", "--parts", "100", "--distributor",
                                       "10.1.2.3", "--order-port", "12000", "--status-port", "12003",
                                       "--inquiry-port", "12001"});
    ASSERT_EQ(run.status, 0) << run.err;
    out_ = new std::string(run.out);
    sample::DistributorEndpoint endpoint{"10.1.2.3", 12000, 12003, 12001};
    sample_ = new sample::SampleCatalog(sample::makeSampleCatalog(100, endpoint));
  }
  static void TearDownTestSuite() {
    delete sample_;
    delete out_;
    delete dir_;
  }
  static std::string file() { return dir_->str() + "/biz/distributor/catalog.json"; }

  static test::TempDir* dir_;
  static std::string* out_;
  static sample::SampleCatalog* sample_;
};
test::TempDir* SampleCatalog::dir_ = nullptr;
std::string* SampleCatalog::out_ = nullptr;
sample::SampleCatalog* SampleCatalog::sample_ = nullptr;

TEST_F(SampleCatalog, SaysHowToStartTheSimulatorOnTheVendorRecordsPorts) {
  EXPECT_NE(out_->find("\nvelta-distributor --catalog " + file() +
                       " --order-port 12000 --status-port 12003 --inquiry-port 12001\n"),
            std::string::npos)
      << *out_;
  EXPECT_EQ(dir_->read("biz/distributor/catalog.json"), sample::distributorCatalogJson(*sample_));
}

TEST_F(SampleCatalog, MatchesTheSample) {
  const Catalog catalog = distributor::readCatalogFile(file());
  EXPECT_EQ(catalog.distributor, "NORTHERN PARTS DISTRIBUTION");
  ASSERT_EQ(catalog.accounts.size(), 1u);
  EXPECT_EQ(catalog.accounts[0].account, sample_->distributor().DEALER_ACCOUNT);
  std::vector<std::string> codes, expected;
  for (const auto& l : catalog.lines) codes.push_back(l.code);
  for (const auto& l : sample_->lines) {
    if (!l.rktCode.empty()) expected.push_back(l.rktCode);
  }
  EXPECT_EQ(codes, expected);
  EXPECT_EQ(catalog.partCount(), 100u);  // every part of a small sample
  for (int64_t i = 0; i < sample_->parts.count(); ++i) {
    const sample::SamplePart part = sample_->parts.part(i);
    SCOPED_TRACE(part.number);
    const auto* line = catalog.line(sample_->line(part.line)->rktCode);
    ASSERT_NE(line, nullptr);
    const auto* entry = line->part(part.number);  // without its dashes, as the host may give it
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->number, test::rtrim(part.dashed()));
    EXPECT_EQ(entry->description, part.description);
    EXPECT_EQ(entry->retailCents, part.listCents);
    EXPECT_EQ(entry->costCents, part.costCents);
    const sample::DistributorStock stock = sample::distributorStock(part);
    ASSERT_EQ(entry->stock.size(), stock.stock.size());
    for (std::size_t s = 0; s < stock.stock.size(); ++s) {
      EXPECT_EQ(catalog.warehouses[entry->stock[s].warehouse].code, stock.stock[s].first);
      EXPECT_EQ(entry->stock[s].quantity, stock.stock[s].second);
    }
    EXPECT_EQ(entry->availableInDays, stock.availableInDays);
    EXPECT_EQ(entry->factoryBackOrder, stock.factoryBackOrder);
  }
}

TEST_F(SampleCatalog, StocksSomePartsNowhereAndSomeInSeveralWarehouses) {
  int nowhere = 0, several = 0;
  for (int64_t i = 0; i < sample_->parts.count(); ++i) {
    const auto stock = sample::distributorStock(sample_->parts.part(i));
    nowhere += stock.stock.empty();
    several += stock.stock.size() > 1;
  }
  EXPECT_GT(nowhere, 0);
  EXPECT_GT(several, 0);
}

TEST_F(SampleCatalog, TheSimulatorAnswersTheSamplesPurchaseOrders) {
  const Catalog catalog = distributor::readCatalogFile(file());
  const TokenTable table = test::testTable();
  distributor::OrderBook book;
  distributor::Distributor simulator(catalog, table, book, [] { return test::testMoment(); });
  const std::string account = sample_->distributor().DEALER_ACCOUNT;

  const auto* open = sample_->purchaseOrder("100231");
  const distributor::Reply ack = simulator.answer(
      MessageSet::Order850, test::orderMessage(account, open->name, orderLines(*sample_, *open)), {});
  EXPECT_FALSE(ack.exception) << ack.message;
  EXPECT_EQ(ack.message.find("NOT FOUND"), std::string::npos) << ack.message;

  const auto* missing = sample_->purchaseOrder("100233");
  const distributor::Reply partly = simulator.answer(
      MessageSet::Order850, test::orderMessage(account, missing->name, orderLines(*sample_, *missing)), {});
  EXPECT_NE(partly.message.find("|FIL|ZZ9999|||PART NOT FOUND|||\n"), std::string::npos) << partly.message;
  EXPECT_NE(partly.message.find("|BRX|QX0001|||PART NOT FOUND|||\n"), std::string::npos) << partly.message;
}

TEST_F(SampleCatalog, ALargeSampleHoldsASelectionAndEveryPartOfItsOrders) {
  const sample::SampleCatalog large = sample::makeSampleCatalog(60000, {});
  const std::vector<int64_t> chosen = sample::distributorCatalogParts(large);
  // The even selection, and at most every part line of the purchase orders besides.
  std::size_t partLines = 0;
  for (const auto& po : large.purchaseOrders) {
    partLines += static_cast<std::size_t>(std::count_if(po.lines.begin(), po.lines.end(), [](const auto& line) {
      return line.kind == sample::PoLineKind::Part && line.inPartFile;
    }));
  }
  EXPECT_LE(chosen.size(), static_cast<std::size_t>(sample::kCatalogParts) + partLines);
  EXPECT_GE(chosen.size(), static_cast<std::size_t>(sample::kCatalogParts / 2));
  const Catalog catalog = distributor::parseCatalog(sample::distributorCatalogJson(large), "large");
  for (const auto& po : large.purchaseOrders) {
    for (const auto& line : po.lines) {
      if (line.kind != sample::PoLineKind::Part || !line.inPartFile) continue;
      EXPECT_NE(catalog.line(large.line(line.line)->rktCode)->part(line.partNumber), nullptr) << line.partNumber;
    }
  }
}

TEST_F(SampleCatalog, TheVendorRecordHoldsTheHostAndPortsGiven) {
  const std::string root = dir_->str() + "/biz";
  const auto read = test::runCommand({veltaData(), "--root", root, "read", "VNDRL",
                                      std::to_string(sample_->distributor().record)},
                                     {{"TMPDIR", root + "/workstation/tmp"}, {"XDG_CONFIG_HOME", root + "/workstation/config"}});
  ASSERT_EQ(read.status, 0) << read.err;
  const std::string record = test::hexBytes(read.out.substr(0, 400));
  EXPECT_EQ(test::rtrim(test::plainUcm(record.substr(171, 10))), "10.1.2.3");  // POWER_EDI_ID_NUMBER at 172
  EXPECT_EQ(test::beU16(record, 186), 12001u);                                 // inquiry port "C" at 187
  EXPECT_EQ(test::beU16(record, 188), 12000u);                                 // order port "C" at 189
  EXPECT_EQ(test::beU16(record, 190), 12003u);                                 // status port "C" at 191
}

struct BadHost {
  const char* name;
  std::string host;
  std::string error;
};
void PrintTo(const BadHost& c, std::ostream* os) { *os << c.name; }

const std::vector<BadHost> kBadHosts = {
    {"LowerCase", "localhost",
     "velta-data: the distributor's host \"localhost\" holds \"l\", which the vendor record cannot hold (upper-case "
     "letters, digits, blank, \",\", \"/\" and \".\")\n"},
    {"TooLong", "192.168.100.1000",
     "velta-data: the distributor's host \"192.168.100.1000\" is longer than the 15 characters the vendor record "
     "holds\n"},
    {"Dash", "DIST-1",
     "velta-data: the distributor's host \"DIST-1\" holds \"-\", which the vendor record cannot hold (upper-case "
     "letters, digits, blank, \",\", \"/\" and \".\")\n"},
};

class BadHosts : public testing::TestWithParam<BadHost> {};

TEST_P(BadHosts, AreRefusedBeforeAnythingIsWritten) {
  test::TempDir dir;
  const auto run = test::runCommand({veltaData(), "sample", dir.str() + "/biz", "--distributor", GetParam().host});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, GetParam().error);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "biz"));
}

INSTANTIATE_TEST_SUITE_P(Sample, BadHosts, testing::ValuesIn(kBadHosts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velta
