#include "tools/sample/IndexBuilder.h"

#include <algorithm>
#include <cstdio>

#include "base/ByteOrder.h"

namespace velta::sample {
namespace {

constexpr int kMaxEntryLength = kNodeRoom;                     // one entry fills a block
constexpr int kMaxKeyLength = kMaxEntryLength - kPointerSize;  // 504
constexpr uint16_t kDuplicatesAllowed = 0xFFFF;

std::string keyText(std::string_view key) {
  std::string out;
  char digits[3];
  for (unsigned char c : key) {
    std::snprintf(digits, sizeof digits, "%02x", c);
    out += digits;
  }
  return out;
}

int64_t ceilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }

}  // namespace

int fillTargetFor(int blockingFactor, int entriesPerBlock) {
  return (blockingFactor / 100) * entriesPerBlock;
}

IndexPlan planIndex(const IndexLayout& layout, int64_t entryCount) {
  if (layout.keyLength < 1 || layout.keyLength > kMaxKeyLength) {
    throw IndexBuildError("index key length " + std::to_string(layout.keyLength) + " is outside 1 to " +
                          std::to_string(kMaxKeyLength) + " (an entry of key + 4 bytes must fit the " +
                          std::to_string(kNodeRoom) + " bytes of a node)");
  }
  if (entryCount < 0) throw IndexBuildError("an index cannot hold a negative number of keys");
  if (layout.fillTarget < 0 || layout.fillTarget > 0xFFFF) {
    throw IndexBuildError("index fill target " + std::to_string(layout.fillTarget) +
                          " does not fit the header's 16 bits");
  }
  IndexPlan plan;
  plan.entryLength = layout.keyLength + kPointerSize;
  plan.entriesPerBlock = kNodeRoom / plan.entryLength;
  const int wanted = layout.fillTarget == 0 ? plan.entriesPerBlock : layout.fillTarget;
  plan.leafFill = std::min(wanted, plan.entriesPerBlock);
  plan.innerFill = std::min(std::max(plan.leafFill, 2), plan.entriesPerBlock);

  const int64_t leafEntries = entryCount + 1;  // the sentinel too
  int64_t nodes = ceilDiv(leafEntries, plan.leafFill);
  plan.nodesPerLevel.push_back(nodes);
  if (nodes > 1 && plan.innerFill < 2) {
    throw IndexBuildError("index entries of " + std::to_string(plan.entryLength) +
                          " bytes leave room for one per node; an index of " + std::to_string(entryCount) +
                          " keys needs inner nodes of at least two entries");
  }
  while (nodes > 1) {
    nodes = ceilDiv(nodes, plan.innerFill);
    plan.nodesPerLevel.push_back(nodes);
  }
  if (plan.depth() > kMaxIndexDepth) {
    throw IndexBuildError("an index of " + std::to_string(entryCount) + " keys would be " +
                          std::to_string(plan.depth()) + " levels deep; the format allows at most " +
                          std::to_string(kMaxIndexDepth));
  }
  int64_t nodeCount = 0;
  for (int64_t n : plan.nodesPerLevel) nodeCount += n;
  if (nodeCount > kMaxNodeBlock) {
    throw IndexBuildError("an index of " + std::to_string(entryCount) + " keys would need " +
                          std::to_string(nodeCount) + " nodes; 16-bit block numbers allow at most " +
                          std::to_string(kMaxNodeBlock));
  }
  plan.blockCount = nodeCount + 1;
  return plan;
}

IndexBuilder::IndexBuilder(IndexLayout layout, int64_t entryCount)
    : layout_(layout),
      plan_(planIndex(layout, entryCount)),
      entryCount_(entryCount),
      levels_(plan_.nodesPerLevel.size()) {
  blocks_.reserve(static_cast<std::size_t>(plan_.blockCount));
  blocks_.emplace_back();  // the header, made last
}

void IndexBuilder::add(std::string_view key, int32_t record) {
  if (finished_) throw IndexBuildError("index builder used after finish()");
  const int64_t number = added_ + 1;
  if (added_ == entryCount_) {
    throw IndexBuildError("index key #" + std::to_string(number) + " is more than the " +
                          std::to_string(entryCount_) + " the builder was told of");
  }
  if (static_cast<int>(key.size()) != layout_.keyLength) {
    throw IndexBuildError("index key #" + std::to_string(number) + " (" + keyText(key) + ") is " +
                          std::to_string(key.size()) + " bytes; the index's keys are " +
                          std::to_string(layout_.keyLength));
  }
  if (key.find_first_not_of('\xFF') == std::string_view::npos) {
    throw IndexBuildError("index key #" + std::to_string(number) +
                          " is all FF bytes, the sentinel's key; every key must be below it");
  }
  if (added_ > 0) {
    const int order = key.compare(lastKey_);  // char_traits<char> compares as unsigned char
    if (order < 0) {
      throw IndexBuildError("index keys out of order: key #" + std::to_string(number) + " (" + keyText(key) +
                            ") is below the key before it (" + keyText(lastKey_) + ")");
    }
    if (order == 0 && !layout_.duplicateKeys) {
      throw IndexBuildError("index key #" + std::to_string(number) + " (" + keyText(key) +
                            ") repeats the key before it, and the index allows no duplicate keys");
    }
  }
  lastKey_.assign(key);
  ++added_;
  append(0, key, record);
}

// Every node of a level holds the level's fill but the last, which holds the rest.
int IndexBuilder::targetSize(std::size_t level) const {
  const int64_t fill = level == 0 ? plan_.leafFill : plan_.innerFill;
  const int64_t nodes = plan_.nodesPerLevel[level];
  if (levels_[level].completed < nodes - 1) return static_cast<int>(fill);
  const int64_t items = level == 0 ? entryCount_ + 1 : plan_.nodesPerLevel[level - 1];
  return static_cast<int>(items - fill * (nodes - 1));
}

void IndexBuilder::append(std::size_t level, std::string_view key, int32_t pointer) {
  Level& current = levels_[level];
  const std::size_t keyOffset = current.entries.size();
  current.entries += key;
  current.entries.resize(keyOffset + key.size() + kPointerSize);
  storeI32(current.entries, keyOffset + key.size(), pointer);
  if (++current.count < targetSize(level)) return;

  std::string block(kIndexBlockSize, '\0');
  storeU16(block, 0, static_cast<uint16_t>(current.count));
  storeU16(block, 2, level == 0 ? kLastLeaf : 0);
  block.replace(kNodeHeadSize, current.entries.size(), current.entries);
  const std::string highest = current.entries.substr(keyOffset, key.size());
  const auto number = static_cast<uint16_t>(blocks_.size());
  blocks_.push_back(std::move(block));
  if (level == 0) {
    if (previousLeaf_ >= 0) storeU16(blocks_[static_cast<std::size_t>(previousLeaf_)], 2, number);
    previousLeaf_ = number;
  }
  current.entries.clear();
  current.count = 0;
  ++current.completed;
  if (level + 1 < levels_.size()) {
    append(level + 1, highest, number);
  } else {
    root_ = number;
  }
}

std::string IndexBuilder::header() const {
  std::string block(kIndexBlockSize, '\0');
  const auto highestBlock = static_cast<uint16_t>(blocks_.size() - 1);
  storeU16(block, 0, static_cast<uint16_t>(plan_.entryLength));
  storeU16(block, 2, static_cast<uint16_t>(plan_.entriesPerBlock));
  storeU16(block, 4, highestBlock);
  storeU16(block, 6, static_cast<uint16_t>(blocks_.size()));
  storeU16(block, 8, root_);
  storeU16(block, 10, static_cast<uint16_t>(layout_.fillTarget));
  storeU16(block, 12, layout_.duplicateKeys ? kDuplicatesAllowed : 0);
  return block;
}

std::vector<std::string> IndexBuilder::finish() {
  if (finished_) throw IndexBuildError("index builder finished twice");
  if (added_ != entryCount_) {
    throw IndexBuildError("index builder told of " + std::to_string(entryCount_) + " keys was given " +
                          std::to_string(added_));
  }
  finished_ = true;
  append(0, std::string(static_cast<std::size_t>(layout_.keyLength), '\xFF'), kNoRecord);
  blocks_.front() = header();
  return std::move(blocks_);
}

std::vector<std::string> buildIndex(const IndexLayout& layout, std::span<const IndexEntry> entries) {
  IndexBuilder builder(layout, static_cast<int64_t>(entries.size()));
  for (const IndexEntry& entry : entries) builder.add(entry.key, entry.record);
  return builder.finish();
}

}  // namespace velta::sample
