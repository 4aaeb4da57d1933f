// The terminal map on arbitrary bytes: the first input byte splits the rest
// into the map text and the computer name; the address is fixed.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/EngineStartup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t cut = data[0] % (input.size() + 1);
  const std::string id = velta::terminalIdFromMap(input.substr(cut), input.substr(0, cut), "10.0.0.9");
  if (id.empty() || id.size() > input.size() + 1) __builtin_trap();
  return 0;
}
