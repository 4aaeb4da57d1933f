// The business system's calendar: dates without time, day numbers, two-digit years.
//
// Day numbers count days since 31 December 1967, except that 1 January 1968 is
// day 0 (and so is 31 December 1967): day 1 and day 0 both read as 1 January
// 1968, day 2 is 2 January 1968. Two-digit years read in the window 1930-2029.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace velta {

using Date = std::chrono::year_month_day;

// The null date of the business system, also what unreadable dates become.
inline constexpr Date kNullDate{std::chrono::year{1968}, std::chrono::January, std::chrono::day{1}};

// Day n: 0 is 1 January 1968, any other n is 31 December 1967 plus n days.
Date dateFromDayNumber(int32_t dayNumber);
// 1 January 1968 is 0; any other date counts days from 31 December 1967 (negative before it).
int32_t dayNumberOf(Date date);
// 00-29 are 2000-2029, 30-99 are 1930-1999.
int windowYear(int twoDigitYear);
// The date of that year, month and day, when it exists.
std::optional<Date> makeDate(int year, int month, int day);

int yearOf(Date date);
int monthOf(Date date);
int dayOf(Date date);

}  // namespace velta
