#include "base/CompressedText.h"

#include <array>

#include "base/BaseState.h"
#include "base/EngineError.h"

namespace velta {

namespace {
// 40 * 40 * 40: the words that hold three characters; the rest hold two.
constexpr unsigned kThreeCharacterWords = 40 * 40 * 40;

void checkAlphabet(std::string_view alphabet, const char* source) {
  if (alphabet.size() != kCompressionAlphabetSize) throw EngineError::general(err::InvalidCall, source);
}
}  // namespace

std::string compressText(std::string_view source, std::string_view alphabet) {
  checkAlphabet(alphabet, "Crm");
  // One lookup table per call: the alphabet may change between calls (Stma 10).
  // Characters outside the alphabet count as index 0.
  std::array<unsigned char, 256> index{};
  for (std::size_t i = alphabet.size(); i-- > 0;) {
    index[static_cast<unsigned char>(alphabet[i])] = static_cast<unsigned char>(i);  // first occurrence wins
  }
  // A last group short of three characters is completed with blanks, as Crm pads.
  const unsigned blank = index[static_cast<unsigned char>(' ')];
  std::string out;
  out.reserve((source.size() + 2) / 3 * 2);
  for (std::size_t i = 0; i < source.size(); i += 3) {
    unsigned word = 0;
    for (std::size_t j = i; j < i + 3; ++j) {
      word = word * 40 + (j < source.size() ? index[static_cast<unsigned char>(source[j])] : blank);
    }
    out += static_cast<char>(word >> 8);
    out += static_cast<char>(word & 0xFF);
  }
  return out;
}

std::string expandText(std::string_view source, std::string_view alphabet) {
  checkAlphabet(alphabet, "Ucm");
  std::string out((source.size() + 1) / 2 * 3, '\0');
  char* to = out.data();
  for (std::size_t i = 0; i < source.size(); i += 2) {
    const unsigned high = static_cast<unsigned char>(source[i]);
    // A last single byte is completed with NUL, as Ucm pads.
    const unsigned low = i + 1 < source.size() ? static_cast<unsigned char>(source[i + 1]) : 0;
    const unsigned word = (high << 8) | low;
    if (word < kThreeCharacterWords) *to++ = alphabet[word / 1600];
    *to++ = alphabet[(word / 40) % 40];
    *to++ = alphabet[word % 40];
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return out;
}

std::string Crm(std::string& source) {
  if (source.size() % 3 != 0) source.append(3 - source.size() % 3, ' ');
  return compressText(source, baseState().compressionAlphabet);
}

std::string Ucm(std::string& source) {
  if (source.size() % 2 != 0) source += '\0';
  return expandText(source, baseState().compressionAlphabet);
}

}  // namespace velta
