#include "support/IndexWalk.h"

#include <fstream>
#include <map>
#include <set>
#include <stdexcept>

#include "support/PlainBytes.h"

namespace velta::test {
namespace {

constexpr std::size_t kBlock = 512;

struct Walker {
  const std::vector<std::string>& blocks;
  IndexWalk& walk;
  int entryLength;
  std::map<unsigned, int> depthOf;
  std::vector<unsigned> leavesInOrder;

  void problem(const std::string& what, unsigned block) { walk.problems.push_back(what + " (block " + std::to_string(block) + ")"); }

  // The highest key of the subtree at `b`.
  std::string visit(unsigned b, int depth, bool rightmost) {
    if (b == 0 || b >= blocks.size()) {
      problem("pointer outside the index", b);
      return {};
    }
    if (!depthOf.emplace(b, depth).second) {
      problem("block reached twice", b);
      return {};
    }
    const std::string& node = blocks[b];
    const unsigned n = beU16(node, 0);
    if (n == 0 || n > (kBlock - 4) / entryLength) {
      problem("entry count " + std::to_string(n), b);
      return {};
    }
    auto keyOf = [&](unsigned k) { return node.substr(4 + k * entryLength, walk.keyLength); };
    auto pointerOf = [&](unsigned k) { return beI32(node, 4 + k * entryLength + walk.keyLength); };
    const std::string last = keyOf(n - 1);
    if (rightmost && last != std::string(walk.keyLength, '\xFF')) problem("no sentinel on the rightmost path", b);
    if (beU16(node, 2) != 0) {  // a leaf
      if (walk.depth == 0) walk.depth = depth;
      if (walk.depth != depth) problem("leaf at depth " + std::to_string(depth), b);
      if (rightmost && pointerOf(n - 1) != -1) problem("sentinel pointer not -1", b);
      leavesInOrder.push_back(b);
      return last;
    }
    for (unsigned k = 0; k < n; ++k) {
      const std::string highest = visit(static_cast<unsigned>(pointerOf(k)), depth + 1, rightmost && k + 1 == n);
      if (highest != keyOf(k)) problem("inner key " + std::to_string(k + 1) + " is not its child's highest", b);
    }
    return last;
  }
};

}  // namespace

IndexWalk walkIndex(const std::vector<std::string>& blocks) {
  IndexWalk walk;
  if (blocks.size() < 2) {
    walk.problems.push_back("fewer than two blocks");
    return walk;
  }
  const std::string& header = blocks[0];
  const int entryLength = static_cast<int>(beU16(header, 0));
  walk.keyLength = entryLength - 4;
  if (beU16(header, 2) != (kBlock - 4) / entryLength) walk.problems.push_back("entries per block");
  if (beU16(header, 4) != blocks.size() - 1) walk.problems.push_back("LastRecord is not the highest block");
  if (beU16(header, 6) != blocks.size()) walk.problems.push_back("next unused block");
  Walker walker{blocks, walk, entryLength, {}, {}};
  walker.visit(beU16(header, 8), 1, true);
  if (walker.depthOf.size() != blocks.size() - 1) walk.problems.push_back("blocks never reached");

  // The chain from the leftmost leaf must meet the leaves in tree order.
  unsigned b = walker.leavesInOrder.empty() ? 0 : walker.leavesInOrder.front();
  std::set<unsigned> seen;
  for (std::size_t i = 0; b != 0xFFFF && b < blocks.size(); ++i) {
    if (!seen.insert(b).second) {
      walk.problems.push_back("leaf chain loops");
      break;
    }
    if (i >= walker.leavesInOrder.size() || walker.leavesInOrder[i] != b) {
      walk.problems.push_back("leaf chain leaves tree order at block " + std::to_string(b));
      break;
    }
    const std::string& leaf = blocks[b];
    for (unsigned k = 0; k < beU16(leaf, 0); ++k) {
      walk.leafEntries.emplace_back(leaf.substr(4 + k * entryLength, walk.keyLength),
                                    beI32(leaf, 4 + k * entryLength + walk.keyLength));
    }
    b = beU16(leaf, 2);
  }
  if (seen.size() != walker.leavesInOrder.size()) walk.problems.push_back("leaf chain misses leaves");
  return walk;
}

std::vector<std::string> indexBlocks(const std::string& dataFile, int64_t position, int64_t count) {
  std::ifstream in(dataFile, std::ios::binary);
  in.seekg(position * static_cast<int64_t>(kBlock));
  std::vector<std::string> blocks;
  for (int64_t i = 0; i < count; ++i) {
    std::string block(kBlock, '\0');
    if (!in.read(block.data(), kBlock)) throw std::runtime_error("short index in " + dataFile);
    blocks.push_back(std::move(block));
  }
  return blocks;
}

}  // namespace velta::test
