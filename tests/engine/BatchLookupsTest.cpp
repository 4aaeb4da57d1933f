// Many keys at once agree with KFind key for key: the same Key, Rec and cursor,
// the same error or notice, on indexes of one to seven levels, with repeated
// keys, keys before the first and after the last, and damaged blocks; each
// index block is read at most once, one batch a level. Many records at once
// agree with LreadFile in the same way.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/EngineError.h"
#include "base/FieldPacking.h"
#include "engine/BatchLookups.h"
#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "engine/NavigationBuffer.h"
#include "support/IndexFixture.h"
#include "support/PlainBytes.h"
#include "tools/sample/IndexBuilder.h"

namespace velta {
namespace {

using sample::IndexEntry;
using sample::IndexLayout;
using test::hexOf;

constexpr int kKeyLength = 4;

// The engine error `f` raises, or none.
template <class F>
std::exception_ptr caught(F&& f) try {
  f();
  return nullptr;
} catch (const EngineError&) {
  return std::current_exception();
}

std::string keyOf(uint32_t n) {
  return {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)};
}

// What one lookup gave, errors and notices included, as text for a readable diff.
std::string outcome(const std::string& key, int32_t rec, const std::string& buff, const std::exception_ptr& error,
                    const std::vector<Notice>& notices) {
  std::string text;
  if (error) {
    try {
      std::rethrow_exception(error);
    } catch (const EngineError& e) {
      text = "error " + std::to_string(e.number()) + " " + e.source() + ": " + e.description();
    }
  } else {
    text = "rec " + std::to_string(rec) + " key " + hexOf(key) + " buff " + hexOf(buff);
  }
  for (const Notice& n : notices) text += " | notice " + n.text;
  return text;
}

struct Damage {
  int block;     // which block of the built index; -1 the root
  int position;  // 1-based byte in it
  std::string bytes;
};

struct Case {
  const char* name;
  int count;
  int fillTarget;
  bool repeated;                  // three of each key
  std::vector<Damage> damage;
  int32_t lastRecord;             // 0: the index's own
};

// Named in test output by its name alone.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class BatchLookups : public test::IndexFixture, public ::testing::WithParamInterface<Case> {
 protected:
  LogicalFileHandle build() {
    const Case& c = GetParam();
    std::vector<IndexEntry> entries;
    for (int i = 0; i < c.count; ++i) {
      const uint32_t n = c.repeated ? 2u * static_cast<uint32_t>(i / 3) + 2u : 2u * static_cast<uint32_t>(i) + 2u;
      entries.push_back({keyOf(n), 1000 + i});
      keys.push_back(keyOf(n));
      keys.push_back(keyOf(n - 1));  // just below: an inexact hit
    }
    const IndexLayout layout{.keyLength = kKeyLength, .duplicateKeys = c.repeated, .fillTarget = c.fillTarget};
    std::vector<std::string> blocks = sample::buildIndex(layout, entries);
    for (const Damage& d : c.damage) {
      const int block = d.block >= 0 ? d.block : static_cast<int>(test::beU16(blocks.at(0), 8));
      blocks.at(static_cast<std::size_t>(block)).replace(static_cast<std::size_t>(d.position - 1), d.bytes.size(),
                                                          d.bytes);
    }
    keys.push_back(std::string(kKeyLength, '\0'));              // before the first
    keys.push_back(keyOf(2u * c.count + 1u));                   // after the last
    keys.push_back(std::string(kKeyLength, '\xFF'));            // the sentinel's own
    keys.push_back(keyOf(6) + "TAIL");                           // longer than the key length: cut
    keys.push_back("");                                          // empty: padded
    return indexFile("BATCH", blocks, c.lastRecord);
  }

  std::vector<std::string> keys;
};

TEST_P(BatchLookups, EveryKeyAsKFindAloneGivesIt) {
  const auto index = build();
  const std::size_t blocks = static_cast<std::size_t>(index->OpenFile->file->size() / 512);

  std::vector<std::string> alone;
  for (const std::string& k : keys) {
    std::string key = k, buff;
    int32_t rec = 0;
    notices.clear();
    const std::exception_ptr error = caught([&] { KFind(index, buff, key, rec); });
    alone.push_back(outcome(key, rec, buff, error, notices));
  }

  counts->reset();
  notices.clear();
  const std::vector<KeyAnswer> answers = KFindMany(index, keys);
  EXPECT_TRUE(notices.empty()) << "notices are kept in the answers";
  ASSERT_EQ(answers.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const KeyAnswer& a = answers[i];
    EXPECT_EQ(outcome(a.Key, a.Rec, a.Buff, a.error, a.notices), alone[i]) << "key " << hexOf(keys[i]);
  }
  // Each block at most once, in a batch per level (a leaf chain adds its steps).
  EXPECT_LE(counts->reads, blocks);
  EXPECT_LE(counts->batches, static_cast<std::size_t>(kMaxIndexDepth + 3));
}

TEST_P(BatchLookups, RecordsAsLreadFileAloneGivesThem) {
  const auto index = build();
  const int32_t last = index->LastRecord;
  const std::vector<int32_t> records = {1, last, 0, -1, last + 1, 2, 1};
  std::vector<std::string> alone;
  for (const int32_t r : records) {
    std::string record;
    const std::exception_ptr error = caught([&] { record = LreadFile(index, r); });
    alone.push_back(outcome(record, 0, "", error, {}));
  }
  counts->reset();
  const auto answers = LreadMany(index, records);
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(outcome(answers[i].record, 0, "", answers[i].error, {}), alone[i]) << "record " << records[i];
  }
  EXPECT_EQ(counts->batches, 1u);
  EXPECT_LE(counts->reads, 2u);  // records 1 and 2 touch: one read; the last lies elsewhere
}

// Bytes of a node: the entry count at 1-2, the next-leaf field at 3-4, entries from 5.
const std::string kCount200 = std::string("\x00\xC8", 2);
const std::string kChildZero = std::string(4, '\0');

INSTANTIATE_TEST_SUITE_P(
    Indexes, BatchLookups,
    ::testing::Values(
        Case{"OneLevel", 40, 0, false, {}, 0}, Case{"TwoLevels", 300, 0, false, {}, 0},
        Case{"FourLevels", 200, 3, false, {}, 0}, Case{"SixLevels", 700, 3, false, {}, 0},
        Case{"SevenLevels", 100, 2, false, {}, 0}, Case{"RepeatedKeysAcrossLeaves", 90, 2, true, {}, 0},
        Case{"Empty", 0, 0, false, {}, 0},
        // A leaf whose entries do not fit: -20 for the keys that reach it, the others found.
        Case{"LeafTooFull", 300, 0, false, {{2, 1, kCount200}}, 0},
        // The root's first child pointer 0: -20 for the keys below it.
        Case{"ChildPointerZero", 300, 0, false, {{-1, 5 + kKeyLength, kChildZero}}, 0},
        // A leaf whose chain points back at itself: a loop for the keys past its last entry.
        Case{"LeafChainLoops", 60, 4, false, {{3, 3, std::string("\x00\x03", 2)}}, 0},
        // The header's entry length out of range: every key -20.
        Case{"HeaderEntryLength", 40, 0, false, {{0, 1, std::string("\x02\x00", 2)}}, 0},
        // Blocks beyond the index's LastRecord: the range notice and Rec 0 for keys that go there.
        Case{"BeyondLastRecord", 300, 0, false, {}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velta
