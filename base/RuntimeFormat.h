// Numbers and dates as the controls show them: the few Format patterns and the
// general date of the runtime the business system's programs were written for.
//
// Money is handled in whole cents (a 64-bit count), never as binary floating
// point, so that 0.10 x 3 shows ".30" and a cost times a quantity of 32-bit
// values cannot overflow:
//
//   Format(Fixed::cents(5), "#####.00")          // ".05": no digit before the point
//   Format(Fixed::cents(5), "#######0.00")       // "0.05"
//   Format(Fixed::cents(-1250), "#####.00")      // "-12.50"
//   Format(Fixed{10045, 3}, "#####.00")          // "10.05": half away from zero
//   Format(Fixed::whole(6), "0000")              // "0006"
//   generalDate(DateTime{...})                   // "12/8/2026 9:05:07 PM"
//   versionText(3, 19, 6)                        // "  Version 3.19.0006"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Clock.h"

namespace velta {

// A decimal value: units x 10^-decimals (decimals 0 to 18).
struct Fixed {
  int64_t units = 0;
  int decimals = 0;

  static constexpr Fixed cents(int64_t cents) { return {cents, 2}; }
  static constexpr Fixed whole(int64_t number) { return {number, 0}; }
};

// Format with a pattern of the form "#...#0...0" optionally followed by "."
// and "0...0": each "0" before the point is a digit always shown (padded with
// zeros), "#" a digit shown only when the value has it, and the zeros after the
// point the decimal places, rounded half away from zero. A negative value that
// is not zero after rounding has "-" in front. Any other pattern raises 5
// (invalid procedure call) with source "Format".
std::string Format(Fixed value, std::string_view pattern);

// The runtime's general date in the US locale: "M/d/yyyy h:mm:ss AM" (12-hour
// clock, midnight is 12 AM). A date whose time is exactly midnight shows the
// date alone, as the runtime shows it.
std::string generalDate(const DateTime& moment);
// Its two halves: the date "M/d/yyyy" and the time "h:mm:ss AM", each always shown.
std::string shortDate(Date date);
std::string longTime(std::chrono::seconds timeOfDay);

// The control's version text: two blanks, "Version ", the major version, ".",
// the minor version as "00" and ".", the revision as "0000".
std::string versionText(int major, int minor, int revision);

}  // namespace velta
