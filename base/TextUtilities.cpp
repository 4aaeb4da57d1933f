#include "base/TextUtilities.h"

#include <algorithm>

#include "base/EngineError.h"

namespace velta {

namespace {
char upperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Windows-1252: the lower-case letters and their capitals.
unsigned char upperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);  // à..þ, not ÷
  switch (c) {
    case 0x9A: return 0x8A;  // š Š
    case 0x9C: return 0x8C;  // œ Œ
    case 0x9E: return 0x8E;  // ž Ž
    case 0xFF: return 0x9F;  // ÿ Ÿ
    default: return c;
  }
}
unsigned char lowerByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);  // À..Þ, not ×
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}
char upperTextChar(char c) { return static_cast<char>(upperByte(static_cast<unsigned char>(c))); }
char lowerTextChar(char c) { return static_cast<char>(lowerByte(static_cast<unsigned char>(c))); }

bool isTrailingControl(char c) {
  return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

// Position of `needle` in `hay` from `from`, exact or without regard to case.
std::size_t findFrom(std::string_view hay, std::string_view needle, std::size_t from, bool ignoreCase) {
  if (!ignoreCase) return hay.find(needle, from);
  if (needle.size() > hay.size()) return std::string_view::npos;
  for (std::size_t i = from; i + needle.size() <= hay.size(); ++i) {
    if (equalsText(hay.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}
}  // namespace

std::string upperText(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), upperTextChar);
  return out;
}

std::string lowerText(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), lowerTextChar);
  return out;
}

bool equalsText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upperTextChar(x) == upperTextChar(y); });
}

std::string upperAscii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), upperChar);
  return out;
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), lowerChar);
  return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upperChar(x) == upperChar(y); });
}

std::string mid(std::string_view text, std::size_t start, std::size_t length) {
  if (start == 0 || start - 1 >= text.size()) return {};
  return std::string(text.substr(start - 1, length));
}

std::string Trun(std::string_view source, int32_t flgRemoveControlCharacters) {
  std::size_t end = source.size();
  if (flgRemoveControlCharacters == 0) {
    while (end > 0 && source[end - 1] == ' ') --end;
  } else {
    while (end > 0 && isTrailingControl(source[end - 1])) --end;
  }
  return std::string(source.substr(0, end));
}

void StrPos(int32_t& location, std::string_view source, std::string_view target) {
  const std::size_t at = source.empty() ? std::string_view::npos : source.find(target);
  location = at == std::string_view::npos ? 0 : static_cast<int32_t>(at + 1);
}

std::vector<std::string> Split(std::string_view expression, std::string_view delimiter, int32_t limit,
                               int32_t compare) {
  if (limit < -1 || (compare != 0 && compare != 1)) throw EngineError::general(err::InvalidCall, "Split");
  const bool ignoreCase = compare == 1;
  std::vector<std::string> pieces;
  if (limit == 0) return pieces;
  std::size_t start = 0;
  while (!delimiter.empty() && (limit == -1 || static_cast<int64_t>(pieces.size()) + 1 < limit)) {
    const std::size_t at = findFrom(expression, delimiter, start, ignoreCase);
    if (at == std::string_view::npos) break;
    pieces.emplace_back(expression.substr(start, at - start));
    start = at + delimiter.size();
  }
  pieces.emplace_back(expression.substr(start));
  std::erase_if(pieces, [&](const std::string& piece) {
    return piece.empty() || findFrom(piece, delimiter, 0, ignoreCase) != std::string_view::npos;
  });
  return pieces;
}

bool IsYes(std::string_view text) { return text == "Y"; }

std::string YesNo(bool flag) { return flag ? "Y" : "N"; }

void InsertDashes(std::string& text, std::string_view mask) {
  static constexpr std::string_view kPositions = "123456789ABCDEFGHI";
  for (char m : Trun(mask)) {
    const std::size_t index = kPositions.find(m);
    if (index == std::string_view::npos) continue;
    const std::size_t before = index;  // insert before the (index + 1)-th character
    if (before <= text.size()) {
      text.insert(before, 1, '-');
    } else {
      text += '-';
    }
  }
}

}  // namespace velta
