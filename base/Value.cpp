#include "base/Value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "base/EngineError.h"

namespace velta {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number text taken apart: sign, integer digits, fraction digits, and the
// trimmed text itself.
struct NumberText {
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
  std::string_view body;
};

NumberText scanNumber(std::string_view text, std::string_view source) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  NumberText n;
  n.body = text.substr(begin, end - begin);

  std::size_t i = 0;
  if (i < n.body.size() && (n.body[i] == '+' || n.body[i] == '-')) {
    n.negative = n.body[i] == '-';
    ++i;
  }
  std::size_t from = i;
  while (i < n.body.size() && isDigit(n.body[i])) ++i;
  n.integer = n.body.substr(from, i - from);
  if (i < n.body.size() && n.body[i] == '.') {
    from = ++i;
    while (i < n.body.size() && isDigit(n.body[i])) ++i;
    n.fraction = n.body.substr(from, i - from);
  }
  if ((n.integer.empty() && n.fraction.empty()) || i != n.body.size()) {
    throw EngineError::general(err::TypeMismatch, std::string(source));
  }
  return n;
}

}  // namespace

double parseNumber(std::string_view text, std::string_view source) {
  const std::string copy(scanNumber(text, source).body);
  return std::strtod(copy.c_str(), nullptr);
}

int32_t parseInt32(std::string_view text, std::string_view source) {
  const NumberText n = scanNumber(text, source);
  std::string_view digits = n.integer;
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  // Ten digits hold every 32-bit magnitude; more are beyond it whatever the fraction.
  if (digits.size() > 10) throw EngineError::general(err::Overflow, std::string(source));
  int64_t magnitude = 0;
  for (char c : digits) magnitude = magnitude * 10 + (c - '0');

  if (!n.fraction.empty()) {
    const char first = n.fraction.front();
    const bool beyondHalf = n.fraction.find_first_not_of('0', 1) != std::string_view::npos;
    if (first > '5' || (first == '5' && (beyondHalf || magnitude % 2 != 0))) ++magnitude;
  }
  const int64_t value = n.negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    throw EngineError::general(err::Overflow, std::string(source));
  }
  return static_cast<int32_t>(value);
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

double Value::number() const {
  if (!isNumber()) throw EngineError::general(err::TypeMismatch, "Value");
  return std::get<double>(data_);
}

const std::string& Value::text() const {
  if (!isText()) throw EngineError::general(err::TypeMismatch, "Value");
  return std::get<std::string>(data_);
}

velta::Date Value::date() const {
  if (!isDate()) throw EngineError::general(err::TypeMismatch, "Value");
  return std::get<velta::Date>(data_);
}

int32_t Value::toInt32(std::string_view source) const {
  switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Number: return roundToInt32(std::get<double>(data_), source);
    case Kind::Text: return parseInt32(std::get<std::string>(data_), source);
    case Kind::Date: break;
  }
  throw EngineError::general(err::TypeMismatch, std::string(source));
}

double Value::toDouble(std::string_view source) const {
  switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Number: return std::get<double>(data_);
    case Kind::Text: return parseNumber(std::get<std::string>(data_), source);
    case Kind::Date: break;
  }
  throw EngineError::general(err::TypeMismatch, std::string(source));
}

std::string Value::toText() const {
  switch (kind()) {
    case Kind::Empty: return {};
    case Kind::Text: return std::get<std::string>(data_);
    case Kind::Date: return formatIsoDate(std::get<velta::Date>(data_));
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
