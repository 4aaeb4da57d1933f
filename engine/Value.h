// The tagged value: empty, a number or a text.
//
// Used for the controls' persisted properties and for results that may be
// empty. Conversions follow the runtime the business system's programs were
// written for:
//
//   Value("  -12.5 ").toInt32("Sys")   // -12 (fractions round half to even)
//   Value("12a").toInt32("Sys")        // throws EngineError 13 "Type mismatch"
//   Value(3e9).toInt32("Sys")          // throws EngineError 6 "Overflow"
//   Value(7).toText()                  // "7"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace velta {

class Value {
 public:
  enum class Kind { Empty, Number, Text };

  Value() = default;
  Value(double number) : data_(number) {}
  Value(int number) : data_(static_cast<double>(number)) {}
  Value(long number) : data_(static_cast<double>(number)) {}
  Value(long long number) : data_(static_cast<double>(number)) {}
  Value(std::string text) : data_(std::move(text)) {}
  Value(std::string_view text) : data_(std::string(text)) {}
  Value(const char* text) : data_(std::string(text)) {}

  Kind kind() const noexcept { return static_cast<Kind>(data_.index()); }
  bool isEmpty() const noexcept { return kind() == Kind::Empty; }
  bool isNumber() const noexcept { return kind() == Kind::Number; }
  bool isText() const noexcept { return kind() == Kind::Text; }

  // The held number or text; asking for the other kind gives 13 "Type mismatch".
  double number() const;
  const std::string& text() const;

  // Empty is 0; a text must read as a number (parseNumber); the result is
  // rounded half to even and must fit 32 bits (else 6 "Overflow").
  int32_t toInt32(std::string_view source) const;
  // Empty is 0; a text must read as a number.
  double toDouble(std::string_view source) const;
  // Empty is ""; a number is written in plain decimal, without a fraction when whole.
  std::string toText() const;

  friend bool operator==(const Value&, const Value&) = default;

 private:
  std::variant<std::monostate, double, std::string> data_;
};

// A text as a number: blanks around it, an optional sign, decimal digits with an
// optional fraction. Anything else gives 13 "Type mismatch" with `source`.
double parseNumber(std::string_view text, std::string_view source);
// parseNumber, rounded half to even to a 32-bit integer (6 "Overflow" outside the range).
int32_t parseInt32(std::string_view text, std::string_view source);
// A number rounded half to even to a 32-bit integer (6 "Overflow" outside the range).
int32_t roundToInt32(double number, std::string_view source);

}  // namespace velta
