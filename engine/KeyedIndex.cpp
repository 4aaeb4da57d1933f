#include "engine/KeyedIndex.h"

#include <limits>

#include "engine/IndexBlocks.h"
#include "engine/IndexStepBack.h"
#include "engine/NavigationBuffer.h"
#include "base/Notice.h"

namespace velta {

namespace {

enum class FindEnd { Entry, End, OutOfRange };

struct FindResult {
  FindEnd end = FindEnd::Entry;
  int depth = 0;
};

std::string withLeadingBlank(int32_t n) { return (n >= 0 ? " " : "") + std::to_string(n); }

void noticeOutOfRange(const cLogicalFile& file) {
  Notice notice;
  notice.text = "Index is returning information out of Range.  File: " + file.FileName +
                " LastRec: " + withLeadingBlank(file.LastRecord);
  notice.icon = Notice::Icon::Critical;
  notify(notice);
}

// The first entry whose key is at or after `key`, 0 when there is none.
int32_t firstAtOrAfter(const IndexNode& node, std::string_view key) {
  for (int32_t k = 1; k <= node.entryCount(); ++k) {
    if (compareKeys(node.key(k), key) >= 0) return k;
  }
  return 0;
}

// Moves the buffer from its leaf (at `depth`) to the next one in the chain.
void followLeafChain(IndexBlocks& blocks, NavigationBuffer& nav, int depth) {
  const int32_t from = nav.pathBlock(depth);
  const int32_t next = nav.node().nextLeaf();
  blocks.checkLink(next, "next-leaf pointer", from);
  blocks.enterLeaf(next, from);
  nav.setNode(blocks.readNode(next));
  if (!nav.node().isLeaf()) blocks.corrupt("the leaf chain leads to an inner node", next);
  nav.setPathBlock(depth, next);
}

// From the root down to a leaf, each node read into the buffer one level
// deeper and recorded in the path. `pick` gives the entry of an inner node to
// follow; `admit` may stop the descent before a block is read, and the result
// is then 0. Otherwise the result is the leaf's depth.
template <typename Pick, typename Admit>
int descendToLeaf(IndexBlocks& blocks, NavigationBuffer& nav, int64_t root, Pick pick, Admit admit) {
  int64_t block = root;
  std::string_view role = "root block";
  int32_t from = 0;
  int depth = 0;
  while (true) {
    if (!admit(block)) return 0;
    blocks.checkLink(block, role, from);
    const auto here = static_cast<int32_t>(block);
    if (depth == kMaxIndexDepth) {
      blocks.corrupt("the path from the root is deeper than " + std::to_string(kMaxIndexDepth) + " levels", here);
    }
    nav.setNode(blocks.readNode(here));
    ++depth;
    nav.setPathBlock(depth, here);
    const IndexNode node = nav.node();
    if (node.isLeaf()) return depth;
    from = here;
    block = node.pointer(pick(node, here));
    role = "child pointer";
  }
}

void takeEntry(const IndexNode& node, int32_t k, std::string& Key, int32_t& Rec) {
  Key = std::string(node.key(k));
  Rec = recordOfPointer(node.pointer(k));
}

FindResult find(IndexBlocks& blocks, std::string& Buff, std::string& Key, int32_t& Rec) {
  const std::string header = blocks.readHeader();
  Key.resize(static_cast<std::size_t>(blocks.entryLength() - kIndexPointerBytes), '\0');
  NavigationBuffer nav(Buff);
  nav.setHeader(header);

  bool inRange = true;
  const int depth = descendToLeaf(
      blocks, nav, IndexHeader::parse(header).rootBlock,
      [&](const IndexNode& node, int32_t block) {
        const int32_t k = firstAtOrAfter(node, Key);
        if (k == 0) blocks.corrupt("every key of the inner node lies below the search key", block);
        return k;
      },
      [&](int64_t block) { return inRange = block <= blocks.file().LastRecord; });
  if (!inRange) {
    noticeOutOfRange(blocks.file());
    Rec = 0;
    return {FindEnd::OutOfRange, 0};
  }
  int32_t k = firstAtOrAfter(nav.node(), Key);

  // In a leaf with no entry at or after the key, the chain holds the next one.
  blocks.enterLeaf(nav.pathBlock(depth), nav.pathBlock(depth));
  while (k == 0) {
    if (nav.node().isLastLeaf()) {
      Rec = 0;
      return {FindEnd::End, depth};
    }
    followLeafChain(blocks, nav, depth);
    k = firstAtOrAfter(nav.node(), Key);
  }

  const IndexNode leaf = nav.node();
  Rec = recordOfPointer(leaf.pointer(k));
  if (compareKeys(Key, leaf.key(k)) < 0) {
    if (Rec == std::numeric_limits<int32_t>::min()) throw EngineError::general(err::Overflow, blocks.routine());
    Rec = -Rec;
    Key = std::string(leaf.key(k));
  }
  nav.setEntryIndex(k);
  nav.setDepth(depth);
  return {FindEnd::Entry, depth};
}

// The cursor a caller's buffer holds must be one a navigation call can have
// left: entry index `lowest` to n of a leaf at depth 1 to 7.
void checkCursor(IndexBlocks& blocks, NavigationBuffer& nav, int32_t lowest) {
  const int depth = nav.depth();
  const int32_t block = depth >= 1 && depth <= kMaxIndexDepth ? nav.pathBlock(depth) : 0;
  blocks.useEntryLength(nav.entryLength(), block);
  if (depth < 1 || depth > kMaxIndexDepth) {
    blocks.corrupt("the navigation buffer holds depth " + std::to_string(depth) + ", outside 1 to " +
                       std::to_string(kMaxIndexDepth),
                   block);
  }
  const IndexNode node = nav.node();
  blocks.checkNode(node, block);
  if (!node.isLeaf()) blocks.corrupt("the navigation buffer holds an inner node, not a leaf", block);
  const int32_t i = nav.entryIndex();
  if (i < lowest || i > node.entryCount()) {
    blocks.corrupt("the navigation buffer's entry index " + std::to_string(i) + " lies outside " +
                       std::to_string(lowest) + " to " + std::to_string(node.entryCount()),
                   block);
  }
}

}  // namespace

void KFind(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec) {
  IndexBlocks blocks(LogicalFile, "KFind");
  find(blocks, Buff, Key, Rec);
}

void KNext(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec) {
  IndexBlocks blocks(LogicalFile, "KNext");
  NavigationBuffer nav(Buff);
  checkCursor(blocks, nav, 0);
  const int depth = nav.depth();
  int32_t i = nav.entryIndex();
  if (i == nav.node().entryCount()) {
    // Past leaves without entries too, as KFind goes; at the end the buffer stays as it was.
    const std::string saved = Buff;
    blocks.enterLeaf(nav.pathBlock(depth), nav.pathBlock(depth));
    do {
      if (nav.node().isLastLeaf()) {
        Buff = saved;
        Rec = 0;
        return;
      }
      followLeafChain(blocks, nav, depth);
    } while (nav.node().entryCount() == 0);
    i = 0;
  }
  ++i;
  takeEntry(nav.node(), i, Key, Rec);
  nav.setEntryIndex(i);
}

void KPrev(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec) {
  IndexBlocks blocks(LogicalFile, "KPrev");
  NavigationBuffer nav(Buff);
  checkCursor(blocks, nav, 1);
  stepBack(blocks, nav, Key, Rec);
}

void KLast(const LogicalFileHandle& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec) {
  IndexBlocks blocks(LogicalFile, "KLast");
  const std::string header = blocks.readHeader();
  NavigationBuffer nav(Buff);
  nav.setHeader(header);

  const int depth = descendToLeaf(
      blocks, nav, IndexHeader::parse(header).rootBlock,
      [](const IndexNode& node, int32_t) { return node.entryCount(); }, [](int64_t) { return true; });

  const IndexNode leaf = nav.node();
  const int32_t n = leaf.entryCount();
  if (n == 0) blocks.corrupt("the last leaf holds no entries", nav.pathBlock(depth));
  nav.setDepth(depth);
  if (n >= 2) {
    takeEntry(leaf, n - 1, Key, Rec);
    nav.setEntryIndex(n - 1);
    return;
  }
  // The last leaf holds only the sentinel: the last key, if any, lies before it.
  takeEntry(leaf, 1, Key, Rec);
  nav.setEntryIndex(1);
  stepBack(blocks, nav, Key, Rec);
}

int32_t KCount(const LogicalFileHandle& LogicalFile) {
  IndexBlocks blocks(LogicalFile, "KCount");
  std::string buff(NavigationBuffer::kLength, '\0');
  std::string key;
  int32_t rec = 0;
  const FindResult found = find(blocks, buff, key, rec);
  // The notice has told of the node out of range; there is no leaf to count from.
  if (found.end == FindEnd::OutOfRange) return 0;
  NavigationBuffer nav(buff);
  int64_t total = nav.node().entryCount();
  while (!nav.node().isLastLeaf()) {
    followLeafChain(blocks, nav, found.depth);
    total += nav.node().entryCount();
  }
  return static_cast<int32_t>(total - 1);
}

int32_t KLength(const LogicalFileHandle& LogicalFile) {
  IndexBlocks blocks(LogicalFile, "KLength");
  return IndexHeader::parse(blocks.readHeaderUnchecked()).entryLength - kIndexPointerBytes;
}

}  // namespace velta
