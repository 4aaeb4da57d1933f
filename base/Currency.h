// Money: a fixed-point currency value with four decimal places, held as a
// 64-bit count of ten-thousandths (the range of the runtime's currency type,
// about +-922 337 203 685 477.5807).
//
// The business system stores money as whole cents in a 4-byte "L" field:
//
//   Currency c = Currency::fromCents(123456);   // 1234.56
//   c.toCents("Pack")                           // 123456 (rounded half to even, 6 "Overflow" past 32 bits)
//   (c + Currency::fromCents(1)).toText()       // "1234.57"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/EngineError.h"

namespace velta {

class Currency {
 public:
  static constexpr int64_t kUnitsPerWhole = 10000;  // four decimal places
  static constexpr int64_t kUnitsPerCent = kUnitsPerWhole / 100;

  constexpr Currency() = default;
  static constexpr Currency fromUnits(int64_t tenThousandths) { return Currency(tenThousandths); }
  static constexpr Currency fromCents(int32_t cents) { return Currency(int64_t{cents} * kUnitsPerCent); }

  constexpr int64_t units() const { return units_; }

  // The value times 100, rounded half to even to a 32-bit integer; 6 "Overflow" with `source` outside it.
  int32_t toCents(std::string_view source) const {
    int64_t cents = units_ / kUnitsPerCent;
    const int64_t rest = units_ % kUnitsPerCent;  // same sign as units_
    const int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > kUnitsPerCent || (twice == kUnitsPerCent && cents % 2 != 0)) cents += rest < 0 ? -1 : 1;
    if (cents < INT32_MIN || cents > INT32_MAX) throw EngineError::general(err::Overflow, std::string(source));
    return static_cast<int32_t>(cents);
  }

  // Sums and differences past the range give 6 "Overflow".
  Currency plus(Currency other, std::string_view source) const { return Currency(checked(units_, other.units_, source)); }
  Currency minus(Currency other, std::string_view source) const {
    if (other.units_ == INT64_MIN) throw EngineError::general(err::Overflow, std::string(source));
    return Currency(checked(units_, -other.units_, source));
  }

  // Plain decimal with `decimals` places (0 to 4), rounded half to even: "-12.50".
  std::string toText(int decimals = 2) const {
    int64_t scale = 1;
    for (int i = decimals; i < 4; ++i) scale *= 10;
    // The magnitude as unsigned, so that the lowest value has one too.
    const bool negative = units_ < 0;
    const uint64_t magnitude = negative ? uint64_t{0} - static_cast<uint64_t>(units_) : static_cast<uint64_t>(units_);
    uint64_t scaled = magnitude / static_cast<uint64_t>(scale);
    const uint64_t rest = magnitude % static_cast<uint64_t>(scale);
    if (2 * rest > static_cast<uint64_t>(scale) || (2 * rest == static_cast<uint64_t>(scale) && scaled % 2 != 0)) {
      ++scaled;
    }
    uint64_t places = 1;
    for (int i = 0; i < decimals; ++i) places *= 10;
    std::string text = std::to_string(scaled / places);
    if (decimals > 0) {
      std::string fraction = std::to_string(scaled % places);
      text += "." + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return negative && scaled != 0 ? "-" + text : text;
  }

  friend constexpr bool operator==(Currency, Currency) = default;

 private:
  constexpr explicit Currency(int64_t units) : units_(units) {}
  static int64_t checked(int64_t a, int64_t b, std::string_view source) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) throw EngineError::general(err::Overflow, std::string(source));
    return sum;
  }

  int64_t units_ = 0;
};

}  // namespace velta
