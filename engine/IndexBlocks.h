// Reads the blocks of one index for one navigation call, and checks every
// field it hands on before the navigation uses it.
//
// Navigation trusts nothing it reads: a corrupt index ends the call with
// engine error -20 (source: the navigation routine), whose description names
// what is wrong, the index and the block, instead of a hang or a crash. No
// check rejects a well-formed index, and nothing is kept once the call ends.
//
//   IndexBlocks blocks(LogicalFile, "KNext");
//   blocks.checkLink(next, "next-leaf pointer", leafBlock);
//   std::string leaf = blocks.readNode(next);
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/EngineError.h"
#include "engine/IndexNode.h"
#include "engine/cLogicalFile.h"

namespace velta {

class IndexBlocks {
 public:
  // Error 91 (source `routine`) without a logical file.
  IndexBlocks(const LogicalFileHandle& file, std::string routine);

  const cLogicalFile& file() const { return file_; }
  const std::string& routine() const { return routine_; }

  // Block 0; its entry length must lie within 5 to 508.
  std::string readHeader();
  // Block 0 as it is, unchecked (KLength).
  std::string readHeaderUnchecked();
  int32_t entryLength() const { return entryLength_; }
  // For calls that take the entry length from a navigation buffer instead.
  void useEntryLength(int32_t entryLength, int32_t block);

  // A node block: its entries must fit in it, and an inner node must hold some.
  std::string readNode(int32_t block);
  // A pointer to a node (root, child or next leaf) must name a block of the
  // index: 1 to LastRecord, and at most 65534.
  void checkLink(int64_t target, std::string_view role, int32_t fromBlock) const;
  // Each leaf may be entered once per call; a second time means the chain loops.
  void enterLeaf(int32_t block, int32_t fromBlock);
  // The shape of a node wherever it came from (a block just read, or a buffer).
  void checkNode(const IndexNode& node, int32_t block) const;

  [[noreturn]] void corrupt(const std::string& problem, int32_t block) const;

 private:
  std::string readBlock(int32_t block);
  bool beyondEnd(int32_t block) const;

  const cLogicalFile& file_;
  std::string routine_;
  int32_t entryLength_ = 0;
  std::bitset<kHighestNodeBlock + 1> enteredLeaves_;
};

// The data record of a leaf pointer: -1 (no record) is 0.
int32_t recordOfPointer(int32_t pointer);

}  // namespace velta
