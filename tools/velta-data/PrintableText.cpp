#include "tools/velta-data/Commands.h"

#include <cstdio>

namespace velta::tools {

// Record fields are 8-bit text of the business system: a byte that is not
// printable ASCII is shown as \xNN, so a record's raw bytes never reach the
// terminal as control characters or as half of another encoding's character.
std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    }
  }
  return out;
}

}  // namespace velta::tools
