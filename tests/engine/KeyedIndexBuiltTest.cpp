// Keyed index navigation over indexes laid out by the sample bulk loader: one,
// two and several levels, every key found, walks in both directions agreeing
// with the sorted keys, and steps back across every leaf and inner-node boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/KeyedIndex.h"
#include "support/IndexFixture.h"
#include "tools/sample/IndexBuilder.h"

namespace velta::sample {
// Found by the comparisons of entry lists below.
bool operator==(const IndexEntry& a, const IndexEntry& b) { return a.key == b.key && a.record == b.record; }
}  // namespace velta::sample

namespace velta {
namespace {

using sample::IndexEntry;
using sample::IndexLayout;

constexpr int kKeyLength = 4;

// Even numbers as 4-byte keys, so that the odd ones fall between them.
std::string keyOf(uint32_t n) {
  return {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)};
}

std::vector<IndexEntry> evenKeys(int count) {
  std::vector<IndexEntry> entries;
  for (int i = 0; i < count; ++i) entries.push_back({keyOf(2u * i + 2u), 1000 + i});
  return entries;
}

// Runs of equal keys, three of each.
std::vector<IndexEntry> repeatedKeys(int count) {
  std::vector<IndexEntry> entries;
  for (int i = 0; i < count; ++i) entries.push_back({keyOf(2u * (i / 3) + 2u), 1000 + i});
  return entries;
}

bool isSentinel(const std::string& key) { return key == std::string(kKeyLength, '\xFF'); }

struct Shape {
  const char* name;
  int count;
  int fillTarget;
  int depth;
};

class BuiltIndex : public test::IndexFixture, public ::testing::WithParamInterface<Shape> {
 protected:
  LogicalFileHandle build(const std::vector<IndexEntry>& entries, int fillTarget, bool duplicates = false) {
    const IndexLayout layout{.keyLength = kKeyLength, .duplicateKeys = duplicates, .fillTarget = fillTarget};
    return indexFile("BUILT", sample::buildIndex(layout, entries));
  }

  // The index of the test's shape over even keys.
  LogicalFileHandle buildShape() {
    entries = evenKeys(GetParam().count);
    return build(entries, GetParam().fillTarget);
  }

  std::vector<IndexEntry> forward(const LogicalFileHandle& idx) {
    std::vector<IndexEntry> seen;
    std::string buff, key;
    int32_t rec = 0;
    KFind(idx, buff, key, rec);
    while (!(rec == 0 && isSentinel(key)) && seen.size() <= entries.size()) {
      seen.push_back({key, rec < 0 ? -rec : rec});
      KNext(idx, buff, key, rec);
    }
    return seen;
  }

  std::vector<IndexEntry> backward(const LogicalFileHandle& idx) {
    std::vector<IndexEntry> seen;
    std::string buff, key;
    int32_t rec = 0;
    KLast(idx, buff, key, rec);
    if (rec == 0 && isSentinel(key)) return seen;
    while (seen.size() <= entries.size()) {
      seen.push_back({key, rec});
      const std::string before = buff;
      KPrev(idx, buff, key, rec);
      if (rec == 0 && buff == before) break;
    }
    return seen;
  }

  std::vector<IndexEntry> entries;
};

TEST_P(BuiltIndex, WalksBothWaysAgreeWithTheSortedKeys) {
  const Shape shape = GetParam();
  ASSERT_EQ(sample::planIndex({.keyLength = kKeyLength, .fillTarget = shape.fillTarget}, shape.count).depth(),
            shape.depth);
  const auto idx = buildShape();
  EXPECT_EQ(forward(idx), entries);
  auto reversed = entries;
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(backward(idx), reversed);
  EXPECT_EQ(KCount(idx), shape.count);
  EXPECT_EQ(KLength(idx), kKeyLength);
}

TEST_P(BuiltIndex, EveryKeyIsFoundWithOneReadPerLevel) {
  const Shape shape = GetParam();
  const auto idx = buildShape();
  std::string buff;
  for (const auto& entry : entries) {
    std::string key = entry.key;
    int32_t rec = 0;
    counts->reset();
    KFind(idx, buff, key, rec);
    ASSERT_EQ(rec, entry.record);
    EXPECT_EQ(counts->reads, static_cast<std::size_t>(1 + shape.depth));
    EXPECT_EQ(static_cast<unsigned char>(buff[17]), shape.depth);

    // Just below the key: the negative record of this key, and the key itself.
    uint32_t below = 0;
    for (char c : entry.key) below = below * 256 + static_cast<unsigned char>(c);
    key = keyOf(below - 1);
    KFind(idx, buff, key, rec);
    ASSERT_EQ(rec, -entry.record);
    EXPECT_EQ(key, entry.key);
  }
  std::string key = keyOf(2u * shape.count + 1u);
  int32_t rec = 0;
  KFind(idx, buff, key, rec);
  EXPECT_EQ(rec, 0);
  EXPECT_TRUE(isSentinel(key));
}

// After any run of KNext calls the path above the leaf may be stale; a step
// back and forth from every position must land on the neighbours all the same.
TEST_P(BuiltIndex, BackAndForthFromEveryPosition) {
  const auto idx = buildShape();
  std::string buff, key;
  int32_t rec = 0;
  KFind(idx, buff, key, rec);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ASSERT_EQ(key, entries[i].key) << i;
    if (i > 0) {
      KPrev(idx, buff, key, rec);
      ASSERT_EQ(rec, entries[i - 1].record) << i;
      KNext(idx, buff, key, rec);
      ASSERT_EQ(rec, entries[i].record) << i;
    }
    // From a fresh descent too: KFind, one step on, one step back.
    std::string other, otherKey = entries[i].key;
    int32_t otherRec = 0;
    KFind(idx, other, otherKey, otherRec);
    KNext(idx, other, otherKey, otherRec);
    KPrev(idx, other, otherKey, otherRec);
    ASSERT_EQ(otherRec, entries[i].record) << i;
    KNext(idx, buff, key, rec);
  }
  EXPECT_EQ(rec, 0);
  EXPECT_TRUE(isSentinel(key));
}

TEST_P(BuiltIndex, AForwardWalkReadsEachLeafOnce) {
  const Shape shape = GetParam();
  const auto idx = buildShape();
  const auto plan = sample::planIndex({.keyLength = kKeyLength, .fillTarget = shape.fillTarget}, shape.count);
  forward(idx);
  // The header and one node per level, then each further leaf once.
  EXPECT_EQ(counts->reads, static_cast<std::size_t>(1 + shape.depth + plan.nodesPerLevel.front() - 1));
}

INSTANTIATE_TEST_SUITE_P(Shapes, BuiltIndex,
                         ::testing::Values(Shape{"OneLevel", 40, 0, 1}, Shape{"TwoLevels", 300, 0, 2},
                                           Shape{"ThreeLevels", 60, 4, 3}, Shape{"SixLevels", 700, 3, 6},
                                           Shape{"SevenLevels", 100, 2, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

class BuiltIndexOther : public BuiltIndex {};

TEST_F(BuiltIndexOther, EmptyIndex) {
  const auto idx = build({}, 0);
  std::string buff, key = "ANY";
  int32_t rec = 5;
  KFind(idx, buff, key, rec);
  EXPECT_EQ(rec, 0);
  EXPECT_TRUE(isSentinel(key));
  EXPECT_EQ(KCount(idx), 0);
  KLast(idx, buff, key, rec = 5);
  EXPECT_EQ(rec, 0);
  EXPECT_TRUE(backward(idx).empty());
}

TEST_F(BuiltIndexOther, RepeatedKeysAcrossLeavesWalkBothWays) {
  entries = repeatedKeys(90);
  const auto idx = build(entries, 2, true);
  EXPECT_EQ(forward(idx), entries);
  auto reversed = entries;
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(backward(idx), reversed);
  EXPECT_EQ(KCount(idx), 90);
  // KFind lands on the first of equal keys.
  std::string buff, key = entries[30].key;
  int32_t rec = 0;
  KFind(idx, buff, key, rec);
  EXPECT_EQ(rec, entries[30].record);
}

}  // namespace
}  // namespace velta
