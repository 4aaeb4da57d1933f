#include "engine/Value.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "engine/EngineError.h"

namespace velta {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double parseNumber(std::string_view text, std::string_view source) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  std::string_view body = text.substr(begin, end - begin);

  std::size_t i = 0;
  if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < body.size() && isDigit(body[i])) { ++i; ++digits; }
  if (i < body.size() && body[i] == '.') {
    ++i;
    while (i < body.size() && isDigit(body[i])) { ++i; ++digits; }
  }
  if (digits == 0 || i != body.size()) {
    throw EngineError::general(err::TypeMismatch, std::string(source));
  }
  std::string copy(body);
  return std::strtod(copy.c_str(), nullptr);
}

int32_t roundToInt32(double number, std::string_view source) {
  // nearbyint in the default rounding mode rounds half to even.
  const double rounded = std::nearbyint(number);
  if (!(rounded >= static_cast<double>(std::numeric_limits<int32_t>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<int32_t>::max()))) {
    throw EngineError::general(err::Overflow, std::string(source));
  }
  return static_cast<int32_t>(rounded);
}

int32_t parseInt32(std::string_view text, std::string_view source) {
  return roundToInt32(parseNumber(text, source), source);
}

double Value::number() const {
  if (!isNumber()) throw EngineError::general(err::TypeMismatch, "Value");
  return std::get<double>(data_);
}

const std::string& Value::text() const {
  if (!isText()) throw EngineError::general(err::TypeMismatch, "Value");
  return std::get<std::string>(data_);
}

int32_t Value::toInt32(std::string_view source) const {
  switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Number: return roundToInt32(std::get<double>(data_), source);
    case Kind::Text: return parseInt32(std::get<std::string>(data_), source);
  }
  return 0;
}

double Value::toDouble(std::string_view source) const {
  switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Number: return std::get<double>(data_);
    case Kind::Text: return parseNumber(std::get<std::string>(data_), source);
  }
  return 0;
}

std::string Value::toText() const {
  switch (kind()) {
    case Kind::Empty: return {};
    case Kind::Text: return std::get<std::string>(data_);
    case Kind::Number: {
      const double n = std::get<double>(data_);
      if (std::nearbyint(n) == n && std::fabs(n) < 1e15) {
        return std::to_string(static_cast<long long>(n));
      }
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.15g", n);
      return buffer;
    }
  }
  return {};
}

}  // namespace velta
