#include "base/TextUtilities.h"

#include <algorithm>

#include "base/EngineError.h"

namespace velta {

namespace {
char upperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isTrailingControl(char c) {
  return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

// Position of `needle` in `hay` from `from`, exact or without regard to case.
std::size_t findFrom(std::string_view hay, std::string_view needle, std::size_t from, bool ignoreCase) {
  if (!ignoreCase) return hay.find(needle, from);
  if (needle.size() > hay.size()) return std::string_view::npos;
  for (std::size_t i = from; i + needle.size() <= hay.size(); ++i) {
    if (equalsIgnoreCase(hay.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}
}  // namespace

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
