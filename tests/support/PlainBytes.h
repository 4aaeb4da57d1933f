// Reading the business system's bytes in tests with code of their own, not the
// engine's, so that a writer and a reader that share a mistake cannot agree.
//
//   std::string b = test::hexBytes("00 08 3f");     // blanks ignored
//   test::hexOf(b);                                 // "00083f"
//   test::beU16(b, 0);                              // 8: big-endian, 0-based offset
//   test::plainUcm(word);                           // three characters a word
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velta::test {

std::string hexBytes(std::string_view text);
// The bytes as lower-case hexadecimal digits, two a byte, without blanks.
std::string hexOf(std::string_view bytes);

// Big-endian integers at a 0-based offset.
uint32_t beUnsigned(std::string_view bytes, std::size_t offset, int width);
inline unsigned beU16(std::string_view b, std::size_t offset) { return beUnsigned(b, offset, 2); }
inline unsigned beU24(std::string_view b, std::size_t offset) { return beUnsigned(b, offset, 3); }
inline int beI16(std::string_view b, std::size_t offset) { return static_cast<int16_t>(beUnsigned(b, offset, 2)); }
inline int beI24(std::string_view b, std::size_t offset) {
  const uint32_t v = beUnsigned(b, offset, 3);
  return static_cast<int>(v & 0x800000u ? v - 0x1000000u : v);
}
inline int32_t beI32(std::string_view b, std::size_t offset) {
  return static_cast<int32_t>(beUnsigned(b, offset, 4));
}

// Compressed text in the business system's alphabet: each 2-byte word a x 1600 + b x 40 + c.
std::string plainUcm(std::string_view bytes);
// `text` without trailing blanks.
std::string rtrim(std::string_view text);

}  // namespace velta::test
