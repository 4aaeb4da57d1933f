// A purchase order loaded with its reads together shows exactly what loading
// it one read after another shows: the same calls on the view in the same
// order, the same rows, labels and connection, the same notices between the
// same rows, the same error after the same rows, and the engine left with the
// same files open under the same numbers. Also: how few batches the 500-line
// order needs, and that nothing is kept from one load to the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/BaseState.h"
#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "engine/NavigationBuffer.h"
#include "engine/PhysicalFile.h"
#include "engine/Registries.h"
#include "engine/cBusinessBasic.h"
#include "engine/cOpenFile.h"
#include "order/PurchaseOrderLoader.h"
#include "platform/LocalShare.h"
#include "platform/ShareAccess.h"
#include "records/SiteOverrides.h"
#include "support/CountingShare.h"
#include "support/PlainBytes.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

using Reads = PurchaseOrderLoader::Reads;
using sample::SampleBusinessSystem;

// Everything a load shows and leaves, as lines of text.
struct Seen : PurchaseOrderView {
  std::vector<std::string> lines;
  void clearRows() override { lines.push_back("clearRows"); }
  void setRepaint(bool on) override { lines.push_back(on ? "repaint on" : "repaint off"); }
  void setActions(bool s, bool t) override { lines.push_back("actions " + std::to_string(s) + std::to_string(t)); }
  void showHeader(int i, const std::string& text) override { lines.push_back("header " + std::to_string(i) + " " + text); }
  void showPorts(const std::string& text) override { lines.push_back("ports " + text); }
  void showDropShip(bool on) override { lines.push_back(std::string("dropShip ") + (on ? "1" : "0")); }
  void addRow(const std::string& row) override { lines.push_back("row " + row); }
};

// A business system of its own for each case, so that a case may damage it.
class LoadTogether : public ::testing::Test {
 public:
  LoadTogether() {
    sample::SampleOptions options;
    options.parts = 3000;
    sample = sample::writeSampleBusinessSystem(dir.path(), options);
    env.emplace(std::initializer_list<test::EnvironmentChange>{{"TMPDIR", sample.tmpDir().string()}});
  }
  ~LoadTogether() override {
    baseState().notice = nullptr;
    engineState().engine.reset();
    shareAccess().configure({std::string(), std::string()});
  }

  // A fresh engine on the sample, its link share read through a counting backend.
  void startEngine() {
    SiteOverrides o;
    o.root = sample.root.string();
    configureShares(o);
    auto share = std::make_unique<test::CountingShare>(std::make_unique<LocalShare>(sample.linkShare().string()));
    counts = share->counts();
    shareAccess().addBackend(sample.server, "HBTSLNK", std::move(share));
    ASSERT_EQ(openSite(o), SiteSource::SettingsFile);
  }

  // One load in a fresh engine, told as text.
  std::vector<std::string> load(const std::string& number, Reads reads) {
    startEngine();
    Seen seen;
    baseState().notice = [&](const Notice& n) { seen.lines.push_back("notice " + n.text); };
    DistributorConnection connection;
    PurchaseOrderLoader loader(engineState().engine, seen, connection, reads);
    try {
      const auto result = loader.load(number);
      seen.lines.push_back("opened " + std::to_string(result.opened) + " " + result.fileName);
    } catch (const EngineError& e) {
      seen.lines.push_back("error " + std::to_string(e.number()) + " " + e.source() + ": " + e.description());
    }
    seen.lines.push_back("connection " + connection.dealerAccount + "/" + connection.subAccount + " " +
                         connection.hostAddress + " " + std::to_string(connection.orderPort) + " " +
                         std::to_string(connection.statusPort));
    for (const auto& f : *engineState().logicalFiles) seen.lines.push_back("logical " + f->FileName);
    for (const auto& f : *engineState().openFiles) {
      seen.lines.push_back("open " + std::to_string(f->vbFileNumber) + " " + f->Path);
    }
    baseState().notice = nullptr;
    return seen.lines;
  }

  // Bytes into a logical file's physical file at block `block` of it, byte `position` (1-based).
  void damage(const std::string& logical, int32_t block, int position, const std::string& bytes) {
    startEngine();
    const auto file = LogicalOpen(logical);
    ASSERT_NE(file, nullptr) << logical;
    WriteFile(file->OpenFile, bytes, (file->Position + block) * kBlockSize + position - 1);
    engineState().engine.reset();
  }

  // Where a part line's key lies in "PARTI": its leaf, and the 1-based byte of its entry there.
  struct Place {
    int32_t leaf = 0;
    int entry = 0;
  };
  Place partPlaceOf(const std::string& order, std::size_t line) {
    startEngine();
    const auto po = sample.catalog.purchaseOrder(order);
    std::string key = po->lines.at(line).partKey(), buff;
    int32_t rec = 0;
    KFind(LogicalOpen("PARTI"), buff, key, rec);
    NavigationBuffer nav(buff);
    const Place place{nav.pathBlock(nav.depth()), 5 + (nav.entryIndex() - 1) * nav.entryLength()};
    engineState().engine.reset();
    return place;
  }

  void removeProductLines() {
    std::filesystem::remove(sample.linkShare() / sample.directory / "LNDB");
    std::filesystem::remove(sample.linkShare() / sample.directory / "LNDR");
  }

  test::TempDir dir;
  SampleBusinessSystem sample;
  std::optional<test::ScopedEnvironment> env;
  std::shared_ptr<test::CountingShare::Counts> counts;
};

struct Case {
  const char* name;
  const char* order;
  std::function<void(LoadTogether&)> damage = nullptr;
};

// Named in test output by its name alone.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class LoadTogetherCases : public LoadTogether, public ::testing::WithParamInterface<Case> {};

TEST_P(LoadTogetherCases, ShowsWhatOneReadAfterAnotherShows) {
  if (GetParam().damage) GetParam().damage(*this);
  const auto oneAfterAnother = load(GetParam().order, Reads::OneAfterAnother);
  const auto together = load(GetParam().order, Reads::Together);
  EXPECT_EQ(together, oneAfterAnother);
}

// The part line of 100239 a quarter of the way down, whose leaf the damage reaches.
constexpr std::size_t kLineAQuarterDown = 125;

INSTANTIATE_TEST_SUITE_P(
    Orders, LoadTogetherCases,
    ::testing::Values(
        Case{"Order100231", "100231"}, Case{"Order100232", "100232"}, Case{"Order100233", "100233"},
        Case{"Order100234", "100234"}, Case{"Order100235", "100235"}, Case{"Order100236", "100236"},
        Case{"Order100237", "100237"}, Case{"Order100238", "100238"}, Case{"Order100239", "100239"},
        Case{"NoSuchOrder", "999999"},
        // A leaf whose entries cannot fit: -20 part-way, the rows before it shown.
        Case{"CorruptLeafPartWay", "100239",
             [](LoadTogether& t) {
               t.damage("PARTI", t.partPlaceOf("100239", kLineAQuarterDown).leaf, 1, std::string("\xFF\xFF", 2));
             }},
        // A part's record pointer beyond the part file: 81 from "PARTL" part-way.
        Case{"PartRecordOutOfRange", "100239",
             [](LoadTogether& t) {
               const auto place = t.partPlaceOf("100239", kLineAQuarterDown);
               t.damage("PARTI", place.leaf, place.entry + 14, std::string("\x00\x7F\xFF\xFF", 4));
             }},
        // A child pointer of the root beyond the index: the range notice between rows.
        Case{"IndexOutOfRangeNotice", "100239",
             [](LoadTogether& t) {
               t.startEngine();
               const auto parti = LogicalOpen("PARTI");
               const std::string header = ReadFile(parti->OpenFile, kBlockSize, parti->Position * kBlockSize);
               const auto root = static_cast<int32_t>(test::beU16(header, 8));
               const int32_t beyond = parti->LastRecord + 1;
               t.damage("PARTI", root, 5 + 14, {0, 0, static_cast<char>(beyond >> 8), static_cast<char>(beyond & 0xFF)});
             }},
        // The product lines cannot be found: -10 at the first part line, after "PARTI" and,
        // where its part is on file, "PARTL"; 100233's first parts are not.
        Case{"NoProductLineFile", "100231", [](LoadTogether& t) { t.removeProductLines(); }},
        Case{"NoProductLineFileFirstPartsMissing", "100233", [](LoadTogether& t) { t.removeProductLines(); }},
        // The first block of the part index zeroed: an inner node without entries, or a leaf cut off.
        Case{"FirstPartBlockZeroed", "100239",
             [](LoadTogether& t) { t.damage("PARTI", 1, 1, std::string(512, '\0')); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadTogether, TheLongOrderNeedsAFewBatchesAndEachBlockOnce) {
  const auto oneAfterAnother = load("100239", Reads::OneAfterAnother);
  const std::size_t readsOneAfterAnother = counts->reads;
  const auto together = load("100239", Reads::Together);
  ASSERT_EQ(together, oneAfterAnother);
  // The order file in one batch; then per index its header and a batch a level, the
  // part records, and the product lines: the depth of the indexes plus a few.
  EXPECT_LE(counts->batches, 16u);
  EXPECT_LT(counts->reads, readsOneAfterAnother / 4);
  std::vector<std::pair<std::string, uint64_t>> reads;
  for (std::size_t i = 0; i < counts->offsets.size(); ++i) reads.emplace_back(counts->paths[i], counts->offsets[i]);
  std::sort(reads.begin(), reads.end());
  const auto twice = std::adjacent_find(reads.begin(), reads.end());
  if (twice != reads.end()) ADD_FAILURE() << "read twice: " << twice->first << " at " << twice->second;
}

TEST_F(LoadTogether, NothingIsKeptFromOneLoadToTheNext) {
  startEngine();
  Seen first, second;
  DistributorConnection connection;
  PurchaseOrderLoader(engineState().engine, first, connection).load("100231");
  // The first part's description changes on the server between two loads.
  const auto po = sample.catalog.purchaseOrder("100231");
  std::string key = po->lines.at(0).partKey(), buff;
  int32_t rec = 0;
  KFind(LogicalOpen("PARTI"), buff, key, rec);
  ASSERT_GT(rec, 0);
  const auto partl = LogicalOpen("PARTL");
  std::string record = LreadFile(partl, rec);
  record.replace(178, 14, std::string(14, '\0'));  // compressed blanks
  LwriteFile(partl, rec, record);
  PurchaseOrderLoader(engineState().engine, second, connection).load("100231");
  ASSERT_EQ(first.lines.size(), second.lines.size());
  for (std::size_t i = 0; i < first.lines.size(); ++i) {
    if (first.lines[i].rfind("row 1\t", 0) == 0) {
      EXPECT_NE(second.lines[i], first.lines[i]) << "the first part's new description";
    } else if (first.lines[i].rfind("header 1 ", 0) != 0) {
      EXPECT_EQ(second.lines[i], first.lines[i]);
    }
  }
}

}  // namespace
}  // namespace velta
