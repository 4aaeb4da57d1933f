#include "link/OrderAnswer.h"

#include <gtest/gtest.h>

#include "support/EngineErrorMatch.h"

namespace velta {
namespace {

using Cells = std::vector<std::string>;

const std::string kHeader = "00|//VELTA//850|||DIST|1|10:20:07|20240315||BMS|||||||\n";
const std::string kExceptionHeader = "00|//VELTA//EXR|||DIST|1|10:20:07|20240315||BMS|||||||\n";

TEST(OrderAnswer, AcknowledgementWithEverything) {
  const OrderAnswer answer = parseOrderAnswer(
      kHeader + "01|5678|1234|2|D-991|240315|1030|Credit limit exceeded\n" +
      "05|XYZ|P-1|4|3|1|XYZ|P-100|x|Wiper|SUB|1|240401|Dallas\n" + "05|ABC|Q|2|2|0|ABC|Q|x|Filter||||Reno\n");
  ASSERT_FALSE(answer.isException());
  const auto& ack = answer.acknowledgement;
  EXPECT_EQ(ack.lblSearch, (std::array<std::string, 7>{"5678", "D-991", "240315", "1234", "2", "1030",
                                                       "Credit limit exceeded"}));
  ASSERT_EQ(ack.rows.size(), 2u);
  EXPECT_EQ(ack.rows[0].cells,
            (Cells{"XYZ", "P-100", "4", "XYZ", "P-1", "3", "1", "Wiper", "SUB", "1", "240401", "Dallas"}));
  EXPECT_EQ(ack.rows[0].rowText(), "XYZ\tP-100\t4\tXYZ\tP-1\t3\t1\tWiper\tSUB\t1\t240401\tDallas\t");
  EXPECT_EQ(ack.rows[1].cells, (Cells{"ABC", "Q", "2", "ABC", "Q", "2", "0", "Filter", "", "", "", "Reno"}));
  EXPECT_EQ(answer.lastOrderNumber(), "D-991");
}

TEST(OrderAnswer, SummaryFieldsFiveToSevenOnlyWhenPresent) {
  struct Case {
    std::string record;
    std::array<std::string, 7> labels;
  };
  const Case cases[] = {
      {"01|A|PO|B|N", {"A", "N", "", "PO", "B", "", ""}},
      {"01|A|PO|B|N|D", {"A", "N", "D", "PO", "B", "", ""}},
      {"01|A|PO|B|N|D|C", {"A", "N", "D", "PO", "B", "C", ""}},
      {"01|A|PO|B|N|D|C|M", {"A", "N", "D", "PO", "B", "C", "M"}},
      {"01|A|PO|B|N|D|C|M|extra", {"A", "N", "D", "PO", "B", "C", "M"}},
      {"01||||", {"", "", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    const OrderAnswer answer = parseOrderAnswer(kHeader + c.record + "\n");
    EXPECT_EQ(answer.acknowledgement.lblSearch, c.labels) << c.record;
    EXPECT_TRUE(answer.acknowledgement.rows.empty()) << c.record;
  }
}

TEST(OrderAnswer, LineRecordsOfEveryLength) {
  struct Case {
    std::string record;
    Cells cells;
  };
  const Case cases[] = {
      {"05", {}},
      {"05|L1|P1|3", {"3", "L1", "P1"}},
      {"05|L1|P1|3|2|1", {"3", "L1", "P1", "2", "1"}},
      {"05|L1|P1|3|2|1|L0", {"L0", "3", "L1", "P1", "2", "1"}},
      {"05|L1|P1|3|2|1|L0|P0|hidden", {"L0", "P0", "3", "L1", "P1", "2", "1"}},
      {"05|L1|P1|3|2|1|L0|P0|hidden|D", {"L0", "P0", "3", "L1", "P1", "2", "1", "D"}},
      {"05|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15", {"6", "7", "3", "1", "2", "4", "5", "9", "10", "11", "12", "13"}},
      {"|", {""}},
      {"x", {}},
  };
  for (const Case& c : cases) {
    const OrderAnswer answer = parseOrderAnswer(kHeader + "01|A|PO|B|N\n" + c.record + "\n");
    ASSERT_EQ(answer.acknowledgement.rows.size(), 1u) << c.record;
    EXPECT_EQ(answer.acknowledgement.rows[0].cells, c.cells) << c.record;
  }
  EXPECT_EQ(parseOrderAnswer(kHeader + "01|A|PO|B|N\n05|L1|P1|3\n").acknowledgement.rows[0].rowText(), "3\tL1\tP1\t");
}

TEST(OrderAnswer, EmptyRecordEndsTheLines) {
  struct Case {
    std::string tail;
    std::size_t rows;
  };
  const Case cases[] = {
      {"", 0},
      {"05|a\n05|b\n", 2},
      {"05|a\n05|b", 2},
      {"05|a\n\n05|b\n", 1},
      {"\n05|a\n", 0},
      {"05|a\n\n\n", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseOrderAnswer(kHeader + "01|A|PO|B|N\n" + c.tail).acknowledgement.rows.size(), c.rows) << c.tail;
  }
  // Record 1 without its LF: still the summary, no lines.
  EXPECT_EQ(parseOrderAnswer(kHeader + "01|A|PO|B|N").acknowledgement.lblSearch[1], "N");
}

TEST(OrderAnswer, Exception) {
  const OrderAnswer answer =
      parseOrderAnswer(kExceptionHeader + "99|5678|1234|20240315|E17|Unknown account\n05|XYZ|P|1\n");
  ASSERT_TRUE(answer.isException());
  EXPECT_EQ(answer.exception.lblER,
            (std::array<std::string, 5>{"5678", "1234", "20240315", "E17", "Unknown account"}));
  EXPECT_EQ(answer.lastOrderNumber(), "");
  EXPECT_TRUE(answer.acknowledgement.rows.empty());
}

TEST(OrderAnswer, ExceptionMarkAnywhereInRecordZeroOnlyAndCaseKept) {
  struct Case {
    std::string answer;
    bool exception;
  };
  const Case cases[] = {
      {"00|x//VELTA//EXRy|\n99|a|b|c|d|e\n", true},
      {"00|//VELTA//850|||||||||||||||//VELTA//EXR\n99|a|b|c|d|e\n", true},
      {"00|//velta//exr|\n01|a|b|c|d|e\n", false},
      {"00|//VELTA//EX\n01|a|b|c|d|e\n", false},
      {"00|//VELTA//850\n01|a|b|c|d|//VELTA//EXR\n", false},
  };
  for (const Case& c : cases) EXPECT_EQ(parseOrderAnswer(c.answer).isException(), c.exception) << c.answer;
}

TEST(OrderAnswer, MalformedAnswersAreSubscriptErrors) {
  struct Case {
    std::string answer;
    std::string detail;  // after the runtime's exact "Subscript out of range"
  };
  const Case cases[] = {
      {"", "the answer holds no record"},
      {"00|//VELTA//850", "the answer has no record 1"},
      {kHeader, "record 1 of the answer has 0 fields; an order summary needs 5"},
      {kHeader + "\n01|A|B|C|D\n", "record 1 of the answer has 0 fields; an order summary needs 5"},
      {kHeader + "01\n", "record 1 of the answer has 1 field; an order summary needs 5"},
      {kHeader + "01|A|PO|B\n05|1|2|3|4|5|6|7\n",
       "record 1 of the answer has 4 fields; an order summary needs 5"},
      {"00|//VELTA//EXR", "the answer has no record 1"},
      {kExceptionHeader, "record 1 of the answer has 0 fields; an exception record needs 6"},
      {kExceptionHeader + "99|a|b|c|d\n",
       "record 1 of the answer has 5 fields; an exception record needs 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    test::expectEngineError([&] { parseOrderAnswer(c.answer); }, 9, "parseResponse", "Subscript out of range");
    EXPECT_EQ(test::raised([&] { parseOrderAnswer(c.answer); }).detail(), c.detail);
  }
}

}  // namespace
}  // namespace velta
