// The navigation buffer (`Buff`): the whole state of one cursor on an index,
// kept by the caller between KFind, KNext, KPrev and KLast. The engine keeps
// nothing else between calls, so several buffers are several cursors.
//
// Layout (at least 544 bytes; positions 1-based; integers big-endian):
//   bytes    opcode  content
//   1-16             copy of the first 16 bytes of the index header
//   17       "B"     current entry index within the current leaf (1-based)
//   18       "B"     depth of the current leaf (root = 1)
//   19-32    "C"     path: the node at depth d at byte 17 + 2 * d, d = 1 to 7
//   33-544           copy of the current node (512 bytes)
//
//   NavigationBuffer nav(Buff);            // extends Buff to 544 bytes with NUL
//   nav.setNode(block); nav.setPathBlock(depth, b);
//   IndexNode leaf = nav.node();
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/ByteOrder.h"
#include "engine/IndexNode.h"
#include "engine/PhysicalFile.h"

namespace velta {

inline constexpr int kMaxIndexDepth = 7;

class NavigationBuffer {
 public:
  static constexpr std::size_t kHeaderCopyBytes = 16;
  static constexpr std::size_t kEntryIndexAt = kHeaderCopyBytes;               // byte 17
  static constexpr std::size_t kDepthAt = kEntryIndexAt + 1;                   // byte 18
  static constexpr std::size_t kPathAt = kDepthAt + 1;                         // bytes 19-32
  static constexpr std::size_t kNodeAt = kPathAt + 2 * kMaxIndexDepth;         // byte 33
  static constexpr std::size_t kLength = kNodeAt + kBlockSize;                 // 544

  // Extends a shorter buffer with NUL characters; longer ones keep their tail.
  explicit NavigationBuffer(std::string& buff) : buff_(buff) {
    if (buff_.size() < kLength) buff_.resize(kLength, '\0');
  }

  int32_t entryLength() const { return IndexHeader::parse(buff_).entryLength; }
  int32_t rootBlock() const { return IndexHeader::parse(buff_).rootBlock; }

  int entryIndex() const { return static_cast<unsigned char>(buff_[kEntryIndexAt]); }
  void setEntryIndex(int i) { buff_[kEntryIndexAt] = static_cast<char>(i); }
  int depth() const { return static_cast<unsigned char>(buff_[kDepthAt]); }
  void setDepth(int depth) { buff_[kDepthAt] = static_cast<char>(depth); }

  // d from 1 to kMaxIndexDepth.
  int32_t pathBlock(int d) const { return loadU16(buff_, pathAt(d)); }
  void setPathBlock(int d, int32_t block) { storeU16(buff_, pathAt(d), static_cast<uint16_t>(block)); }

  // The header block goes into bytes 1 to 512, as the first step of KFind and KLast.
  void setHeader(std::string_view headerBlock) { buff_.replace(0, kBlockSize, headerBlock.substr(0, kBlockSize)); }
  void setNode(std::string_view block) { buff_.replace(kNodeAt, kBlockSize, block.substr(0, kBlockSize)); }
  std::string_view nodeBytes() const { return std::string_view(buff_).substr(kNodeAt, kBlockSize); }
  IndexNode node() const { return IndexNode(nodeBytes(), entryLength()); }

  std::string& bytes() { return buff_; }

 private:
  static std::size_t pathAt(int d) { return kPathAt + 2 * static_cast<std::size_t>(d - 1); }

  std::string& buff_;
};

}  // namespace velta
