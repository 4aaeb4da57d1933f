// The index bulk loader: exact bytes of small trees, the limits it refuses, and a
// walk of larger trees with plain byte reads that shares no code with the builder.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/IndexWalk.h"
#include "support/PlainBytes.h"
#include "tools/sample/IndexBuilder.h"

namespace velta::sample {
namespace {

// A 512-byte block: `head` then zero bytes.
std::string block(std::string_view head) {
  std::string b = test::hexBytes(head);
  b.resize(512, '\0');
  return b;
}

std::string key4(uint32_t n) {
  return {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)};
}

std::vector<IndexEntry> numbered(int count, int firstRecord = 100) {
  std::vector<IndexEntry> entries;
  for (int i = 1; i <= count; ++i) entries.push_back({key4(static_cast<uint32_t>(i)), firstRecord + i});
  return entries;
}

TEST(IndexBuilder, EmptyIndexIsOneLeafHoldingTheSentinel) {
  const auto blocks = buildIndex({.keyLength = 4, .fillTarget = 63}, {});
  ASSERT_EQ(blocks.size(), 2u);
  //                    E     per   last  next  root  fill  dups
  EXPECT_EQ(blocks[0], block("0008  003f  0001  0002  0001  003f  0000"));
  EXPECT_EQ(blocks[1], block("0001 ffff  ffffffff ffffffff"));
}

TEST(IndexBuilder, OneLeaf) {
  const std::vector<IndexEntry> entries{{test::hexBytes("00000007"), 12}, {test::hexBytes("0000ff00"), 3}};
  const auto blocks = buildIndex({.keyLength = 4, .duplicateKeys = true, .fillTarget = 63}, entries);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], block("0008 003f 0001 0002 0001 003f ffff"));
  EXPECT_EQ(blocks[1], block("0003 ffff  00000007 0000000c  0000ff00 00000003  ffffffff ffffffff"));
}

TEST(IndexBuilder, TwoLevels) {
  const auto blocks = buildIndex({.keyLength = 4, .fillTarget = 2}, numbered(3));
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0], block("0008 003f 0003 0004 0003 0002 0000"));
  EXPECT_EQ(blocks[1], block("0002 0002  00000001 00000065  00000002 00000066"));
  EXPECT_EQ(blocks[2], block("0002 ffff  00000003 00000067  ffffffff ffffffff"));
  // The root: highest key of each leaf, the leaf's block; the sentinel's key last.
  EXPECT_EQ(blocks[3], block("0002 0000  00000002 00000001  ffffffff 00000002"));
}

TEST(IndexBuilder, ThreeLevelsNumberNodesAsTheyComplete) {
  // Leaves [1 2] [3 4] [5 sentinel]; inner [L1 L2] [L3]; the root over both.
  const auto blocks = buildIndex({.keyLength = 4, .fillTarget = 2}, numbered(5));
  ASSERT_EQ(blocks.size(), 7u);
  EXPECT_EQ(blocks[0], block("0008 003f 0006 0007 0006 0002 0000"));
  EXPECT_EQ(blocks[1], block("0002 0002  00000001 00000065  00000002 00000066"));
  EXPECT_EQ(blocks[2], block("0002 0004  00000003 00000067  00000004 00000068"));
  EXPECT_EQ(blocks[3], block("0002 0000  00000002 00000001  00000004 00000002"));
  EXPECT_EQ(blocks[4], block("0002 ffff  00000005 00000069  ffffffff ffffffff"));
  EXPECT_EQ(blocks[5], block("0001 0000  ffffffff 00000004"));
  EXPECT_EQ(blocks[6], block("0002 0000  00000004 00000003  ffffffff 00000005"));
}

TEST(IndexBuilder, FillTargetSetsEntriesPerNodeAndFullWhenAboveTheBlock) {
  auto leafCounts = [](const std::vector<std::string>& blocks) {
    std::vector<unsigned> counts;
    for (std::size_t b = 1; b < blocks.size(); ++b) {
      if (test::beU16(blocks[b], 2) != 0) counts.push_back(test::beU16(blocks[b], 0));
    }
    return counts;
  };
  const auto five = buildIndex({.keyLength = 4, .fillTarget = 5}, numbered(12));
  EXPECT_EQ(leafCounts(five), (std::vector<unsigned>{5, 5, 3}));
  EXPECT_EQ(test::beU16(five[0], 10), 5u);

  // A blocking factor of 200 gives a target of two blocks: nodes are simply full.
  EXPECT_EQ(fillTargetFor(200, 63), 126);
  EXPECT_EQ(fillTargetFor(99, 63), 0);
  EXPECT_EQ(fillTargetFor(150, 36), 36);
  const auto full = buildIndex({.keyLength = 4, .fillTarget = 126}, numbered(130));
  EXPECT_EQ(leafCounts(full), (std::vector<unsigned>{63, 63, 5}));
  EXPECT_EQ(test::beU16(full[0], 10), 126u);
  const auto zero = buildIndex({.keyLength = 4, .fillTarget = 0}, numbered(130));
  EXPECT_EQ(leafCounts(zero), (std::vector<unsigned>{63, 63, 5}));

  // A fill of one entry still gives inner nodes two, so the tree narrows.
  const auto one = buildIndex({.keyLength = 4, .fillTarget = 1}, numbered(3));
  EXPECT_EQ(leafCounts(one), (std::vector<unsigned>{1, 1, 1, 1}));
  EXPECT_EQ(planIndex({.keyLength = 4, .fillTarget = 1}, 3).nodesPerLevel, (std::vector<int64_t>{4, 2, 1}));
}

TEST(IndexBuilder, DepthAboveSevenIsRefused) {
  // Entries of 204 bytes: two to a node.
  const IndexLayout wide{.keyLength = 200};
  EXPECT_EQ(planIndex(wide, 127).depth(), 7);  // 128 leaf entries: 64 32 16 8 4 2 1
  try {
    planIndex(wide, 128);
    FAIL() << "no error";
  } catch (const IndexBuildError& e) {
    EXPECT_STREQ(e.what(), "an index of 128 keys would be 8 levels deep; the format allows at most 7");
  }
  std::vector<IndexEntry> entries;
  for (int i = 0; i < 128; ++i) entries.push_back({std::string(199, '\0') + static_cast<char>(i), i + 1});
  EXPECT_THROW(buildIndex(wide, entries), IndexBuildError);
  entries.pop_back();
  EXPECT_EQ(buildIndex(wide, entries).size(), 1u + 64 + 32 + 16 + 8 + 4 + 2 + 1);
}

TEST(IndexBuilder, MoreThan65534NodesIsRefused) {
  // 63 entries of 8 bytes to a node: 4062995 keys need 64489 + 1024 + 17 + 1 + ... = 65534 nodes.
  const IndexLayout layout{.keyLength = 4};
  EXPECT_EQ(planIndex(layout, 4062995).blockCount, 65535);
  try {
    planIndex(layout, 4062996);
    FAIL() << "no error";
  } catch (const IndexBuildError& e) {
    EXPECT_STREQ(e.what(),
                 "an index of 4062996 keys would need 65535 nodes; 16-bit block numbers allow at most 65534");
  }
  // A million part keys of 14 bytes fill 28 to a node and fit easily.
  EXPECT_EQ(planIndex({.keyLength = 14}, 1000000).nodesPerLevel, (std::vector<int64_t>{35715, 1276, 46, 2, 1}));
}

TEST(IndexBuilder, RefusesBadKeysAndLayouts) {
  auto message = [](auto&& f) {
    try {
      f();
    } catch (const IndexBuildError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  const IndexLayout layout{.keyLength = 4};
  EXPECT_EQ(message([&] { buildIndex(layout, std::vector<IndexEntry>{{key4(2), 1}, {key4(1), 2}}); }),
            "index keys out of order: key #2 (00000001) is below the key before it (00000002)");
  EXPECT_EQ(message([&] { buildIndex(layout, std::vector<IndexEntry>{{key4(2), 1}, {key4(2), 2}}); }),
            "index key #2 (00000002) repeats the key before it, and the index allows no duplicate keys");
  EXPECT_EQ(buildIndex({.keyLength = 4, .duplicateKeys = true}, std::vector<IndexEntry>{{key4(2), 1}, {key4(2), 2}})
                .size(),
            2u);
  // Bytes compare unsigned: 0x80 is above 0x7f.
  EXPECT_EQ(buildIndex(layout, std::vector<IndexEntry>{{test::hexBytes("7f000000"), 1}, {test::hexBytes("80000000"), 2}}).size(), 2u);
  EXPECT_EQ(message([&] { buildIndex(layout, std::vector<IndexEntry>{{test::hexBytes("80000000"), 1}, {test::hexBytes("7f000000"), 2}}); }),
            "index keys out of order: key #2 (7f000000) is below the key before it (80000000)");
  EXPECT_EQ(message([&] { buildIndex(layout, std::vector<IndexEntry>{{"abc", 1}}); }),
            "index key #1 (616263) is 3 bytes; the index's keys are 4");
  EXPECT_EQ(message([&] { buildIndex(layout, std::vector<IndexEntry>{{test::hexBytes("ffffffff"), 1}}); }),
            "index key #1 is all FF bytes, the sentinel's key; every key must be below it");
  EXPECT_EQ(message([&] { planIndex({.keyLength = 0}, 1); }),
            "index key length 0 is outside 1 to 504 (an entry of key + 4 bytes must fit the 508 bytes of a node)");
  EXPECT_EQ(message([&] { planIndex({.keyLength = 505}, 1); }).substr(0, 30), "index key length 505 is outsid");
  EXPECT_EQ(planIndex({.keyLength = 504}, 0).blockCount, 2);
  EXPECT_EQ(message([&] { planIndex({.keyLength = 4, .fillTarget = 65536}, 1); }),
            "index fill target 65536 does not fit the header's 16 bits");
  EXPECT_EQ(message([&] { planIndex({.keyLength = 4, .fillTarget = -1}, 1); }),
            "index fill target -1 does not fit the header's 16 bits");
  EXPECT_EQ(message([&] { planIndex({.keyLength = 300}, 1); }),
            "index entries of 304 bytes leave room for one per node; an index of 1 keys needs inner nodes of at "
            "least two entries");

  IndexBuilder builder(layout, 1);
  builder.add(key4(1), 1);
  EXPECT_EQ(message([&] { builder.add(key4(2), 2); }), "index key #2 is more than the 1 the builder was told of");
  IndexBuilder shortOne(layout, 2);
  shortOne.add(key4(1), 1);
  EXPECT_EQ(message([&] { shortOne.finish(); }), "index builder told of 2 keys was given 1");
}

void expectWalkMatches(const IndexLayout& layout, const std::vector<IndexEntry>& entries) {
  const auto blocks = buildIndex(layout, entries);
  for (const auto& b : blocks) ASSERT_EQ(b.size(), 512u);
  const test::IndexWalk walk = test::walkIndex(blocks);
  EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
  ASSERT_EQ(walk.leafEntries.size(), entries.size() + 1);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ASSERT_EQ(walk.leafEntries[i].first, entries[i].key) << i;
    ASSERT_EQ(walk.leafEntries[i].second, entries[i].record) << i;
  }
  EXPECT_EQ(walk.leafEntries.back(), std::make_pair(std::string(layout.keyLength, '\xFF'), int32_t{-1}));
}

TEST(IndexBuilderWalk, ChainAndInnerKeysAgreeWithTheInput) {
  // Six-byte keys with gaps, records out of key order, over depths 1 to 4.
  for (int count : {0, 1, 61, 62, 63, 500, 3843, 3844, 20000}) {
    std::vector<IndexEntry> entries;
    for (int i = 0; i < count; ++i) {
      const uint32_t v = static_cast<uint32_t>(i) * 37u + 5u;
      entries.push_back({std::string("P\x01", 2) + key4(v), static_cast<int32_t>((i * 7919) % 100003 + 1)});
    }
    SCOPED_TRACE(count);
    expectWalkMatches({.keyLength = 6, .fillTarget = 0}, entries);
    expectWalkMatches({.keyLength = 6, .fillTarget = 17}, entries);
  }
}

TEST(IndexBuilderWalk, LeavesAreChainedPastInnerBlocks) {
  const auto blocks = buildIndex({.keyLength = 4, .fillTarget = 3}, numbered(40));
  unsigned skips = 0;
  for (std::size_t b = 1; b < blocks.size(); ++b) {
    const unsigned next = test::beU16(blocks[b], 2);
    if (next != 0 && next != 0xFFFF && next != b + 1) ++skips;
  }
  EXPECT_GT(skips, 0u);
  EXPECT_TRUE(test::walkIndex(blocks).problems.empty());
}

// The walk itself must see damage, or the checks above could not fail.
TEST(IndexBuilderWalk, SeesDamagedTrees) {
  const auto good = buildIndex({.keyLength = 4, .fillTarget = 2}, numbered(5));  // the three-level tree
  auto damaged = [&](std::size_t block, std::size_t offset, std::string_view bytes) {
    auto blocks = good;
    blocks[block].replace(offset, bytes.size(), bytes);
    return test::walkIndex(blocks).problems;
  };
  EXPECT_TRUE(test::walkIndex(good).problems.empty());
  EXPECT_FALSE(damaged(3, 4 + 3, "\x03").empty());              // inner key 1 no longer leaf 1's highest
  EXPECT_FALSE(damaged(2, 2, std::string("\x00\x01", 2)).empty()); // leaf 2 chained back to leaf 1
  EXPECT_FALSE(damaged(4, 4 + 8, std::string(4, '\x7f')).empty()); // no sentinel in the last leaf
  EXPECT_FALSE(damaged(4, 4 + 12, std::string("\0\0\0\0", 4)).empty());  // sentinel pointing at a record
  EXPECT_FALSE(damaged(0, 4, std::string("\0\x09", 2)).empty());   // LastRecord beyond the blocks
  EXPECT_FALSE(damaged(5, 0, std::string("\0\0", 2)).empty());     // an inner node without entries
}

}  // namespace
}  // namespace velta::sample
