#include "link/InquiryRequest.h"

#include <gtest/gtest.h>

#include "support/EngineErrorMatch.h"
#include "support/TestTokenTable.h"

namespace velta {
namespace {

// The dealer's "FLT", "BLT" and "BRK" are the distributor's "FIL", "GTB" and "BRX".
const char* const kMapFile =
    "FIL FLT ' filters\n"
    "GTB BLT ' belts\n"
    "BRX BRK ' brakes\n";

class InquiryRequest : public ::testing::Test {
 protected:
  TokenTable table = TokenTable::fromCharacters(test::orderedTokenTable(), "test table");
  RequestMoment moment{"20240315", "10:20:07"};  // token "+3b39" with this table
  LineCodeMap map = LineCodeMap::fromText(kMapFile);
  const std::string header = "00|//VELTA//846|||H-BRONTEK|8153|10:20:07|20240315||WEB|||||||+3b39\n";

  InquiryRequestParts hostOnly() {
    InquiryRequestParts parts;
    parts.dealerAccount = "104233";
    parts.hostPart = {"FLT", "PH3600", "2"};
    parts.gridRows.resize(5);
    return parts;
  }
};

TEST_F(InquiryRequest, OnlyTheHostsPartIsThreeRecords) {
  const std::string message = inquiryRequest(hostOnly(), moment, map, table);
  EXPECT_EQ(message, header + "01|104233\n05|FIL|PH3600|2\n");
  // 68 bytes of header, 10 of account, 16 of part.
  EXPECT_EQ(lengthLine(message), "94\n");
}

TEST_F(InquiryRequest, WithoutGridRowsAtAll) {
  InquiryRequestParts parts = hostOnly();
  parts.gridRows.clear();
  EXPECT_EQ(inquiryRecords(parts, map), "01|104233\n05|FIL|PH3600|2\n");
}

TEST_F(InquiryRequest, TheHostsPartIsSentEvenWhenEmpty) {
  InquiryRequestParts parts = hostOnly();
  parts.hostPart = {"0", "0", "0"};  // the properties of a new control
  EXPECT_EQ(inquiryRecords(parts, map), "01|104233\n05|0|0|0\n");
}

struct RowCase {
  const char* name;
  InquiryPart row;
  const char* record;  // "" when the row is not sent
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class GridRows : public InquiryRequest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(GridRows, QualifyingRowsAreSentAsTyped) {
  InquiryRequestParts parts = hostOnly();
  parts.gridRows[1] = GetParam().row;  // row 3
  EXPECT_EQ(inquiryRecords(parts, map), std::string("01|104233\n05|FIL|PH3600|2\n") + GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GridRows,
    ::testing::Values(RowCase{"mapped", {"BLT", "4L350", "1"}, "05|GTB|4L350|1\n"},
                      RowCase{"mappedInAnyCase", {"blt", "4L350", "1"}, "05|GTB|4L350|1\n"},
                      RowCase{"unmappedAsTyped", {"ZZQ", "X1", "3"}, "05|ZZQ|X1|3\n"},
                      RowCase{"unmappedKeepsItsBlanks", {" ZZQ ", "X1", "3"}, "05| ZZQ |X1|3\n"},
                      RowCase{"partAndQuantityUntrimmed", {"BRK", " 55 ", " 7 "}, "05|BRX| 55 | 7 \n"},
                      RowCase{"emptyQuantity", {"BRK", "R9", ""}, "05|BRX|R9|\n"},
                      RowCase{"noLine", {"", "R9", "1"}, ""},
                      RowCase{"noPart", {"BRK", "", "1"}, ""},
                      RowCase{"blankLine", {"   ", "R9", "1"}, ""},
                      RowCase{"blankPart", {"BRK", "  ", "1"}, ""},
                      RowCase{"allBlank", {" ", " ", " "}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InquiryRequest, RowsGoInGridOrderAndSkippedOnesLeaveNoGap) {
  InquiryRequestParts parts = hostOnly();
  parts.gridRows[0] = {"BRK", "R1", "1"};
  parts.gridRows[1] = {"", "R2", "2"};
  parts.gridRows[4] = {"ZZQ", "R6", ""};
  EXPECT_EQ(inquiryRecords(parts, map), "01|104233\n05|FIL|PH3600|2\n05|BRX|R1|1\n05|ZZQ|R6|\n");
}

TEST_F(InquiryRequest, AMappedCodeIsSentAsTheMapGivesIt) {
  // The distributor's code of a map entry is taken whole; only an empty one
  // (after trimming) falls back to the dealer's code.
  EXPECT_EQ(distributorLineCode(map, "FLT"), "FIL");
  EXPECT_EQ(distributorLineCode(map, "flt"), "FIL");
  EXPECT_EQ(distributorLineCode(map, "QQQ"), "QQQ");
  EXPECT_EQ(distributorLineCode(LineCodeMap(), "FLT"), "FLT");
}

struct UnsafeCase {
  const char* name;
  int row;                 // 1: the host's part
  InquiryPart part;
  const char* description;
};

void PrintTo(const UnsafeCase& c, std::ostream* os) { *os << c.name; }

class UnsafeFields : public InquiryRequest, public ::testing::WithParamInterface<UnsafeCase> {};

TEST_P(UnsafeFields, AreRefusedNamingFieldAndRow) {
  InquiryRequestParts parts = hostOnly();
  if (GetParam().row == 1) {
    parts.hostPart = GetParam().part;
  } else {
    parts.gridRows[static_cast<std::size_t>(GetParam().row - 2)] = GetParam().part;
  }
  test::expectEngineError([&] { inquiryRequest(parts, moment, map, table); }, -23, "Exchange",
                          GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UnsafeFields,
    ::testing::Values(UnsafeCase{"barInHostPart", 1, {"FLT", "PH|3600", "2"}, "a \"|\" in the part number of row 1"},
                      UnsafeCase{"tabInHostLine", 1, {"F\tT", "PH3600", "2"}, "a TAB in the line code of row 1"},
                      UnsafeCase{"lfInHostQty", 1, {"FLT", "PH3600", "2\n"}, "an LF in the quantity of row 1"},
                      UnsafeCase{"barInTypedPart", 3, {"BRK", "R|9", "1"}, "a \"|\" in the part number of row 3"},
                      UnsafeCase{"crInTypedQty", 6, {"BRK", "R9", "1\r"}, "a CR in the quantity of row 6"},
                      UnsafeCase{"tabAsLine", 2, {"\t", "R9", "1"}, "a TAB in the line code of row 2"},
                      UnsafeCase{"barInLine", 4, {"B|K", "R9", ""}, "a \"|\" in the line code of row 4"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InquiryRequest, AnUnsentRowMayHoldAnything) {
  InquiryRequestParts parts = hostOnly();
  parts.gridRows[2] = {"", "R|9", "1\n"};  // no line code: not sent
  EXPECT_EQ(inquiryRecords(parts, map), "01|104233\n05|FIL|PH3600|2\n");
}

TEST_F(InquiryRequest, AnAccountThatWouldAddAFieldIsRefused) {
  InquiryRequestParts parts = hostOnly();
  parts.dealerAccount = "10|4233";
  test::expectEngineError([&] { inquiryRecords(parts, map); }, -23, "Exchange", "a \"|\" in the account of row 1");
}

TEST_F(InquiryRequest, AMapEntryThatWouldAddAFieldIsRefused) {
  const LineCodeMap odd = LineCodeMap::fromText("G|B BLT '\n");
  InquiryRequestParts parts = hostOnly();
  parts.gridRows[0] = {"BLT", "R1", "1"};
  test::expectEngineError([&] { inquiryRecords(parts, odd); }, -23, "Exchange", "a \"|\" in the line code of row 2");
}

TEST_F(InquiryRequest, TheLengthLineCountsEveryByte) {
  InquiryRequestParts parts = hostOnly();
  parts.gridRows[0] = {"BRK", "R1", "12"};
  const std::string message = inquiryRequest(parts, moment, map, table);
  EXPECT_EQ(message.size(), header.size() + std::string("01|104233\n05|FIL|PH3600|2\n05|BRX|R1|12\n").size());
  EXPECT_EQ(lengthLine(message), std::to_string(message.size()) + "\n");
}

}  // namespace
}  // namespace velta
