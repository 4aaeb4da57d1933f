// The links file: arbitrary bytes become a link table without crashing, and
// every link in it is found again under its name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/cLinks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const velta::cLinks links(text);
  // At most one link per started 160-byte entry.
  if (static_cast<size_t>(links.Count()) > (size + 159) / 160) std::abort();
  for (const auto& link : links) {
    if (link->LinkFile.empty() || link->LinkFile.size() > 79 || link->ResolutionFile.size() > 79) std::abort();
    if (links.Item(link->LinkFile) == nullptr) std::abort();
  }
  return 0;
}
