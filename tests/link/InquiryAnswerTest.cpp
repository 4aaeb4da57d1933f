#include "link/InquiryAnswer.h"

#include <gtest/gtest.h>

#include "link/MessageFields.h"

namespace velta {
namespace {

// A detail record whose field k is "f<k>" (k = 0 .. count-1).
std::string detail(int count, const std::string& prefix = "f") {
  std::string record;
  for (int k = 0; k < count; ++k) {
    if (k) record += '|';
    record += prefix + std::to_string(k);
  }
  return record;
}

InquiryResultRow expectedRow(const std::string& prefix = "f") {
  InquiryResultRow row;
  const int fields[] = {4, 5, 3, 1, 2, 7, 13, 8, 9, 23, 24, 14, 17, 16, 15};
  for (int c = 0; c < 15; ++c) row[static_cast<std::size_t>(c)] = prefix + std::to_string(fields[c]);
  return row;
}

const std::string kHeader = "00|//VELTA//846|||RKT|8153|10:20:07|20240315||WEB|||||||x\n";

TEST(InquiryAnswer, ThreeDetailRecordsGiveThreeRowsInColumnOrder) {
  const std::string answer = kHeader + "01|104233\n" + detail(25, "a") + "\n" + detail(25, "b") + "\n" +
                             detail(30, "c") + "\n";
  const InquiryAnswer parsed = parseInquiryAnswer(answer);
  EXPECT_FALSE(parsed.exception);
  EXPECT_FALSE(parsed.malformed.has_value());
  ASSERT_EQ(parsed.rows.size(), 3u);
  EXPECT_EQ(parsed.rows[0], expectedRow("a"));
  EXPECT_EQ(parsed.rows[1], expectedRow("b"));
  EXPECT_EQ(parsed.rows[2], expectedRow("c"));
}

TEST(InquiryAnswer, ValuesAreShownAsReceived) {
  std::string record = "05|BRX|R1| 2 |BRK|R1|x|000|12.50|9.9|a|b|c|DISC PAD, FRONT|r|N|20270101|DOCK 4|x|x|x|x|x|0|OK ";
  const InquiryAnswer parsed = parseInquiryAnswer(kHeader + "01\n" + record + "\n");
  ASSERT_EQ(parsed.rows.size(), 1u);
  const InquiryResultRow row = {"BRK", "R1", " 2 ", "BRX", "R1", "000", "DISC PAD, FRONT", "12.50",
                                "9.9", "0",  "OK ", "r",   "DOCK 4", "20270101", "N"};
  EXPECT_EQ(parsed.rows[0], row);
}

TEST(InquiryAnswer, ExactlyTwentyFiveFieldsAreEnoughAndEmptyFieldsCount) {
  const InquiryAnswer parsed = parseInquiryAnswer(kHeader + "01\n" + std::string(24, '|') + "\n");
  ASSERT_EQ(parsed.rows.size(), 1u);
  EXPECT_FALSE(parsed.malformed.has_value());
  EXPECT_EQ(parsed.rows[0], InquiryResultRow{});
}

TEST(InquiryAnswer, AShortDetailRecordKeepsTheRowsBeforeIt) {
  const std::string answer = kHeader + "01\n" + detail(25) + "\n" + detail(24) + "\n" + detail(25) + "\n";
  const InquiryAnswer parsed = parseInquiryAnswer(answer);
  ASSERT_EQ(parsed.rows.size(), 1u);
  ASSERT_TRUE(parsed.malformed.has_value());
  EXPECT_EQ(parsed.malformed->number(), 9);
  EXPECT_EQ(parsed.malformed->source(), "parseResponse");
  EXPECT_EQ(parsed.malformed->description(), "Subscript out of range");
  EXPECT_EQ(parsed.malformed->detail(), "record 3 of the answer has 24 fields, 25 needed");
}

struct EndCase {
  const char* name;
  std::string tail;  // after header and record 1
  std::size_t rows;
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class AnswerEnds : public ::testing::TestWithParam<EndCase> {};

TEST_P(AnswerEnds, TheFirstEmptyRecordEndsTheList) {
  const InquiryAnswer parsed = parseInquiryAnswer(kHeader + "01\n" + GetParam().tail);
  EXPECT_FALSE(parsed.malformed.has_value());
  EXPECT_EQ(parsed.rows.size(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Ends, AnswerEnds,
                         ::testing::Values(EndCase{"noDetails", "", 0},
                                           EndCase{"withoutFinalLf", detail(25), 1},
                                           EndCase{"emptyInTheMiddle", detail(25) + "\n\n" + detail(3) + "\n", 1},
                                           EndCase{"twoFinalLfs", detail(25) + "\n\n", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InquiryAnswer, HeaderAloneOrNothingGivesNoRows) {
  EXPECT_TRUE(parseInquiryAnswer(kHeader).rows.empty());
  EXPECT_TRUE(parseInquiryAnswer("").rows.empty());
  EXPECT_FALSE(parseInquiryAnswer("").malformed.has_value());
}

TEST(InquiryAnswer, AnExceptionGivesFieldsOneToFive) {
  const InquiryAnswer parsed = parseInquiryAnswer(
      "00|//VELTA//EXR|||RKT\n99|104233|IQ 77|20261208|E12|Unknown account|extra\n" + detail(25) + "\n");
  EXPECT_TRUE(parsed.exception);
  EXPECT_FALSE(parsed.malformed.has_value());
  const std::array<std::string, 5> fields = {"104233", "IQ 77", "20261208", "E12", "Unknown account"};
  EXPECT_EQ(parsed.exceptionFields, fields);
  EXPECT_TRUE(parsed.rows.empty());
}

TEST(InquiryAnswer, TheExceptionMarkCountsAnywhereInTheHeaderOnly) {
  EXPECT_TRUE(parseInquiryAnswer("xx//VELTA//EXRyy\n0|1|2|3|4|5\n").exception);
  EXPECT_FALSE(parseInquiryAnswer(kHeader + "//VELTA//EXR\n").exception);
}

struct ShortExceptionCase {
  const char* name;
  std::string answer;
  const char* detail;  // after the runtime's exact "Subscript out of range"
};

void PrintTo(const ShortExceptionCase& c, std::ostream* os) { *os << c.name; }

class ShortExceptions : public ::testing::TestWithParam<ShortExceptionCase> {};

TEST_P(ShortExceptions, AreMalformed) {
  const InquiryAnswer parsed = parseInquiryAnswer(GetParam().answer);
  EXPECT_TRUE(parsed.exception);
  ASSERT_TRUE(parsed.malformed.has_value());
  EXPECT_EQ(parsed.malformed->number(), 9);
  EXPECT_EQ(parsed.malformed->description(), "Subscript out of range");
  EXPECT_EQ(parsed.malformed->detail(), GetParam().detail);
}

INSTANTIATE_TEST_SUITE_P(
    Exceptions, ShortExceptions,
    ::testing::Values(
        ShortExceptionCase{"noRecordOne", "00|//VELTA//EXR", "record 1 of the answer has 0 fields, 6 needed"},
        ShortExceptionCase{"emptyRecordOne", "00|//VELTA//EXR\n\n", "record 1 of the answer has 0 fields, 6 needed"},
        ShortExceptionCase{"fiveFields", "00|//VELTA//EXR\n0|1|2|3|4\n", "record 1 of the answer has 5 fields, 6 needed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InquiryAnswer, SplittingKeepsEmptyPiecesAndGivesNoneForNothing) {
  EXPECT_TRUE(splitKeepingEmpty("", '|').empty());
  EXPECT_EQ(splitKeepingEmpty("|", '|'), (std::vector<std::string_view>{"", ""}));
  EXPECT_EQ(splitKeepingEmpty("a||b", '|'), (std::vector<std::string_view>{"a", "", "b"}));
}

}  // namespace
}  // namespace velta
