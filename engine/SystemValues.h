// Sys: the numbered system values of the business system's programs.
//
//   value  result
//   1      day of the month of today
//   2      month of today
//   3      year of today, four digits
//   4      the terminal identifier of the system object, as a number
//          (13 "Type mismatch" when it is not one, 91 when there is no system object)
//   28     today as the decimal number MMDDYY
//   128    today as the decimal number YYMMDD
//   152    today's day number
//   other  0
//
// "Today" is the date of Now() (engine/Clock.h), so tests can fix it.
//
//   Sys(28)   // 120826 on 8 December 2026
#pragma once

#include <cstdint>

namespace velta {

int32_t Sys(int32_t value);

}  // namespace velta
