// The workstation's clock: the current local date and time, with a seam for tests.
//
// Now() and the today-values of Sys read the clock of the base state; when
// none is set they read the system clock in the local time zone. Tests set a
// fixed clock:
//
//   baseState().clock = [] { return DateTime{*makeDate(2026, 12, 8), 10h + 20min + 7s}; };
//   Sys(28)   // 120826
//   baseState().clock = nullptr;   // the real clock again
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "base/Calendar.h"

namespace velta {

// A local date and time of day, to the second (the resolution the business
// system's programs see).
struct DateTime {
  Date date = kNullDate;
  std::chrono::seconds timeOfDay{0};  // since midnight, 0 to 86399

  std::chrono::hh_mm_ss<std::chrono::seconds> time() const {
    return std::chrono::hh_mm_ss<std::chrono::seconds>(timeOfDay);
  }
  // The same moment as a std::chrono local time (no time zone attached).
  std::chrono::local_seconds localSeconds() const {
    return std::chrono::local_days{date} + timeOfDay;
  }
  // "YYYY-MM-DD hh:mm:ss".
  std::string text() const;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

using ClockFunction = std::function<DateTime()>;

// The system clock in the local time zone.
DateTime systemLocalNow();

// The current local date and time of the workstation (the base state's clock when set).
DateTime Now();

}  // namespace velta
