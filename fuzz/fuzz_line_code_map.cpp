// The line-code map loader on arbitrary map-file text, then lookups of every
// code the text could hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/TextUtilities.h"
#include "link/LineCodeMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto map = velta::LineCodeMap::fromText(text);
  for (const auto& word : velta::Split(text, " ")) {
    const std::string hbt = map.hBTLineCode(velta::Value(word));
    // Every stored code is one of the text's words, upper-cased, without blanks.
    if (hbt.find(' ') != std::string::npos || hbt != velta::upperAscii(hbt)) std::abort();
    map.rktLineCode(velta::Value(word));
  }
  map.hBTLineCode(velta::Value(static_cast<double>(size)));
  return 0;
}
