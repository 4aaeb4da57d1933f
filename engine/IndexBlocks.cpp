#include "engine/IndexBlocks.h"

#include <algorithm>

#include "engine/PhysicalFile.h"
#include "engine/ReadScope.h"
#include "platform/ShareBackend.h"

namespace velta {

namespace {

const cLogicalFile& requireFile(const LogicalFileHandle& file, const std::string& routine) {
  if (!file) throw EngineError::general(err::ObjectNotSet, routine);
  return *file;
}

std::string number(int64_t n) { return std::to_string(n); }

}  // namespace

int32_t recordOfPointer(int32_t pointer) { return pointer == kNoRecordPointer ? 0 : pointer; }

IndexBlocks::IndexBlocks(const LogicalFileHandle& file, std::string routine)
    : file_(requireFile(file, routine)), routine_(std::move(routine)) {}

void IndexBlocks::corrupt(const std::string& problem, int32_t block) const {
  throw EngineError(err::IndexCorrupt, routine_,
                    "Index corrupt in " + file_.FileName + ", block " + number(block) + ": " + problem);
}

std::string IndexBlocks::readBlock(int32_t block) {
  const int64_t offset = (static_cast<int64_t>(file_.Position) + block) * kBlockSize;
  return ReadFile(file_.OpenFile, kBlockSize, checkedOffset(offset, routine_));
}

// Asked only once a block has failed a check, so that a well-formed index
// costs no look at the file's length.
bool IndexBlocks::beyondEnd(int32_t block) const {
  if (!file_.OpenFile || !file_.OpenFile->file) return false;
  const uint64_t start = (static_cast<uint64_t>(file_.Position) + static_cast<uint64_t>(block)) * kBlockSize;
  return start >= sizeKept(*file_.OpenFile->file);
}

std::string IndexBlocks::readHeaderUnchecked() { return readBlock(0); }

std::string IndexBlocks::readHeader() {
  std::string header = readBlock(0);
  const int32_t entryLength = IndexHeader::parse(header).entryLength;
  if (entryLength < kMinEntryLength || entryLength > kMaxEntryLength) {
    if (beyondEnd(0)) corrupt("the header lies beyond the end of the data file", 0);
  }
  useEntryLength(entryLength, 0);
  return header;
}

void IndexBlocks::useEntryLength(int32_t entryLength, int32_t block) {
  if (entryLength < kMinEntryLength || entryLength > kMaxEntryLength) {
    corrupt("entry length " + number(entryLength) + " lies outside " + number(kMinEntryLength) + " to " +
                number(kMaxEntryLength),
            block);
  }
  entryLength_ = entryLength;
}

std::string IndexBlocks::readNode(int32_t block) {
  std::string bytes = readBlock(block);
  const IndexNode node(bytes, entryLength_);
  if (!node.fits() || (!node.isLeaf() && node.entryCount() == 0)) {
    if (beyondEnd(block)) corrupt("the block lies beyond the end of the data file", block);
  }
  checkNode(node, block);
  return bytes;
}

void IndexBlocks::checkNode(const IndexNode& node, int32_t block) const {
  if (!node.fits()) {
    corrupt(number(node.entryCount()) + " entries of " + number(node.entryLength()) +
                " bytes do not fit in the block",
            block);
  }
  if (!node.isLeaf() && node.entryCount() == 0) corrupt("an inner node holds no entries", block);
}

void IndexBlocks::checkLink(int64_t target, std::string_view role, int32_t fromBlock) const {
  const int64_t highest = std::min<int64_t>(file_.LastRecord, kHighestNodeBlock);
  if (target < 1 || target > highest) {
    corrupt(std::string(role) + " " + number(target) + " lies outside the index (blocks 1 to " +
                number(highest) + ")",
            fromBlock);
  }
}

void IndexBlocks::enterLeaf(int32_t block, int32_t fromBlock) {
  if (block < 0 || block > kHighestNodeBlock) return;  // checkLink reports those
  if (enteredLeaves_.test(static_cast<std::size_t>(block))) {
    corrupt("the leaf chain loops back to block " + number(block), fromBlock);
  }
  enteredLeaves_.set(static_cast<std::size_t>(block));
}

}  // namespace velta
