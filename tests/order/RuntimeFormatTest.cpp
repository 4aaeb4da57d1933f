// The runtime's Format patterns, general date and version text, as the order
// control shows money, the time of loading and its version.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "base/Calendar.h"
#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "support/EngineErrorMatch.h"

namespace velta {
namespace {

struct FormatCase {
  Fixed value;
  const char* pattern;
  const char* expected;
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, ShowsTheRuntimesText) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value.units << "e-" << c.value.decimals << " " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Money, FormatTest,
    ::testing::Values(
        // Below 1 the grid's pattern has no digit before the point, the total's one.
        FormatCase{Fixed::cents(5), "#####.00", ".05"}, FormatCase{Fixed::cents(5), "#######0.00", "0.05"},
        FormatCase{Fixed::cents(0), "#####.00", ".00"}, FormatCase{Fixed::cents(0), "#######0.00", "0.00"},
        FormatCase{Fixed::cents(99), "#####.00", ".99"}, FormatCase{Fixed::cents(100), "#####.00", "1.00"},
        FormatCase{Fixed::cents(1234567), "#######0.00", "12345.67"},
        FormatCase{Fixed::cents(1234567), "#####.00", "12345.67"},
        // More digits than the pattern has places for are all shown.
        FormatCase{Fixed::cents(123456789), "#####.00", "1234567.89"},
        FormatCase{Fixed::cents(1407374713290455), "#####.00", "14073747132904.55"},
        // The minus sign stands in front, also without a digit before the point.
        FormatCase{Fixed::cents(-1250), "#####.00", "-12.50"}, FormatCase{Fixed::cents(-5), "#####.00", "-.05"},
        FormatCase{Fixed::cents(-5), "#######0.00", "-0.05"},
        FormatCase{Fixed::cents(std::numeric_limits<int64_t>::min()), "#####.00", "-92233720368547758.08"},
        FormatCase{Fixed::cents(std::numeric_limits<int64_t>::max()), "#######0.00", "92233720368547758.07"},
        // Rounding to two places on the decimal value, half away from zero.
        FormatCase{Fixed{1005, 3}, "#####.00", "1.01"}, FormatCase{Fixed{-1005, 3}, "#####.00", "-1.01"},
        FormatCase{Fixed{1004, 3}, "#####.00", "1.00"}, FormatCase{Fixed{125, 4}, "#####.00", ".01"},
        FormatCase{Fixed{124999, 6}, "#####.00", ".12"}, FormatCase{Fixed{995, 3}, "#####.00", "1.00"},
        FormatCase{Fixed{99995, 3}, "#####.00", "100.00"},
        // A negative value that rounds to zero shows no sign.
        FormatCase{Fixed{-4, 3}, "#####.00", ".00"}, FormatCase{Fixed{-4, 3}, "#######0.00", "0.00"},
        // Fewer places than the pattern's are padded.
        FormatCase{Fixed::whole(3), "#####.00", "3.00"}, FormatCase{Fixed{3, 1}, "#######0.00", "0.30"},
        FormatCase{Fixed::whole(-7), "#####.00", "-7.00"}));

INSTANTIATE_TEST_SUITE_P(Counts, FormatTest,
                         ::testing::Values(FormatCase{Fixed::whole(2), "00", "02"},
                                           FormatCase{Fixed::whole(19), "00", "19"},
                                           FormatCase{Fixed::whole(123), "00", "123"},
                                           FormatCase{Fixed::whole(0), "00", "00"},
                                           FormatCase{Fixed::whole(6), "0000", "0006"},
                                           FormatCase{Fixed::whole(12345), "0000", "12345"},
                                           FormatCase{Fixed{25, 1}, "0", "3"}, FormatCase{Fixed{-25, 1}, "0", "-3"},
                                           FormatCase{Fixed::whole(0), "#", ""}));

TEST(Format, CentsTimesAQuantityNeverGoThroughBinaryFractions) {
  // 0.1 x 3 in binary floating point is 0.30000000000000004; in cents it is 30.
  EXPECT_EQ(Format(Fixed::cents(int64_t{10} * 3), "#####.00"), ".30");
  // The largest cost and quantity the line record can hold do not fit 32 bits together.
  EXPECT_EQ(Format(Fixed::cents(int64_t{16777215} * 8388607), "#####.00"), "1407374631895.05");
}

TEST(Format, RefusesPatternsItDoesNotKnow) {
  for (const char* pattern : {"", ".", "#.#", "0.0#", "##0#", "$#.00", "#.", "0.00 "}) {
    SCOPED_TRACE(pattern);
    test::expectEngineError([&] { Format(Fixed::cents(1), pattern); }, 5, "Format",
                            "Invalid procedure call or argument");
  }
}

struct DateCase {
  int year, month, day, hour, minute, second;
  const char* expected;
};

class GeneralDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(GeneralDateTest, UsLocaleTwelveHourClock) {
  const DateCase& c = GetParam();
  const DateTime moment{*makeDate(c.year, c.month, c.day),
                        std::chrono::hours(c.hour) + std::chrono::minutes(c.minute) + std::chrono::seconds(c.second)};
  EXPECT_EQ(generalDate(moment), c.expected);
  // Its halves stand alone too: the date, a blank, the time (shown also at midnight).
  const std::string halves = shortDate(moment.date) + " " + longTime(moment.timeOfDay);
  EXPECT_EQ(halves, std::string(c.expected) + (moment.timeOfDay.count() == 0 ? " 12:00:00 AM" : ""));
}

INSTANTIATE_TEST_SUITE_P(Moments, GeneralDateTest,
                         ::testing::Values(DateCase{2026, 12, 8, 21, 5, 7, "12/8/2026 9:05:07 PM"},
                                           DateCase{2026, 1, 2, 9, 5, 7, "1/2/2026 9:05:07 AM"},
                                           DateCase{2024, 5, 14, 0, 0, 1, "5/14/2024 12:00:01 AM"},
                                           DateCase{2024, 5, 14, 12, 0, 0, "5/14/2024 12:00:00 PM"},
                                           DateCase{2024, 5, 14, 11, 59, 59, "5/14/2024 11:59:59 AM"},
                                           DateCase{2024, 5, 14, 23, 59, 59, "5/14/2024 11:59:59 PM"},
                                           DateCase{2024, 5, 14, 13, 0, 0, "5/14/2024 1:00:00 PM"},
                                           // Exactly midnight: the runtime shows the date alone.
                                           DateCase{2024, 5, 14, 0, 0, 0, "5/14/2024"},
                                           DateCase{999, 3, 4, 8, 9, 10, "3/4/999 8:09:10 AM"}));

struct VersionCase {
  int major, minor, revision;
  const char* expected;
};

class VersionTextTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTextTest, MinorAsTwoDigitsRevisionAsFour) {
  const VersionCase& c = GetParam();
  EXPECT_EQ(versionText(c.major, c.minor, c.revision), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionTextTest,
                         ::testing::Values(VersionCase{0, 2, 0, "  Version 0.02.0000"},
                                           VersionCase{3, 19, 6, "  Version 3.19.0006"},
                                           VersionCase{1, 0, 12345, "  Version 1.00.12345"},
                                           VersionCase{10, 123, 7, "  Version 10.123.0007"}));

}  // namespace
}  // namespace velta
