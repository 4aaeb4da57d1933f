// The tagged value: kinds, text to number, rounding half to even, and the
// error numbers of each failing conversion.
#include <gtest/gtest.h>

#include <cmath>

#include "base/Value.h"
#include "support/PrintValue.h"
#include "support/Raised.h"

namespace velta {
namespace {

using test::raised;

TEST(Value, KindsAndTheirAccessors) {
  EXPECT_TRUE(Value().isEmpty());
  EXPECT_TRUE(Value(3).isNumber());
  EXPECT_TRUE(Value(2.5).isNumber());
  EXPECT_TRUE(Value("3").isText());
  EXPECT_TRUE(Value(kNullDate).isDate());
  EXPECT_EQ(Value("abc").text(), "abc");
  EXPECT_EQ(Value(2.5).number(), 2.5);
  EXPECT_EQ(Value(kNullDate).date(), kNullDate);
  const EngineError e = raised([] { Value(3).text(); });
  EXPECT_EQ(e.number(), 13);
  EXPECT_EQ(e.description(), "Type mismatch");
  EXPECT_EQ(raised([] { Value("3").number(); }).number(), 13);
  EXPECT_EQ(raised([] { Value().date(); }).number(), 13);
  EXPECT_NE(Value(3), Value("3"));
  EXPECT_EQ(Value(3), Value(3.0));
}

TEST(Value, TextToNumberAllowsBlanksSignDigitsAndAFraction) {
  EXPECT_EQ(Value("42").toInt32("t"), 42);
  EXPECT_EQ(Value("  -12 ").toInt32("t"), -12);
  EXPECT_EQ(Value("+7").toInt32("t"), 7);
  EXPECT_EQ(Value("007").toInt32("t"), 7);
  EXPECT_EQ(Value("-0").toInt32("t"), 0);
  EXPECT_EQ(Value("7.").toInt32("t"), 7);
  EXPECT_EQ(Value(".75").toInt32("t"), 1);
  EXPECT_DOUBLE_EQ(Value(" -3.25 ").toDouble("t"), -3.25);
  EXPECT_EQ(Value().toInt32("t"), 0);
  EXPECT_EQ(Value().toDouble("t"), 0);
}

TEST(Value, FractionsRoundHalfToEvenOnTheDigitsThemselves) {
  EXPECT_EQ(Value("2.5").toInt32("t"), 2);
  EXPECT_EQ(Value("3.5").toInt32("t"), 4);
  EXPECT_EQ(Value("-2.5").toInt32("t"), -2);
  EXPECT_EQ(Value("-3.5").toInt32("t"), -4);
  EXPECT_EQ(Value("0.5").toInt32("t"), 0);
  EXPECT_EQ(Value("2.50000").toInt32("t"), 2);
  EXPECT_EQ(Value("2.4999999999999999999").toInt32("t"), 2);
  EXPECT_EQ(Value("2.5000000000000000001").toInt32("t"), 3);  // a double would make it 2.5
  EXPECT_EQ(Value("2.6").toInt32("t"), 3);
  EXPECT_EQ(Value(2.5).toInt32("t"), 2);
  EXPECT_EQ(Value(-3.5).toInt32("t"), -4);
  EXPECT_EQ(Value(1.4999).toInt32("t"), 1);
}

TEST(Value, OutsideThe32BitRangeIsAnOverflow) {
  EXPECT_EQ(Value("2147483647").toInt32("t"), INT32_MAX);
  EXPECT_EQ(Value("-2147483648").toInt32("t"), INT32_MIN);
  EXPECT_EQ(Value("2147483647.4").toInt32("t"), INT32_MAX);
  EXPECT_EQ(Value("-2147483648.5").toInt32("t"), INT32_MIN);  // half to even: stays
  EXPECT_EQ(Value("0000000000002147483647").toInt32("t"), INT32_MAX);
  for (const char* text : {"2147483648", "-2147483649", "2147483647.5", "99999999999999999999", "-2147483648.6"}) {
    const EngineError e = raised([&] { Value(text).toInt32("Sys"); });
    EXPECT_EQ(e.number(), 6) << text;
    EXPECT_EQ(e.source(), "Sys");
    EXPECT_EQ(e.description(), "Overflow");
  }
  EXPECT_EQ(raised([] { Value(3e9).toInt32("t"); }).number(), 6);
  EXPECT_EQ(raised([] { Value(-2147483648.6).toInt32("t"); }).number(), 6);
  EXPECT_EQ(raised([] { Value(std::nan("")).toInt32("t"); }).number(), 6);
}

TEST(Value, AnythingElseIsATypeMismatch) {
  for (const char* text : {"", " ", "12a", "a12", "1 2", "--1", "+-1", "1e3", "0x10", ".", "-", "+", "1.2.3",
                           "\t1", "1,5", "- 1", "１"}) {
    const EngineError e = raised([&] { Value(text).toInt32("Stma"); });
    EXPECT_EQ(e.number(), 13) << '"' << text << '"';
    EXPECT_EQ(e.source(), "Stma");
    EXPECT_EQ(raised([&] { Value(text).toDouble("Stma"); }).number(), 13) << '"' << text << '"';
  }
  EXPECT_EQ(raised([] { Value(kNullDate).toInt32("t"); }).number(), 13);
  EXPECT_EQ(raised([] { Value(kNullDate).toDouble("t"); }).number(), 13);
}

TEST(Value, ToText) {
  EXPECT_EQ(Value().toText(), "");
  EXPECT_EQ(Value(7).toText(), "7");
  EXPECT_EQ(Value(-7.0).toText(), "-7");
  EXPECT_EQ(Value(2.5).toText(), "2.5");
  EXPECT_EQ(Value(0.1).toText(), "0.1");
  EXPECT_EQ(Value("x y").toText(), "x y");
  EXPECT_EQ(Value(*makeDate(2005, 12, 31)).toText(), "2005-12-31");
}

}  // namespace
}  // namespace velta
