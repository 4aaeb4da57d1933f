// An independent reading of a whole B+-tree index, for tests of the files that
// hold one: every node from the root down, and the leaves through their chain.
//
//   const test::IndexWalk walk = test::walkIndex(blocks);   // blocks[0] the header
//   EXPECT_TRUE(walk.problems.empty());
//   walk.leafEntries;   // (key, pointer) in chain order, the sentinel last
//
// Problems found: header counts that disagree with the blocks, entry counts of 0
// or above what a block holds, inner keys that are not their child's highest key,
// leaves at different depths, a missing sentinel on the rightmost path, blocks
// reached twice or never, a leaf chain that loops or skips a leaf.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace velta::test {

struct IndexWalk {
  int keyLength = 0;
  int depth = 0;
  std::vector<std::pair<std::string, int32_t>> leafEntries;
  std::vector<std::string> problems;
};

IndexWalk walkIndex(const std::vector<std::string>& blocks);

// The blocks of an index lying at `position` (in blocks) of `dataFile`, `count` of them.
std::vector<std::string> indexBlocks(const std::string& dataFile, int64_t position, int64_t count);

}  // namespace velta::test
