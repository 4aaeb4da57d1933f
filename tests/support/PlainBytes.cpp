#include "support/PlainBytes.h"

namespace velta::test {

std::string hexBytes(std::string_view text) {
  std::string out;
  int high = -1;
  for (char c : text) {
    if (c == ' ') continue;
    const int v = (c >= '0' && c <= '9') ? c - '0' : (c | 0x20) - 'a' + 10;
    if (high < 0) {
      high = v;
    } else {
      out += static_cast<char>(high * 16 + v);
      high = -1;
    }
  }
  return out;
}

std::string hexOf(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    out += kDigits[static_cast<unsigned char>(c) >> 4];
    out += kDigits[static_cast<unsigned char>(c) & 0x0F];
  }
  return out;
}

uint32_t beUnsigned(std::string_view bytes, std::size_t offset, int width) {
  uint32_t v = 0;
  for (int i = 0; i < width; ++i) v = v * 256u + static_cast<unsigned char>(bytes.at(offset + i));
  return v;
}

std::string plainUcm(std::string_view bytes) {
  static constexpr std::string_view kAlphabet = " ,/.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned word = beU16(bytes, i);
    out += kAlphabet.at(word / 1600);
    out += kAlphabet.at(word / 40 % 40);
    out += kAlphabet.at(word % 40);
  }
  return out;
}

std::string rtrim(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

}  // namespace velta::test
