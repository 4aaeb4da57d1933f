#include "engine/IndexStepBack.h"

#include <bitset>
#include <memory>
#include <vector>

#include "base/ByteOrder.h"

namespace velta {

namespace {

enum class Walk { Moved, AtStart, ParentMissing };

struct WalkResult {
  Walk outcome = Walk::Moved;
  int32_t index = 0;         // Moved: the entry reached in the leaf
  int32_t parentBlock = 0;   // ParentMissing: where the parent entry was looked for
  int32_t childBlock = 0;    // ParentMissing: the node whose parent entry was missing
};

bool validNodeBlock(const IndexBlocks& blocks, int32_t block) {
  return block >= 1 && block <= blocks.file().LastRecord && block <= kHighestNodeBlock;
}

// Up the path while on a first entry, then down the rightmost branch of the
// left neighbour. Leaves the buffer half-moved when it returns early.
WalkResult walk(IndexBlocks& blocks, NavigationBuffer& nav) {
  const int depth = nav.depth();
  const int32_t entryLength = blocks.entryLength();
  int level = depth;
  int32_t i = nav.entryIndex();
  while (i == 1) {
    --level;
    if (level < 1) return {Walk::AtStart};
    const int32_t child = nav.pathBlock(level + 1);
    const int32_t parent = nav.pathBlock(level);
    const IndexNode node = nav.node();
    std::string parentEntry(node.entry(node.entryCount()));
    storeI32(parentEntry, static_cast<std::size_t>(entryLength - kIndexPointerBytes), child);
    if (!validNodeBlock(blocks, parent)) return {Walk::ParentMissing, 0, parent, child};
    nav.setNode(blocks.readNode(parent));
    const IndexNode above = nav.node();
    i = 0;
    if (!above.isLeaf()) {
      for (int32_t k = above.entryCount(); k >= 1 && i == 0; --k) {
        if (above.entry(k) == parentEntry) i = k;
      }
    }
    if (i == 0) return {Walk::ParentMissing, 0, parent, child};
  }
  while (level < depth) {
    const int32_t from = nav.pathBlock(level);
    const int32_t child = nav.node().pointer(i - 1);
    blocks.checkLink(child, "child pointer", from);
    nav.setNode(blocks.readNode(child));
    ++level;
    nav.setPathBlock(level, child);
    const IndexNode below = nav.node();
    if (below.isLeaf() != (level == depth)) {
      blocks.corrupt(level == depth ? "an inner node lies at the depth of the leaves"
                                    : "a leaf lies above the depth of the leaves",
                     child);
    }
    if (below.entryCount() == 0) blocks.corrupt("the leaf holds no entries", child);
    i = below.entryCount() + 1;
  }
  return {Walk::Moved, i - 1};
}

// Depth-first from `block` (an inner node at `level`) towards `leaf` at
// `depth`, through the entries at or above the leaf's highest key: the first
// such entry leads to the leaf unless keys equal to it run on into later
// entries. Each inner node is read once at most, whatever the index holds.
bool descendTo(IndexBlocks& blocks, int32_t block, int level, int depth, int32_t leaf, const std::string& highestKey,
               std::vector<int32_t>& path, std::bitset<kHighestNodeBlock + 1>& seen) {
  const std::string bytes = blocks.readNode(block);
  const IndexNode node(bytes, blocks.entryLength());
  if (node.isLeaf()) return false;
  path[static_cast<std::size_t>(level)] = block;
  for (int32_t k = 1; k <= node.entryCount(); ++k) {
    if (compareKeys(node.key(k), highestKey) < 0) continue;
    const int32_t child = node.pointer(k);
    if (level + 1 == depth) {
      if (child == leaf) return true;
    } else if (validNodeBlock(blocks, child) && !seen.test(static_cast<std::size_t>(child))) {
      seen.set(static_cast<std::size_t>(child));
      if (descendTo(blocks, child, level + 1, depth, leaf, highestKey, path, seen)) return true;
    }
    if (compareKeys(node.key(k), highestKey) != 0) break;
  }
  return false;
}

void rebuildPath(IndexBlocks& blocks, NavigationBuffer& nav) {
  const int depth = nav.depth();
  const int32_t leaf = nav.pathBlock(depth);
  const IndexNode leafNode = nav.node();
  const std::string highestKey(leafNode.key(leafNode.entryCount()));
  const int32_t root = nav.rootBlock();
  blocks.checkLink(root, "root block", 0);
  std::vector<int32_t> path(static_cast<std::size_t>(depth) + 1, 0);
  auto seen = std::make_unique<std::bitset<kHighestNodeBlock + 1>>();
  seen->set(static_cast<std::size_t>(root));
  if (!descendTo(blocks, root, 1, depth, leaf, highestKey, path, *seen)) {
    blocks.corrupt("no path from the root leads to this leaf", leaf);
  }
  for (int d = 1; d < depth; ++d) nav.setPathBlock(d, path[static_cast<std::size_t>(d)]);
}

}  // namespace

bool stepBack(IndexBlocks& blocks, NavigationBuffer& nav, std::string& Key, int32_t& Rec) {
  std::string& buff = nav.bytes();
  const std::string saved = buff;
  WalkResult result = walk(blocks, nav);
  if (result.outcome == Walk::ParentMissing) {
    buff = saved;
    rebuildPath(blocks, nav);
    result = walk(blocks, nav);
    if (result.outcome == Walk::ParentMissing) {
      blocks.corrupt("no entry points to block " + std::to_string(result.childBlock), result.parentBlock);
    }
  }
  if (result.outcome == Walk::AtStart) {
    buff = saved;
    Rec = 0;
    return false;
  }
  const IndexNode leaf = nav.node();
  Key = std::string(leaf.key(result.index));
  Rec = recordOfPointer(leaf.pointer(result.index));
  nav.setEntryIndex(result.index);
  return true;
}

}  // namespace velta
