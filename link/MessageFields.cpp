#include "link/MessageFields.h"

namespace velta {

EngineError exchangeError(std::string description) {
  return EngineError(err::ExchangeFailed, "Exchange", std::move(description));
}

namespace {

constexpr std::string_view kSeparators = "|\t\r\n";

}  // namespace

void refuseSeparators(std::string_view text, std::string_view what, std::size_t row) {
  if (text.find_first_of(kSeparators) == std::string_view::npos) return;
  refuseSeparators(text, std::string(what) + " of row " + std::to_string(row));
}

void refuseSeparators(std::string_view text, std::string_view what) {
  const std::size_t at = text.find_first_of(kSeparators);
  if (at == std::string_view::npos) return;
  std::string_view name;
  switch (text[at]) {
    case '|': name = "a \"|\""; break;
    case '\t': name = "a TAB"; break;
    case '\r': name = "a CR"; break;
    default: name = "an LF"; break;
  }
  std::string description(name);
  description += " in ";
  description += what;
  throw exchangeError(std::move(description));
}

std::string trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string_view> splitKeepingEmpty(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos; from = at + 1) {
    pieces.push_back(text.substr(from, at - from));
  }
  pieces.push_back(text.substr(from));
  return pieces;
}

}  // namespace velta
