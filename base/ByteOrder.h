// All byte-order code of the core: big-endian fields inside record strings.
//
// The business system stores every integer most significant byte first. Record
// strings carry one byte per character; offsets here are 0-based and unchecked
// (callers check lengths first, with the error their own rules give).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velta {

// The `width` bytes (1 to 4) at `offset`, most significant first, as an unsigned number.
inline uint32_t loadBigEndian(std::string_view data, std::size_t offset, int width) {
  uint32_t value = 0;
  for (int i = 0; i < width; ++i) {
    value = (value << 8) | static_cast<unsigned char>(data[offset + i]);
  }
  return value;
}

// Stores the low-order `width` bytes (1 to 4) of `value` at `offset`, most significant first.
inline void storeBigEndian(std::string& data, std::size_t offset, int width, uint32_t value) {
  for (int i = width - 1; i >= 0; --i) {
    data[offset + i] = static_cast<char>(value & 0xFFu);
    value >>= 8;
  }
}

inline uint16_t loadU16(std::string_view data, std::size_t offset) {
  return static_cast<uint16_t>(loadBigEndian(data, offset, 2));
}
inline int32_t loadI32(std::string_view data, std::size_t offset) {
  return static_cast<int32_t>(loadBigEndian(data, offset, 4));
}
inline void storeU16(std::string& data, std::size_t offset, uint16_t value) {
  storeBigEndian(data, offset, 2, value);
}
inline void storeI32(std::string& data, std::size_t offset, int32_t value) {
  storeBigEndian(data, offset, 4, static_cast<uint32_t>(value));
}

}  // namespace velta
