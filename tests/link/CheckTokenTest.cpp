#include "link/CheckToken.h"

#include <gtest/gtest.h>

#include "base/EngineError.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/TestTokenTable.h"

namespace velta {
namespace {

// Expected tokens are worked out by hand with the ordered table, where digit m
// rotated by s seconds is the character 33 + (m + s) mod 91.
class CheckToken : public ::testing::Test {
 protected:
  std::string token(std::string_view date, std::string_view time) { return makeToken(date, time, table); }
  TokenTable table = TokenTable::fromCharacters(test::orderedTokenTable(), "test table");
};

TEST_F(CheckToken, FullSecondUsesTheTableUnrotatedAndTheDateSwapped) {
  // 20240315 swapped is 50240312 = 3*63^4 + 11*63^3 + 58*63^2 + 11*63 + 17.
  EXPECT_EQ(token("20240315", "10:20:00"), "$,[,2");
}

TEST_F(CheckToken, SecondsShiftEveryCharacterAlongTheTable) {
  const std::string base = token("20240315", "10:20:00");
  const std::string later = token("20240315", "10:20:07");
  EXPECT_EQ(later, "+3b39");
  ASSERT_EQ(later.size(), base.size());
  for (std::size_t i = 0; i < base.size(); ++i) EXPECT_EQ(later[i], base[i] + 7) << i;
}

TEST_F(CheckToken, RotationWrapsRoundAllNinetyOneCharacters) {
  // Digit 58 at 59 seconds is (58 + 59) mod 91 = 26, at 33 seconds 0: modulo 91, not 63.
  EXPECT_EQ(token("20240315", "10:20:59"), "_g;gm");
  EXPECT_EQ(token("20240315", "00:00:33"), "EM!MS");
}

TEST_F(CheckToken, DateEndingInZeroIsNotSwapped) {
  // 20240310 as it is = 1*63^4 + 17*63^3 + 59*63^2 + 37*63 + 48.
  EXPECT_EQ(token("20240310", "10:20:00"), "\"2\\FQ");
}

TEST_F(CheckToken, DateBeginningWithZeroIsNotSwapped) {
  // 01234567 = 4*63^3 + 59*63^2 + 3*63 + 19: four characters.
  EXPECT_EQ(token("01234567", "00:00:00"), "%\\$4");
}

TEST_F(CheckToken, FourAndFiveCharacterTokens) {
  // A date ending in 1 swapped begins with 1: 10240302 is below 63^4 = 15752961.
  EXPECT_EQ(token("20240301", "08:00:00"), "I]%?");
  EXPECT_EQ(token("20240315", "08:00:00").size(), 5u);
  EXPECT_EQ(token("99999999", "23:59:59"), "bq;l%");
}

TEST_F(CheckToken, SmallNumbersHaveNoLeadingZeroDigits) {
  EXPECT_EQ(token("00000000", "12:00:00"), "");
  EXPECT_EQ(token("00000001", "00:00:30"), "@");  // digit 1 rotated 30: code 33 + 31
}

TEST_F(CheckToken, BuiltInTableGivesItsOwnToken) {
  // 3, 11, 58, 11, 17 on the built-in table.
  EXPECT_EQ(makeToken("20240315", "10:20:00", TokenTable::demonstration()), "+8/8i");
}

TEST_F(CheckToken, MalformedDateOrTimeIsInvalidCall) {
  const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
      {{"2024031", "10:20:00"}, "date \"2024031\" is not eight digits yyyymmdd"},
      {{"2024-03-15", "10:20:00"}, "date \"2024-03-15\" is not eight digits yyyymmdd"},
      {{"2024031a", "10:20:00"}, "date \"2024031a\" is not eight digits yyyymmdd"},
      {{"", "10:20:00"}, "date \"\" is not eight digits yyyymmdd"},
      {{"20240315", "10:20"}, "time \"10:20\" is not hh:mm:ss"},
      {{"20240315", "10-20-00"}, "time \"10-20-00\" is not hh:mm:ss"},
      {{"20240315", " 9:20:00"}, "time \" 9:20:00\" is not hh:mm:ss"},
      {{"20240315", "10:20:00 "}, "time \"10:20:00 \" is not hh:mm:ss"},
      {{"20240315", "24:00:00"}, "time \"24:00:00\" is not hh:mm:ss: hours run from 00 to 23"},
      {{"20240315", "10:60:00"}, "time \"10:60:00\" is not hh:mm:ss: minutes run from 00 to 59"},
      {{"20240315", "10:20:60"}, "time \"10:20:60\" is not hh:mm:ss: seconds run from 00 to 59"},
  };
  for (const auto& [input, description] : cases) {
    try {
      token(input.first, input.second);
      ADD_FAILURE() << "accepted " << input.first << " " << input.second;
    } catch (const EngineError& e) {
      EXPECT_EQ(e.number(), err::InvalidCall);
      EXPECT_EQ(e.source(), "makeToken");
      EXPECT_EQ(e.description(), description);
    }
  }
}

TEST_F(CheckToken, WithoutATableUsesTheConfiguredOne) {
  test::TempDir dir;
  const auto file = dir.write("table", test::orderedTokenTable() + "\n");
  test::ScopedEnvironment env({{"VELTA_TOKEN_TABLE", file.string()}});
  EXPECT_EQ(makeToken("20240315", "10:20:07"), "+3b39");
}

TEST_F(CheckToken, MalformedInputIsReportedBeforeTheTableIsRead) {
  test::ScopedEnvironment env({{"VELTA_TOKEN_TABLE", "/nonexistent/velta/table"}});
  try {
    makeToken("2024", "10:20:07");
    FAIL() << "accepted";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.number(), err::InvalidCall);
  }
  try {
    makeToken("20240315", "10:20:07");
    FAIL() << "accepted";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.number(), err::BadTokenTable);
  }
}

}  // namespace
}  // namespace velta
