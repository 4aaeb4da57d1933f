#include "base/RuntimeFormat.h"

#include <cstdio>

#include "base/EngineError.h"

namespace velta {

namespace {

struct Pattern {
  int minimumDigits = 0;  // the "0"s before the point
  int places = 0;         // the "0"s after it
};

Pattern parsePattern(std::string_view pattern) {
  Pattern p;
  std::size_t i = 0;
  while (i < pattern.size() && pattern[i] == '#') ++i;
  while (i < pattern.size() && pattern[i] == '0') ++i, ++p.minimumDigits;
  bool point = false;
  if (i < pattern.size() && pattern[i] == '.') {
    point = true;
    ++i;
    while (i < pattern.size() && pattern[i] == '0') ++i, ++p.places;
  }
  const bool digits = i > 0 && pattern != ".";
  if (i != pattern.size() || !digits || (point && p.places == 0)) {
    throw EngineError::general(err::InvalidCall, "Format");
  }
  return p;
}

// 10^n as an unsigned 64-bit number (n at most 19).
uint64_t powerOfTen(int n) {
  uint64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

}  // namespace

std::string Format(Fixed value, std::string_view pattern) {
  const Pattern p = parsePattern(pattern);
  if (value.decimals < 0 || value.decimals > 18) throw EngineError::general(err::InvalidCall, "Format");

  // The magnitude as unsigned, so that the lowest 64-bit value has one too.
  const bool negative = value.units < 0;
  const uint64_t magnitude =
      negative ? uint64_t{0} - static_cast<uint64_t>(value.units) : static_cast<uint64_t>(value.units);

  // The digits of the magnitude at `places` decimal places: dropped places
  // round half away from zero, missing places are zeros.
  std::string digits;
  if (value.decimals > p.places) {
    const uint64_t divisor = powerOfTen(value.decimals - p.places);
    uint64_t kept = magnitude / divisor;
    const uint64_t rest = magnitude % divisor;
    if (rest >= divisor - rest) ++kept;  // rest >= divisor / 2, without overflow
    digits = std::to_string(kept);
  } else {
    digits = std::to_string(magnitude);
    if (magnitude != 0) digits.append(static_cast<std::size_t>(p.places - value.decimals), '0');
  }
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  if (zero) digits = std::string(static_cast<std::size_t>(p.places), '0');

  // Split into the whole part and the places; the whole part loses its leading
  // zeros, then gets the pattern's minimum back.
  std::string whole = digits.size() > static_cast<std::size_t>(p.places)
                          ? digits.substr(0, digits.size() - static_cast<std::size_t>(p.places))
                          : std::string();
  std::string places = digits.substr(whole.size());
  places.insert(0, static_cast<std::size_t>(p.places) - places.size(), '0');
  whole.erase(0, whole.find_first_not_of('0') == std::string::npos ? whole.size() : whole.find_first_not_of('0'));
  if (whole.size() < static_cast<std::size_t>(p.minimumDigits)) {
    whole.insert(0, static_cast<std::size_t>(p.minimumDigits) - whole.size(), '0');
  }

  std::string text = (negative && !zero ? "-" : "") + whole;
  if (p.places > 0) text += "." + places;
  return text;
}

std::string generalDate(const DateTime& moment) {
  if (moment.timeOfDay.count() == 0) return shortDate(moment.date);
  return shortDate(moment.date) + " " + longTime(moment.timeOfDay);
}

std::string shortDate(Date date) {
  return std::to_string(monthOf(date)) + "/" + std::to_string(dayOf(date)) + "/" + std::to_string(yearOf(date));
}

std::string longTime(std::chrono::seconds timeOfDay) {
  const std::chrono::hh_mm_ss<std::chrono::seconds> t(timeOfDay);
  const int hour = static_cast<int>(t.hours().count());
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  char clock[32];
  std::snprintf(clock, sizeof clock, "%d:%02d:%02d %s", hour12, static_cast<int>(t.minutes().count()),
                static_cast<int>(t.seconds().count()), hour < 12 ? "AM" : "PM");
  return clock;
}

std::string versionText(int major, int minor, int revision) {
  return "  Version " + std::to_string(major) + "." + Format(Fixed::whole(minor), "00") + "." +
         Format(Fixed::whole(revision), "0000");
}

}  // namespace velta
