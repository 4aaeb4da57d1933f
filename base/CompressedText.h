// Compressed text: three characters of a 40-character alphabet in one 2-byte word.
//
//   word = a * 1600 + b * 40 + c      (big-endian, a b c the alphabet indexes)
//
// The alphabet is base state (BaseState::compressionAlphabet), initially
// " ,/.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"; Stma code 10 replaces its first
// four characters. Words from 64000 up have no first character.
//
//   std::string s = "ABC";
//   Crm(s)        // "\x59\xE8" (23016)
//   std::string w = "\x59\xE8";
//   Ucm(w)        // "ABC"
#pragma once

#include <string>
#include <string_view>

namespace velta {

inline constexpr std::string_view kDefaultCompressionAlphabet = " ,/.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::size_t kCompressionAlphabetSize = 40;
static_assert(kDefaultCompressionAlphabet.size() == kCompressionAlphabetSize);

// Pads `source` with blanks to a multiple of three characters (in the caller's
// variable) and compresses it; characters outside the alphabet count as index 0
// (the blank, until Stma 10 replaces it).
std::string Crm(std::string& source);
// Pads `source` with one NUL when its length is odd (in the caller's variable)
// and expands it; words from 64000 up give two characters, not three.
std::string Ucm(std::string& source);

// The same with an explicit alphabet, leaving the source alone: a last short
// group counts as padded. An alphabet of other than 40 characters raises 5.
std::string compressText(std::string_view source, std::string_view alphabet);
std::string expandText(std::string_view source, std::string_view alphabet);

}  // namespace velta
