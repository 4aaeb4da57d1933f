#include "tools/sample/RecordFields.h"

#include <stdexcept>

#include "base/CompressedText.h"

namespace velta::sample {
namespace {

void overwrite(std::string& record, int position, std::string_view field) {
  if (position < 1 || static_cast<std::size_t>(position) - 1 + field.size() > record.size()) {
    throw std::out_of_range("field at " + std::to_string(position) + " of " + std::to_string(field.size()) +
                            " bytes does not fit a record of " + std::to_string(record.size()));
  }
  record.replace(static_cast<std::size_t>(position) - 1, field.size(), field);
}

}  // namespace

void putText(std::string& record, int position, int width, std::string_view text) {
  std::string field(text.substr(0, static_cast<std::size_t>(width)));
  field.resize(static_cast<std::size_t>(width), ' ');
  overwrite(record, position, field);
}

std::string packedText(std::string_view text, int width) {
  // Whole words only: an odd width ends in one NUL byte, not half a word.
  const std::size_t characters = static_cast<std::size_t>(width) / 2 * 3;
  std::string packed = compressText(text.substr(0, characters), kDefaultCompressionAlphabet);
  packed.resize(static_cast<std::size_t>(width), '\0');
  return packed;
}

void putPacked(std::string& record, int position, int width, std::string_view text) {
  overwrite(record, position, packedText(text, width));
}

}  // namespace velta::sample
