// One step back from a navigation buffer's cursor: KPrev, and KLast where the
// last leaf holds only the sentinel.
//
// From the first entry of a node the step walks up the path while the cursor
// is on a first entry, finding in each parent the entry that points to the
// node below (the node's highest key and its block number), then down the
// rightmost branch of the left neighbour to its last entry.
//
// KNext and KFind follow the leaf chain and update only the leaf's own path
// entry, so after crossing into a leaf under another parent the path above it
// is stale and the parent entry is not where the path says. The step then
// rebuilds the path by descending from the root to the current leaf, and goes
// on from there.
#pragma once

#include <cstdint>
#include <string>

#include "engine/IndexBlocks.h"
#include "engine/NavigationBuffer.h"

namespace velta {

// Moves the cursor to the entry before it and gives that entry's key and
// record. At the first entry of the index it gives Rec 0, restores the buffer
// as it was and leaves Key alone; the result is false then.
// The buffer must hold a checked cursor (entry index 1 to n of a leaf).
bool stepBack(IndexBlocks& blocks, NavigationBuffer& nav, std::string& Key, int32_t& Rec);

}  // namespace velta
