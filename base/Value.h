// The tagged value: empty, a number, a text or a date.
//
// Used for the controls' persisted properties, for results that may be empty,
// and for the in/out arguments of Stma (which hands back a date). Conversions
// follow the runtime the business system's programs were written for:
//
//   Value("  -12.5 ").toInt32("Sys")   // -12 (fractions round half to even)
//   Value("12a").toInt32("Sys")        // throws EngineError 13 "Type mismatch"
//   Value(3e9).toInt32("Sys")          // throws EngineError 6 "Overflow"
//   Value(7).toText()                  // "7"
//   Value(kNullDate).toText()          // "1968-01-01"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "base/Calendar.h"

namespace velta {

class Value {
 public:
  enum class Kind { Empty, Number, Text, Date };

  Value() = default;
  Value(double number) : data_(number) {}
  Value(int number) : data_(static_cast<double>(number)) {}
  Value(long number) : data_(static_cast<double>(number)) {}
  Value(long long number) : data_(static_cast<double>(number)) {}
  Value(std::string text) : data_(std::move(text)) {}
  Value(std::string_view text) : data_(std::string(text)) {}
  Value(const char* text) : data_(std::string(text)) {}
  Value(velta::Date date) : data_(date) {}

  Kind kind() const noexcept { return static_cast<Kind>(data_.index()); }
  bool isEmpty() const noexcept { return kind() == Kind::Empty; }
  bool isNumber() const noexcept { return kind() == Kind::Number; }
  bool isText() const noexcept { return kind() == Kind::Text; }
  bool isDate() const noexcept { return kind() == Kind::Date; }

  // The held number, text or date; asking for another kind gives 13 "Type mismatch".
  double number() const;
  const std::string& text() const;
  velta::Date date() const;

  // Empty is 0; a text must read as a number (parseInt32); the result is
  // rounded half to even and must fit 32 bits (else 6 "Overflow"). A date is
  // not a number here (13).
  int32_t toInt32(std::string_view source) const;
  // Empty is 0; a text must read as a number; a date gives 13.
  double toDouble(std::string_view source) const;
  // Empty is ""; a number is written in plain decimal, without a fraction when
  // whole; a date as "YYYY-MM-DD".
  std::string toText() const;

  friend bool operator==(const Value&, const Value&) = default;

 private:
  std::variant<std::monostate, double, std::string, velta::Date> data_;
};

// A text as a number: blanks around it, an optional sign, decimal digits with an
// optional fraction ("12", "-3.5", " +0.25 ", "7.", ".5"). Anything else gives
// 13 "Type mismatch" with `source`.
double parseNumber(std::string_view text, std::string_view source);
// The same text rounded half to even to a 32-bit integer, exactly on its decimal
// digits (so "0.5000001" is 1 and "2.5" is 2); 6 "Overflow" outside the range.
int32_t parseInt32(std::string_view text, std::string_view source);
// A number rounded half to even to a 32-bit integer (6 "Overflow" outside the range).
int32_t roundToInt32(double number, std::string_view source);

}  // namespace velta
