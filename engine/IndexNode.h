// The blocks of an index file: its header (block 0) and the nodes of its
// B+-tree. Block b of an index lies at byte offset (Position + b) * 512 of the
// physical data file. All integers are big-endian; positions are 1-based.
//
// Header (block 0):
//   bytes    opcode  field
//   1-2      "C"     entry length E = key length + 4
//   3-4      "C"     entries per block: 508 / E
//   5-6      "C"     LastRecord of the index when it was initialised
//   7-8      "C"     next unused block
//   9-10     "C"     root block
//   11-12    "C"     fill target
//   13-14    "C"     duplicate keys: 65535 allowed, 0 not
//   15-512   -       zero
// Navigation reads only the entry length and the root block.
//
// Node (every other block):
//   bytes    opcode  field
//   1-2      "C"     entry count n
//   3-4      "C"     0 in an inner node; in a leaf the next leaf in key order,
//                    65535 in the last leaf
//   5-...            n entries of E bytes: the key (E - 4 bytes), then an "L" pointer
//
// An inner entry points to a child node and holds the highest key in that
// child; a leaf entry points to a data record, -1 for none. The last entry of
// the rightmost path is the sentinel: E - 4 bytes of FF and the pointer -1.
// Keys compare byte by byte, unsigned.
//
//   IndexNode node(block, header.entryLength);
//   if (node.isLeaf() && node.entryCount() > 0) record = node.pointer(1);
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/ByteOrder.h"
#include "engine/PhysicalFile.h"

namespace velta {

inline constexpr int32_t kNodeCountBytes = 2;
inline constexpr int32_t kNodeNextLeafBytes = 2;
inline constexpr int32_t kNodeEntryArea = kBlockSize - kNodeCountBytes - kNodeNextLeafBytes;  // 508
inline constexpr int32_t kIndexPointerBytes = 4;
// The shortest entry holds a key of one byte; the longest fills a node's entry area.
inline constexpr int32_t kMinEntryLength = 1 + kIndexPointerBytes;  // 5
inline constexpr int32_t kMaxEntryLength = kNodeEntryArea;         // 508
inline constexpr uint16_t kInnerNodeMark = 0;
inline constexpr uint16_t kLastLeafMark = 65535;
// Block numbers are 16-bit and 65535 marks the last leaf: nodes lie in blocks 1 to 65534.
inline constexpr int32_t kHighestNodeBlock = 65534;
inline constexpr int32_t kNoRecordPointer = -1;
inline constexpr uint8_t kSentinelKeyByte = 0xFF;

struct IndexHeader {
  int32_t entryLength = 0;  // bytes 1-2
  int32_t rootBlock = 0;    // bytes 9-10

  static constexpr std::size_t kEntryLengthAt = 0;
  static constexpr std::size_t kRootBlockAt = 8;

  static IndexHeader parse(std::string_view block) {
    return {loadU16(block, kEntryLengthAt), loadU16(block, kRootBlockAt)};
  }
};

// Keys compare byte by byte as unsigned values; of two keys where one is a
// prefix of the other, the shorter is lower. Negative, zero or positive.
inline int compareKeys(std::string_view a, std::string_view b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  const int bytes = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (bytes != 0) return bytes;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// A view of one node (512 bytes); the entry length comes from the header.
// Entry positions are unchecked: callers check fits() first.
class IndexNode {
 public:
  IndexNode(std::string_view block, int32_t entryLength) : block_(block), entryLength_(entryLength) {}

  int32_t entryCount() const { return loadU16(block_, 0); }
  uint16_t nextLeaf() const { return loadU16(block_, kNodeCountBytes); }
  bool isLeaf() const { return nextLeaf() != kInnerNodeMark; }
  bool isLastLeaf() const { return nextLeaf() == kLastLeafMark; }
  // Whether the n entries lie inside the block.
  bool fits() const { return static_cast<int64_t>(entryCount()) * entryLength_ <= kNodeEntryArea; }

  int32_t entryLength() const { return entryLength_; }
  int32_t keyLength() const { return entryLength_ - kIndexPointerBytes; }
  // Entry k (1-based): its E bytes, its key, its pointer.
  std::string_view entry(int32_t k) const { return block_.substr(entryAt(k), entryLength_); }
  std::string_view key(int32_t k) const { return block_.substr(entryAt(k), keyLength()); }
  int32_t pointer(int32_t k) const { return loadI32(block_, entryAt(k) + keyLength()); }

  std::string_view bytes() const { return block_; }

 private:
  std::size_t entryAt(int32_t k) const {
    return static_cast<std::size_t>(kNodeCountBytes + kNodeNextLeafBytes + (k - 1) * entryLength_);
  }

  std::string_view block_;
  int32_t entryLength_;
};

}  // namespace velta
