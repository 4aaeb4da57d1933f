#include <string>
#include <string_view>

#include "tools/velta-data/Commands.h"

namespace velta::tools {

std::string toHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

std::string fromHex(std::string_view hex) {
  auto nibble = [&](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw UsageError("\"" + std::string(hex) + "\" is not hex: '" + std::string(1, c) + "' is not a hex digit");
  };
  if (hex.size() % 2 != 0) {
    throw UsageError("\"" + std::string(hex) + "\" is not hex: it has an odd number of digits");
  }
  std::string out;
  out.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    out += static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1]));
  }
  return out;
}

}  // namespace velta::tools
