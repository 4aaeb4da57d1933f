// Part lookups for the index benchmarks: parts of the sample business system
// picked at random (the same ones in every run), each with its key, the record
// it is at, and the blocks KFind reads to find it, as a counting share saw them.
//
//   std::vector<PartLookup> lookups = findPartLookups(LogicalOpen("PARTI"), *counts, kParts, 1024, depth);
//   for (uint64_t offset : lookups[0].offsets) ...   // the header, then one block per level
#pragma once

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/KeyedIndex.h"
#include "engine/NavigationBuffer.h"
#include "engine/cLogicalFile.h"
#include "tests/support/CountingShare.h"
#include "tools/sample/PartCatalog.h"

namespace velta::bench {

struct PartLookup {
  std::string key;
  int32_t record = 0;
  std::vector<uint64_t> offsets;  // the blocks KFind reads for it
};

// KFinds `count` random parts of a sample of `parts` parts in `index`, whose
// reads `counts` sees; `depth` becomes the index's depth. Throws when KFind
// does not find a part where the sample put it.
inline std::vector<PartLookup> findPartLookups(const LogicalFileHandle& index, test::CountingShare::Counts& counts,
                                               int64_t parts, std::size_t count, int& depth) {
  const sample::PartCatalog catalog(parts);
  std::mt19937_64 random(20240315);
  std::uniform_int_distribution<int64_t> pick(0, parts - 1);
  std::vector<PartLookup> lookups;
  std::string buff;
  for (std::size_t i = 0; i < count; ++i) {
    const sample::SamplePart part = catalog.part(pick(random));
    PartLookup lookup{part.key(), part.record, {}};
    std::string key = lookup.key;
    int32_t rec = 0;
    counts.reset();
    KFind(index, buff, key, rec);
    if (rec != lookup.record) throw std::runtime_error("KFind did not find a sample part");
    lookup.offsets = counts.offsets;
    lookups.push_back(std::move(lookup));
  }
  depth = NavigationBuffer(buff).depth();
  return lookups;
}

}  // namespace velta::bench
