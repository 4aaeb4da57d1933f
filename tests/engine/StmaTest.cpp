// Stma: day numbers both ways, the alphabet code, and what is no date.
#include <gtest/gtest.h>

#include "base/BaseState.h"
#include "base/Calendar.h"
#include "base/CompressedText.h"
#include "base/Stma.h"
#include "support/PrintValue.h"
#include "support/Raised.h"

namespace velta {
namespace {

using namespace std::string_literals;
using test::raised;

Date ymd(int y, int m, int d) { return *makeDate(y, m, d); }

// The day number Stma 12 gives for month, day and year.
int32_t dayNumber(Value month, Value day, Value year) {
  Value result;
  Stma(12, result, &month, &day, &year);
  EXPECT_TRUE(result.isNumber());
  return result.toInt32("test");
}

TEST(Stma, Code11GivesTheDateAndItsParts) {
  Value n = 366, month, day, year, date;
  Stma(11, n, &month, &day, &year, &date);
  EXPECT_EQ(date, Value(ymd(1968, 12, 31)));
  EXPECT_EQ(month, Value(12));
  EXPECT_EQ(day, Value(31));
  EXPECT_EQ(year, Value(68));
  EXPECT_EQ(n, Value(366));

  n = 0;
  Stma(11, n, &month, &day, &year, &date);
  EXPECT_EQ(date, Value(ymd(1968, 1, 1)));
  n = 1;
  Stma(11, n, &month, &day, &year, &date);
  EXPECT_EQ(date, Value(ymd(1968, 1, 1)));
  n = -1;
  Stma(11, n, &month, &day, &year, &date);
  EXPECT_EQ(date, Value(ymd(1967, 12, 30)));
  n = "11664";  // a text that reads as a number
  Stma(11, n, &month, &day, &year, &date);
  EXPECT_EQ(date, Value(ymd(1999, 12, 7)));
  EXPECT_EQ(year, Value(99));
  n = 21527;
  Stma(11, n, &month, &day, &year, &date);
  EXPECT_EQ(year, Value(26));
}

TEST(Stma, Code11DropsOutputsNotGivenAndRefusesNonNumbersAndFarDays) {
  Value n = 2, month;
  Stma(11, n, &month);
  EXPECT_EQ(month, Value(1));
  n = "two";
  EXPECT_EQ(raised([&] { Stma(11, n, &month); }).number(), 13);
  n = 4000000;  // beyond the year 9999
  const EngineError e = raised([&] { Stma(11, n, &month); });
  EXPECT_EQ(e.number(), 6);
  EXPECT_EQ(e.source(), "Stma");
  n = INT32_MIN;
  EXPECT_EQ(raised([&] { Stma(11, n, &month); }).number(), 6);
}

TEST(Stma, Code12GivesTheDayNumber) {
  EXPECT_EQ(dayNumber(1, 1, 68), 0);
  EXPECT_EQ(dayNumber(1, 2, 68), 2);
  EXPECT_EQ(dayNumber(12, 31, 67), 0);
  EXPECT_EQ(dayNumber(12, 31, 68), 366);
  EXPECT_EQ(dayNumber(12, 30, 67), -1);
  EXPECT_EQ(dayNumber(12, 8, 26), 21527);
  EXPECT_EQ(dayNumber(1, 1, 29), dayNumberOf(ymd(2029, 1, 1)));
  EXPECT_EQ(dayNumber(1, 1, 30), dayNumberOf(ymd(1930, 1, 1)));
  EXPECT_EQ(dayNumber(1, 1, 2031), dayNumberOf(ymd(2031, 1, 1)));  // four digits as they are
  EXPECT_EQ(dayNumber("12", " 31 ", "68"), 366);
}

TEST(Stma, Code12WithValuesThatMakeNoDateIsATypeMismatch) {
  for (auto [m, d, y] : {std::tuple<Value, Value, Value>{13, 1, 68}, {2, 30, 99}, {0, 1, 68}, {1, 0, 68},
                         {2, 29, 99}, {1, 1, -1}, {1, 1, 10000}, {"x", 1, 68}, {1, 1, Value()},
                         {1e12, 1, 68}, {1, 1, Value(ymd(1999, 1, 1))}}) {
    Value result = 5;
    const EngineError e = raised([&] { Stma(12, result, &m, &d, &y); });
    EXPECT_EQ(e.number(), 13) << m.toText() << "/" << d.toText() << "/" << y.toText();
    EXPECT_EQ(e.source(), "Stma");
    EXPECT_EQ(e.description(), "Type mismatch");
    EXPECT_EQ(result, Value(5));
  }
  Value result, m = 1, d = 1;
  EXPECT_EQ(raised([&] { Stma(12, result, &m, &d); }).number(), 13);
  EXPECT_EQ(dayNumber(2, 29, 0), dayNumberOf(ymd(2000, 2, 29)));
}

class StmaAlphabet : public ::testing::Test {
 protected:
  void SetUp() override { baseState().compressionAlphabet = std::string(kDefaultCompressionAlphabet); }
  void TearDown() override { baseState().compressionAlphabet = std::string(kDefaultCompressionAlphabet); }
  const std::string& alphabet() const { return baseState().compressionAlphabet; }
};

TEST_F(StmaAlphabet, Code10ReplacesTheFirstFourCharacters) {
  Value zero = 0, text = "-*#@";
  Stma(10, zero, &text);
  EXPECT_EQ(alphabet(), "-*#@0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  std::string word = "\x00\x01"s;
  EXPECT_EQ(Ucm(word), "--*");
}

TEST_F(StmaAlphabet, Code10DoesNothingUnlessVar2IsZeroAndVar3FourCharacters) {
  const std::string before = alphabet();
  for (auto [var2, var3] : {std::pair<Value, Value>{1, "-*#@"}, {"x", "-*#@"}, {0, "-*#"}, {0, "-*#@!"},
                            {0, 1234}, {0, Value()}}) {
    Stma(10, var2, &var3);
    EXPECT_EQ(alphabet(), before) << var2.toText() << " " << var3.toText();
  }
  Value zero = 0;
  Stma(10, zero);
  EXPECT_EQ(alphabet(), before);
  Value empty, text = "abcd", textZero = " 0 ";
  Stma(10, empty, &text);
  EXPECT_EQ(alphabet().substr(0, 5), "abcd0");
  text = "ABCD";
  Stma(10, textZero, &text);
  EXPECT_EQ(alphabet().substr(0, 5), "ABCD0");
}

TEST(Stma, OtherCodesDoNothing) {
  Value var2 = 7, var3 = 8;
  for (int code : {0, 9, 13, -11, 110}) {
    Stma(code, var2, &var3);
    EXPECT_EQ(var2, Value(7));
    EXPECT_EQ(var3, Value(8));
  }
  EXPECT_EQ(raised([&] { Stma("eleven", var2); }).number(), 13);
  Value eleven = "11", month;
  Value n = 366;
  Stma(eleven, n, &month);
  EXPECT_EQ(month, Value(12));
}

}  // namespace
}  // namespace velta
