#include "engine/CompressedText.h"

#include <array>

#include "engine/ModuleState.h"

namespace velta {

std::string compressText(std::string_view source, std::string_view alphabet) {
  // One lookup table per call: the alphabet may change between calls (Stma 10).
  std::array<unsigned, 256> index{};
  for (std::size_t i = alphabet.size(); i-- > 0;) {
    index[static_cast<unsigned char>(alphabet[i])] = static_cast<unsigned>(i);  // first occurrence wins
  }
  std::string out;
  out.reserve((source.size() + 2) / 3 * 2);
  for (std::size_t i = 0; i < source.size(); i += 3) {
    unsigned word = 0;
    for (std::size_t j = i; j < i + 3; ++j) {
      word = word * 40 + (j < source.size() ? index[static_cast<unsigned char>(source[j])] : 0);
    }
    out += static_cast<char>(word >> 8);
    out += static_cast<char>(word & 0xFF);
  }
  return out;
}

std::string expandText(std::string_view source, std::string_view alphabet) {
  std::string out;
  out.reserve(source.size() / 2 * 3 + 3);
  for (std::size_t i = 0; i < source.size(); i += 2) {
    const unsigned high = static_cast<unsigned char>(source[i]);
    const unsigned low = i + 1 < source.size() ? static_cast<unsigned char>(source[i + 1]) : 0;
    const unsigned word = (high << 8) | low;
    if (word < 64000) out += alphabet[word / 1600];
    out += alphabet[(word / 40) % 40];
    out += alphabet[word % 40];
  }
  return out;
}

std::string Crm(std::string& source) {
  if (source.size() % 3 != 0) source.append(3 - source.size() % 3, ' ');
  return compressText(source, moduleState().compressionAlphabet);
}

std::string Ucm(std::string& source) {
  if (source.size() % 2 != 0) source += '\0';
  return expandText(source, moduleState().compressionAlphabet);
}

}  // namespace velta
