// The business system's calendar: dates without time, day numbers, two-digit years.
//
// Day numbers count days since 31 December 1967, except that 1 January 1968 is
// day 0 (and so is 31 December 1967): day 1 and day 0 both read as 1 January
// 1968, day 2 is 2 January 1968. Two-digit years read in the window 1930-2029.
//
//   dayNumberOf(*makeDate(1968, 12, 31))   // 366
//   formatIsoDate(dateFromDayNumber(2))    // "1968-01-02"
//   parseIsoDate("2005-12-31")             // 31 December 2005; "2005-02-30" gives none
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velta {

using Date = std::chrono::year_month_day;

// The null date of the business system, also what unreadable dates become.
inline constexpr Date kNullDate{std::chrono::year{1968}, std::chrono::January, std::chrono::day{1}};

// The years a date of the business system's runtime can have.
inline constexpr int kFirstYear = 100;
inline constexpr int kLastYear = 9999;

// Day n: 0 is 1 January 1968, any other n is 31 December 1967 plus n days.
// A day whose date falls outside the years kFirstYear..kLastYear raises 6 "Overflow"
// with `source` (every n of a 2-byte field lies well inside).
Date dateFromDayNumber(int32_t dayNumber, std::string_view source = "Stma");
// 1 January 1968 is 0; any other date counts days from 31 December 1967 (negative before it).
int32_t dayNumberOf(Date date);
// 00-29 are 2000-2029, 30-99 are 1930-1999.
int windowYear(int twoDigitYear);
// The date of that year, month and day, when it exists within kFirstYear..kLastYear.
std::optional<Date> makeDate(int year, int month, int day);

int yearOf(Date date);
int monthOf(Date date);
int dayOf(Date date);

// "YYYY-MM-DD".
std::string formatIsoDate(Date date);
// Exactly "YYYY-MM-DD" naming a date that exists; none for anything else.
std::optional<Date> parseIsoDate(std::string_view text);

}  // namespace velta
