// Day numbers, the year window, and the YYYY-MM-DD text of velta-data.
#include <gtest/gtest.h>

#include "base/Calendar.h"
#include "support/Raised.h"

namespace velta {
namespace {

using test::raised;

TEST(Calendar, DayNumbersAroundDayZero) {
  EXPECT_EQ(dateFromDayNumber(0), kNullDate);
  EXPECT_EQ(dateFromDayNumber(1), kNullDate);
  EXPECT_EQ(dateFromDayNumber(2), *makeDate(1968, 1, 2));
  EXPECT_EQ(dateFromDayNumber(-1), *makeDate(1967, 12, 30));
  EXPECT_EQ(dayNumberOf(kNullDate), 0);
  EXPECT_EQ(dayNumberOf(*makeDate(1967, 12, 31)), 0);
  EXPECT_EQ(dayNumberOf(*makeDate(1968, 3, 1)), 61);  // 31 + 29 + 1
  for (int32_t n = 2; n < 70000; n += 97) EXPECT_EQ(dayNumberOf(dateFromDayNumber(n)), n);
}

TEST(Calendar, DayNumbersBeyondTheRuntimesYearsOverflow) {
  EXPECT_EQ(dateFromDayNumber(dayNumberOf(*makeDate(9999, 12, 31))), *makeDate(9999, 12, 31));
  EXPECT_EQ(dateFromDayNumber(dayNumberOf(*makeDate(100, 1, 1))), *makeDate(100, 1, 1));
  const EngineError e = raised([] { dateFromDayNumber(dayNumberOf(*makeDate(9999, 12, 31)) + 1, "X"); });
  EXPECT_EQ(e.number(), 6);
  EXPECT_EQ(e.source(), "X");
  EXPECT_EQ(raised([] { dateFromDayNumber(dayNumberOf(*makeDate(100, 1, 1)) - 1); }).number(), 6);
  EXPECT_EQ(raised([] { dateFromDayNumber(INT32_MAX); }).number(), 6);
}

TEST(Calendar, YearWindowAndMakeDate) {
  EXPECT_EQ(windowYear(0), 2000);
  EXPECT_EQ(windowYear(29), 2029);
  EXPECT_EQ(windowYear(30), 1930);
  EXPECT_EQ(windowYear(99), 1999);
  EXPECT_FALSE(makeDate(1999, 2, 29));
  EXPECT_TRUE(makeDate(2000, 2, 29));
  EXPECT_FALSE(makeDate(2000, 13, 1));
  EXPECT_FALSE(makeDate(2000, 4, 31));
  EXPECT_FALSE(makeDate(70000, 1, 1));  // would wrap inside a 16-bit year
  EXPECT_FALSE(makeDate(99, 1, 1));
}

TEST(Calendar, IsoText) {
  EXPECT_EQ(formatIsoDate(*makeDate(2005, 1, 31)), "2005-01-31");
  EXPECT_EQ(formatIsoDate(*makeDate(123, 4, 5)), "0123-04-05");
  EXPECT_EQ(parseIsoDate("2005-12-31"), makeDate(2005, 12, 31));
  for (const char* bad : {"2005-02-30", "2005-1-31", "20051231", "2005-12-31 ", "2005/12/31", "-005-12-31",
                          "2005-12-3x", "", "0099-01-01"}) {
    EXPECT_FALSE(parseIsoDate(bad)) << bad;
  }
}

}  // namespace
}  // namespace velta
