// A bulk loader for the business system's B+-tree index files: given the keys in
// order, it lays out every block of a complete index, the header first.
//
//   IndexLayout layout{.keyLength = 4};
//   IndexBuilder builder(layout, 2);                     // two keys will come
//   builder.add(std::string("\0\0\0\x07", 4), 12);   // key, data record number
//   builder.add(std::string("\0\0\0\x09", 4), 3);
//   std::vector<std::string> blocks = builder.finish();   // 512 bytes each, block 0 first
//
// The blocks (block b lies at byte (Position + b) x 512 of the data file; all
// integers big-endian; positions 1-based):
//
//   header, block 0
//     1-2    entry length E = key length + 4
//     3-4    entries per block = 508 / E          (a node is 4 bytes of head + entries)
//     5-6    highest block number of the index    (the directory entry's LastRecord)
//     7-8    next unused block                    (= number of blocks)
//     9-10   root block
//     11-12  fill target, as the layout gives it
//     13-14  duplicate keys allowed: 65535 yes, 0 no
//     15-512 zero
//
//   node, any other block
//     1-2    number of entries n
//     3-4    inner node: 0; leaf: block of the next leaf in key order, 65535 for the last
//     5...   n entries of E bytes: the key (E - 4 bytes), then a signed 4-byte pointer
//     rest   zero
//
// A leaf entry points at a data record; an inner entry points at a child node and
// holds the highest key in that child. The last entry of every level's rightmost
// node holds the sentinel key (E - 4 bytes of FF); in the rightmost leaf its pointer
// is -1 (no record), above it points at the rightmost child as every inner entry does.
//
// Nodes are filled to the fill target (0, or a target above what a block holds,
// means full); inner nodes hold at least two entries so that every level is
// smaller than the one below. Blocks are numbered in the order nodes are completed:
// each leaf, then every inner node that the leaf completes, so leaves are not
// consecutive once an index has two levels and the next-leaf field must be followed.
// Block numbers are 16 bits and 65535 ends the leaf chain, so an index holds at most
// 65534 nodes after its header; paths are at most 7 levels deep.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velta::sample {

inline constexpr int kIndexBlockSize = 512;
inline constexpr int kNodeHeadSize = 2 + 2;                       // entry count, next leaf
inline constexpr int kNodeRoom = kIndexBlockSize - kNodeHeadSize;  // 508 bytes of entries
inline constexpr int kPointerSize = 4;
inline constexpr int kMaxIndexDepth = 7;            // the navigation path has 7 slots
inline constexpr uint16_t kLastLeaf = 0xFFFF;       // next-leaf field of the last leaf
inline constexpr int kMaxNodeBlock = 0xFFFF - 1;    // 65534: 65535 is the end of the chain
inline constexpr int32_t kNoRecord = -1;

// Bad input or an index the format cannot hold.
struct IndexBuildError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct IndexLayout {
  int keyLength = 0;          // 1 to 504 (E = key length + 4 must fit one block's room)
  bool duplicateKeys = false;
  int fillTarget = 0;         // header field; entries per node (0: full)
};

struct IndexEntry {
  std::string key;
  int32_t record = 0;
};

// The shape an index of `entryCount` keys will have, computed before any block is made.
struct IndexPlan {
  int entryLength = 0;
  int entriesPerBlock = 0;
  int leafFill = 0;               // entries per leaf (the last leaf may hold fewer)
  int innerFill = 0;              // entries per inner node
  std::vector<int64_t> nodesPerLevel;  // leaves first, the root level (one node) last
  int64_t blockCount = 0;         // header included

  int depth() const { return static_cast<int>(nodesPerLevel.size()); }
};

// The fill target the index header holds for a blocking factor (a percentage):
// the division comes first, so below 100 gives 0 and 100 to 199 one full block.
int fillTargetFor(int blockingFactor, int entriesPerBlock);

// The shape of an index; IndexBuildError when the layout is invalid or the index
// would be deeper than 7 levels or need more than 65534 nodes.
IndexPlan planIndex(const IndexLayout& layout, int64_t entryCount);

// Knows the number of keys from the start, so that the limits are checked before
// any work and every node is completed (and numbered) the moment its last entry comes.
class IndexBuilder {
 public:
  // IndexBuildError as planIndex gives it.
  IndexBuilder(IndexLayout layout, int64_t entryCount);

  // Adds the next key; keys must come in ascending byte order (equal keys only
  // when duplicates are allowed), each exactly keyLength bytes, below the sentinel.
  void add(std::string_view key, int32_t record);
  // Adds the sentinel and returns the blocks, block 0 first; the builder is spent.
  std::vector<std::string> finish();

  const IndexPlan& plan() const { return plan_; }

 private:
  struct Level {
    std::string entries;    // the pending node's entries, E bytes each
    int count = 0;
    int64_t completed = 0;  // nodes of this level already given a block
  };

  void append(std::size_t level, std::string_view key, int32_t pointer);
  int targetSize(std::size_t level) const;
  std::string header() const;

  IndexLayout layout_;
  IndexPlan plan_;
  int64_t entryCount_;
  std::vector<Level> levels_;
  std::vector<std::string> blocks_;
  std::string lastKey_;
  int64_t added_ = 0;
  int64_t previousLeaf_ = -1;  // block of the last completed leaf, its next-leaf field open
  uint16_t root_ = 0;
  bool finished_ = false;
};

// All at once: the blocks of an index over `entries` (already in key order).
std::vector<std::string> buildIndex(const IndexLayout& layout, std::span<const IndexEntry> entries);

}  // namespace velta::sample
