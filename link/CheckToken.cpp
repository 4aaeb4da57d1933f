#include "link/CheckToken.h"

#include <algorithm>
#include <cstdint>

#include "base/EngineError.h"

namespace velta {

namespace {

constexpr std::uint32_t kBase = 63;  // digits: the first 63 characters of the rotated table

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int twoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

std::optional<std::string> timeProblem(std::string_view time) {
  const std::string bad = "time \"" + std::string(time) + "\" is not hh:mm:ss";
  if (time.size() != 8 || time[2] != ':' || time[5] != ':') return bad;
  for (std::size_t at : {0, 1, 3, 4, 6, 7}) {
    if (!isDigit(time[at])) return bad;
  }
  if (twoDigits(time, 0) > 23) return bad + ": hours run from 00 to 23";
  if (twoDigits(time, 3) > 59) return bad + ": minutes run from 00 to 59";
  if (twoDigits(time, 6) > 59) return bad + ": seconds run from 00 to 59";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> tokenInputProblem(std::string_view date, std::string_view time) {
  if (date.size() != 8 || !std::all_of(date.begin(), date.end(), isDigit)) {
    return "date \"" + std::string(date) + "\" is not eight digits yyyymmdd";
  }
  return timeProblem(time);
}

std::string makeToken(std::string_view date, std::string_view time) {
  if (auto problem = tokenInputProblem(date, time)) throw EngineError(err::InvalidCall, "makeToken", *problem);
  return makeToken(date, time, TokenTable::configured());
}

std::string makeToken(std::string_view date, std::string_view time, const TokenTable& table) {
  if (auto problem = tokenInputProblem(date, time)) throw EngineError(err::InvalidCall, "makeToken", *problem);
  const std::size_t rotation = static_cast<std::size_t>(twoDigits(time, 6));

  std::string digits(date);
  if (digits.front() != '0' && digits.back() != '0') std::swap(digits.front(), digits.back());
  std::uint32_t n = 0;  // at most 99999999: eight digits fit 32 bits
  for (char c : digits) n = n * 10 + static_cast<std::uint32_t>(c - '0');

  std::string token;  // least significant digit first, turned round at the end
  for (; n > 0; n /= kBase) token += table.at((n % kBase + rotation) % TokenTable::kSize);
  std::reverse(token.begin(), token.end());
  return token;
}

}  // namespace velta
