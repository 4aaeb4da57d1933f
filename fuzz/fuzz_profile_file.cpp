// The profile-file reader on arbitrary text: the first line of the input names
// a section and a key ("section=key"), the rest is the profile.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t lineEnd = input.find('\n');
  const std::string_view query = input.substr(0, lineEnd);
  const std::string_view text = lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1);
  const std::size_t equals = query.find('=');
  const std::string_view section = query.substr(0, equals);
  const std::string_view key = equals == std::string_view::npos ? std::string_view() : query.substr(equals + 1);

  const auto profile = velta::ProfileFile::parse(text);
  const auto value = profile.value(section, key);
  // A value never holds a line end: lines end at CR and LF.
  if (value && value->find_first_of("\r\n") != std::string::npos) std::abort();
  return 0;
}
