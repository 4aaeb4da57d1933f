// The credentials-file reader on arbitrary bytes: no crash, and what it accepts
// is what libsmbclient can take (a user, values without NUL that fit its buffers).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/SmbCredentials.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool fits(const std::string& value) {
  return value.size() <= velta::kMaxCredentialLength && value.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = velta::parseSmbCredentials(text);
  if (read.credentials) {
    const auto& c = *read.credentials;
    check(read.problem.empty());
    check(!c.username.empty());
    check(fits(c.username) && fits(c.password) && fits(c.domain));
    // The value is everything after the first "=": it is in the text as it was read.
    check(text.find(c.username) != std::string_view::npos);
    check(text.find(c.password) != std::string_view::npos);
  } else {
    check(!read.problem.empty());
  }
  return 0;
}
