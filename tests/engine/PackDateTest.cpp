// Packed dates: the three encodings byte by byte, the day-number quirk around
// 1 January 1968, the two-digit year window, and everything that reads as the
// null date.
#include <gtest/gtest.h>

#include "base/Calendar.h"
#include "base/FieldPacking.h"
#include "support/Raised.h"

namespace velta {
namespace {

using namespace std::string_literals;
using test::raised;

Date ymd(int y, int m, int d) { return *makeDate(y, m, d); }

// The 3-byte big-endian form of n, as the "D" fields hold it.
std::string d3(int n) {
  return {static_cast<char>(n >> 16), static_cast<char>((n >> 8) & 0xFF), static_cast<char>(n & 0xFF)};
}

TEST(PackDate, DayNumbersCountFromTheLastDayOf1967ButTheNullDateIsZero) {
  std::string rec(2, '\x55');
  PackDate("C", rec, 1, ymd(1968, 1, 1));
  EXPECT_EQ(rec, "\x00\x00"s);
  PackDate("C", rec, 1, ymd(1968, 1, 2));
  EXPECT_EQ(rec, "\x00\x02"s);
  PackDate("J", rec, 1, ymd(1967, 12, 31));
  EXPECT_EQ(rec, "\x00\x00"s);
  PackDate("C", rec, 1, ymd(1968, 12, 31));
  EXPECT_EQ(rec, "\x01\x6E"s);  // 366: 1968 is a leap year
  PackDate("C", rec, 1, ymd(2026, 12, 8));
  EXPECT_EQ(rec, "\x54\x17"s);  // 21527
  PackDate("C", rec, 1, ymd(1967, 12, 30));
  EXPECT_EQ(rec, "\xFF\xFF"s);  // -1, its low two bytes
}

TEST(UnPackDate, DayNumbersZeroAndOneAreBothTheNullDate) {
  EXPECT_EQ(UnPackDate("C", "\x00\x00"s, 1), ymd(1968, 1, 1));
  EXPECT_EQ(UnPackDate("C", "\x00\x01"s, 1), ymd(1968, 1, 1));
  EXPECT_EQ(UnPackDate("J", "\x00\x02"s, 1), ymd(1968, 1, 2));
  EXPECT_EQ(UnPackDate("C", "\x54\x17"s, 1), ymd(2026, 12, 8));
  // "J" reads unsigned as well: FF FF is day 65535, not -1.
  EXPECT_EQ(UnPackDate("J", "\xFF\xFF"s, 1), ymd(2147, 6, 5));
}

TEST(PackDate, MonthDayYearAndYearMonthDay) {
  std::string rec(5, '\0');
  PackDate("D", rec, 2, ymd(1999, 1, 5));
  EXPECT_EQ(rec, "\0"s + d3(10599) + "\0"s);
  EXPECT_EQ(d3(10599), "\x00\x29\x67"s);
  PackDate("K", rec, 2, ymd(2005, 12, 31));
  EXPECT_EQ(rec.substr(1, 3), d3(123105));
  PackDate("R", rec, 2, ymd(2005, 12, 31));
  EXPECT_EQ(rec.substr(1, 3), d3(51231));
  PackDate("R", rec, 2, ymd(1930, 2, 3));
  EXPECT_EQ(rec.substr(1, 3), d3(300203));
}

TEST(UnPackDate, MonthDayYearAndYearMonthDayRoundTrip) {
  EXPECT_EQ(UnPackDate("D", d3(10599), 1), ymd(1999, 1, 5));
  EXPECT_EQ(UnPackDate("K", d3(123105), 1), ymd(2005, 12, 31));
  EXPECT_EQ(UnPackDate("R", d3(51231), 1), ymd(2005, 12, 31));
  EXPECT_EQ(UnPackDate("R", "xx"s + d3(991231), 3), ymd(1999, 12, 31));
}

TEST(UnPackDate, TwoDigitYearsReadIn1930To2029) {
  EXPECT_EQ(UnPackDate("D", d3(10129), 1), ymd(2029, 1, 1));
  EXPECT_EQ(UnPackDate("D", d3(10130), 1), ymd(1930, 1, 1));
  EXPECT_EQ(UnPackDate("D", d3(10100), 1), ymd(2000, 1, 1));
  EXPECT_EQ(UnPackDate("R", d3(990101), 1), ymd(1999, 1, 1));
  EXPECT_EQ(UnPackDate("R", d3(290101), 1), ymd(2029, 1, 1));
}

TEST(UnPackDate, WhatIsNoDateReadsAsTheNullDate) {
  EXPECT_EQ(UnPackDate("D", d3(0), 1), kNullDate);
  EXPECT_EQ(UnPackDate("D", d3(130199), 1), kNullDate);   // month 13
  EXPECT_EQ(UnPackDate("D", d3(23099), 1), kNullDate);    // 30 February
  EXPECT_EQ(UnPackDate("D", d3(22900), 1), ymd(2000, 2, 29));
  EXPECT_EQ(UnPackDate("D", d3(22999), 1), kNullDate);    // 1999 has no 29 February
  EXPECT_EQ(UnPackDate("D", d3(1234567), 1), kNullDate);  // seven digits: month 123
  EXPECT_EQ(UnPackDate("R", d3(991301), 1), kNullDate);
  EXPECT_EQ(UnPackDate("R", d3(16777215), 1), kNullDate);
  EXPECT_EQ(UnPackDate("D", "\x00\x29"s, 1), kNullDate);  // too short
  EXPECT_EQ(UnPackDate("C", "\x00\x29"s, 2), kNullDate);
  EXPECT_EQ(UnPackDate("C", "\x00\x29"s, 0), kNullDate);  // position below 1
  EXPECT_EQ(UnPackDate("d", d3(10599), 1), kNullDate);    // capital letters only
  EXPECT_EQ(UnPackDate("B", d3(10599), 1), kNullDate);
  EXPECT_EQ(UnPackDate("", d3(10599), 1), kNullDate);
}

TEST(PackDate, LowerCaseAndUnknownOpCodesWriteNothing) {
  const std::string original = "\x11\x22\x33\x44"s;
  for (const char* op : {"c", "j", "d", "k", "r", "B", "L", "", "CC"}) {
    std::string rec = original;
    PackDate(op, rec, 1, ymd(1999, 1, 5));
    EXPECT_EQ(rec, original) << op;
  }
}

TEST(PackDate, RaisesWhatPackRaises) {
  std::string rec(2, '\0');
  const EngineError e = raised([&] { PackDate("D", rec, 1, ymd(1999, 1, 5)); });
  EXPECT_EQ(e.number(), 31);
  EXPECT_EQ(e.source(), "Pack");
  EXPECT_EQ(e.description(), "Invalid Subscript.  Pack \"D\", Data$, 1   Len(Data$) = 2");
  EXPECT_EQ(raised([&] { PackDate("C", rec, 0, ymd(1999, 1, 5)); }).number(), 5);
  EXPECT_EQ(rec, "\0\0"s);
  // A date that does not exist is refused before anything is written.
  const Date february30{std::chrono::year{1999}, std::chrono::February, std::chrono::day{30}};
  EXPECT_EQ(raised([&] { PackDate("C", rec, 1, february30); }).number(), 5);
}

}  // namespace
}  // namespace velta
