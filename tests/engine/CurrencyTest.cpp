// Money with four decimal places: cents in and out, rounding, text, range.
#include <gtest/gtest.h>

#include "base/Currency.h"

namespace velta {
namespace {

TEST(Currency, CentsRoundHalfToEven) {
  const std::pair<int64_t, int32_t> cases[] = {
      {12345600, 123456}, {1250, 12}, {1350, 14}, {1251, 13}, {-1250, -12}, {-1350, -14}, {-1249, -12}, {49, 0},
      {50, 0},            {150, 2},   {-50, 0},   {-150, -2}};
  for (const auto& [units, cents] : cases) EXPECT_EQ(Currency::fromUnits(units).toCents("t"), cents) << units;
  EXPECT_EQ(Currency::fromCents(INT32_MIN).toCents("t"), INT32_MIN);
  try {
    Currency::fromUnits((int64_t{INT32_MAX} + 1) * 100).toCents("Pack");
    ADD_FAILURE() << "no overflow";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.number(), err::Overflow);
    EXPECT_EQ(e.source(), "Pack");
  }
}

TEST(Currency, TextWithTwoDecimals) {
  EXPECT_EQ(Currency::fromCents(123456).toText(), "1234.56");
  EXPECT_EQ(Currency::fromCents(-250).toText(), "-2.50");
  EXPECT_EQ(Currency::fromCents(5).toText(), "0.05");
  EXPECT_EQ(Currency().toText(), "0.00");
  EXPECT_EQ(Currency::fromUnits(-49).toText(), "0.00") << "no sign on a value that rounds to zero";
  EXPECT_EQ(Currency::fromUnits(12350).toText(), "1.24");
  EXPECT_EQ(Currency::fromUnits(12250).toText(), "1.22");
  EXPECT_EQ(Currency::fromUnits(12345).toText(4), "1.2345");
  EXPECT_EQ(Currency::fromUnits(15000).toText(0), "2");
  EXPECT_EQ(Currency::fromUnits(INT64_MIN).toText(4), "-922337203685477.5808");
}

TEST(Currency, SumsOutsideTheRangeOverflow) {
  EXPECT_EQ(Currency::fromCents(1000).plus(Currency::fromCents(12345), "t"), Currency::fromCents(13345));
  EXPECT_EQ(Currency::fromCents(13345).minus(Currency::fromCents(1000), "t"), Currency::fromCents(12345));
  EXPECT_THROW(Currency::fromUnits(INT64_MAX).plus(Currency::fromUnits(1), "t"), EngineError);
  EXPECT_THROW(Currency::fromUnits(0).minus(Currency::fromUnits(INT64_MIN), "t"), EngineError);
}

}  // namespace
}  // namespace velta
