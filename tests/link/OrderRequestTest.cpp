#include "link/OrderRequest.h"

#include <gtest/gtest.h>

#include "link/LineCodeMap.h"
#include "support/EngineErrorMatch.h"
#include "support/TestTokenTable.h"

namespace velta {
namespace {

using namespace std::chrono_literals;

const std::string kHeader = "00|//VELTA//850|||H-BRONTEK|8153|10:20:07|20240315||BMS|||||||+3b39\n";

Date day(int y, int m, int d) { return *makeDate(y, m, d); }

class OrderRequest : public ::testing::Test {
 protected:
  OrderRequestInput input() const {
    OrderRequestInput in;
    in.moment = RequestMoment{"20240315", "10:20:07"};
    in.today = day(2024, 3, 15);
    in.requestedShipDate = day(2024, 3, 15);
    in.dealerAccount = "5678";
    in.poNumber = "1234";
    return in;
  }
  OutgoingRequest build(const OrderRequestInput& in) const { return buildOrderRequest(in, map, table); }

  TokenTable table = TokenTable::fromCharacters(test::orderedTokenTable(), "test table");
  // RKT XYZ is the dealer's 123; RKT "XY\0" the dealer's AB; "\r" the dealer's CR1.
  LineCodeMap map = LineCodeMap::fromText(std::string("XYZ   123  ' comment\nXY\0  AB '\n\r CR1 '\n", 39));
};

TEST_F(OrderRequest, DefaultEntriesSendOneBlankEach) {
  const OutgoingRequest request = build(input());
  EXPECT_EQ(request.message, kHeader + "01|5678|1234|||| || | \n");
  EXPECT_EQ(request.lengthLine, std::to_string(request.message.size()) + "\n");
  EXPECT_EQ(request.wireBytes(), request.lengthLine + request.message);
}

TEST_F(OrderRequest, EmptyGridIsHeaderAndOrderRecordOnly) {
  const std::string message = build(input()).message;
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 2);
  EXPECT_EQ(message.substr(message.size() - 2), " \n");
}

TEST_F(OrderRequest, OrderRecordFields) {
  struct Case {
    const char* name;
    std::string shipMethod, backOrderCode, backOrderShip;
    bool resale;
    Date shipDate;
    std::string record;
  };
  const Case cases[] = {
      {"codes from entry texts", "C - Small Pkg Ground", "5 - Ship order Complete", "A - Will Call", false,
       day(2024, 3, 15), "01|5678|1234||||C||5|A\n"},
      {"bare codes and resale", "K", "0", "H", true, day(2024, 3, 15), "01|5678|1234||||K|Y|0|H\n"},
      {"ship date 1 January 2027", "   Default", "   Default", "   Default", false, day(2027, 1, 1),
       "01|5678|1234|||270101| || | \n"},
      {"ship date before today", " ", " ", " ", false, day(2024, 3, 14), "01|5678|1234|||240314| || | \n"},
      {"ship date of another century", " ", " ", " ", false, day(2105, 12, 31), "01|5678|1234|||051231| || | \n"},
      {"empty entries send empty codes", "", "", "", false, day(2024, 3, 15), "01|5678|1234|||||||\n"},
  };
  for (const Case& c : cases) {
    OrderRequestInput in = input();
    in.shipMethod = c.shipMethod;
    in.backOrderCode = c.backOrderCode;
    in.backOrderShipMethod = c.backOrderShip;
    in.resale = c.resale;
    in.requestedShipDate = c.shipDate;
    EXPECT_EQ(build(in).message, kHeader + c.record) << c.name;
  }
}

TEST_F(OrderRequest, AccountAndPoNumberTrimmedOfBlanksOnly) {
  OrderRequestInput in = input();
  in.dealerAccount = "  56 78  ";
  in.poNumber = " 1234 ";
  EXPECT_EQ(build(in).message, kHeader + "01|56 78|1234|||| || | \n");
  in.dealerAccount = "";
  in.poNumber = "";
  EXPECT_EQ(build(in).message, kHeader + "01|||||| || | \n");
}

TEST_F(OrderRequest, LineRecords) {
  struct Case {
    const char* name;
    OrderLine line;
    std::string record;
  };
  const Case cases[] = {
      {"mapped code", {"123", "P-100", "4"}, "05|XYZ|P-100|4\n"},
      {"mapped code found in any letter case", {"ab", "P", "1"}, std::string("05|XY\0|P|1\n", 11)},
      {"mapped code sent as returned, untrimmed", {"AB", "P", "1"}, std::string("05|XY\0|P|1\n", 11)},
      {"unknown code sent unchanged", {"999", "P", "1"}, "05|999|P|1\n"},
      {"two-letter code with its trailing blank", {"AB ", "P", "1"}, "05|AB |P|1\n"},
      {"mapped code that is only control characters", {"CR1", "P", "1"}, "05|CR1|P|1\n"},
      {"part and quantity trimmed", {"999", "  P-7  ", " 12 "}, "05|999|P-7|12\n"},
      {"empty cells", {"", "", ""}, "05|||\n"},
  };
  OrderRequestInput all = input();
  std::string records;
  for (const Case& c : cases) {
    OrderRequestInput in = input();
    in.lines = {c.line};
    EXPECT_EQ(build(in).message, kHeader + "01|5678|1234|||| || | \n" + c.record) << c.name;
    all.lines.push_back(c.line);
    records += c.record;
  }
  // All in one order, twice over: each line its own record, whatever came before.
  const std::vector<OrderLine> once = all.lines;
  all.lines.insert(all.lines.end(), once.begin(), once.end());
  EXPECT_EQ(build(all).message, kHeader + "01|5678|1234|||| || | \n" + records + records);
}

TEST_F(OrderRequest, RowsInGridOrderAndTheLengthLineCountsEveryByte) {
  OrderRequestInput in = input();
  in.lines = {{"123", "A", "1"}, {"999", "B", "2"}, {"123", "C", "3"}};
  const OutgoingRequest request = build(in);
  const std::string expected = kHeader + "01|5678|1234|||| || | \n05|XYZ|A|1\n05|999|B|2\n05|XYZ|C|3\n";
  EXPECT_EQ(request.message, expected);
  EXPECT_EQ(request.lengthLine, std::to_string(expected.size()) + "\n");
  EXPECT_EQ(request.lengthLine, "124\n");
}

TEST_F(OrderRequest, MomentOfADateTime) {
  EXPECT_EQ(requestMomentOf(DateTime{day(2024, 3, 15), 10h + 20min + 7s}).date, "20240315");
  EXPECT_EQ(requestMomentOf(DateTime{day(2024, 3, 15), 10h + 20min + 7s}).time, "10:20:07");
  EXPECT_EQ(requestMomentOf(DateTime{day(2027, 1, 1), 0s}).time, "00:00:00");
  EXPECT_EQ(requestMomentOf(DateTime{day(2027, 1, 1), 23h + 59min + 59s}).time, "23:59:59");
}

TEST_F(OrderRequest, FieldsThatWouldBreakTheMessageAreRefused) {
  struct Case {
    const char* name;
    void (*change)(OrderRequestInput&);
    std::string description;
  };
  const Case cases[] = {
      {"bar in PO", [](OrderRequestInput& in) { in.poNumber = "12|34"; }, "a \"|\" in the PO number"},
      {"LF in PO", [](OrderRequestInput& in) { in.poNumber = "1234\n"; }, "an LF in the PO number"},
      {"TAB in account", [](OrderRequestInput& in) { in.dealerAccount = "\t5678"; }, "a TAB in the dealer account"},
      {"CR in account", [](OrderRequestInput& in) { in.dealerAccount = "56\r78"; }, "a CR in the dealer account"},
      {"bar as ship method", [](OrderRequestInput& in) { in.shipMethod = "|"; }, "a \"|\" in the ship method code"},
      {"LF as back-order code", [](OrderRequestInput& in) { in.backOrderCode = "\n"; },
       "an LF in the back-order code"},
      {"TAB as back-order ship", [](OrderRequestInput& in) { in.backOrderShipMethod = "\tX"; },
       "a TAB in the back-order ship method code"},
      {"bar in part of row 3",
       [](OrderRequestInput& in) { in.lines = {{"999", "A", "1"}, {"999", "B", "1"}, {"999", "C|D", "1"}}; },
       "a \"|\" in the part number of row 3"},
      {"TAB in part of row 1", [](OrderRequestInput& in) { in.lines = {{"999", "A\t", "1"}}; },
       "a TAB in the part number of row 1"},
      {"LF in quantity of row 2", [](OrderRequestInput& in) { in.lines = {{"999", "A", "1"}, {"999", "B", "1\n"}}; },
       "an LF in the quantity of row 2"},
      {"CR in quantity", [](OrderRequestInput& in) { in.lines = {{"999", "A", "\r1"}}; },
       "a CR in the quantity of row 1"},
      {"bar in unmapped line code", [](OrderRequestInput& in) { in.lines = {{"9|9", "A", "1"}}; },
       "a \"|\" in the line code of row 1"},
      {"CR in unmapped line code", [](OrderRequestInput& in) { in.lines = {{"A", "P", "1"}, {"9\r", "A", "1"}}; },
       "a CR in the line code of row 2"},
      {"first fault wins", [](OrderRequestInput& in) { in.lines = {{"9|", "A|", "1|"}}; },
       "a \"|\" in the line code of row 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OrderRequestInput in = input();
    c.change(in);
    test::expectEngineError([&] { build(in); }, -23, "Exchange", c.description);
  }
}

TEST_F(OrderRequest, MappedCodeWithABarIsRefused) {
  const LineCodeMap barred = LineCodeMap::fromText("X|Y  123 '\n");
  OrderRequestInput in = input();
  in.lines = {{"123", "P", "1"}};
  test::expectEngineError([&] { buildOrderRequest(in, barred, table); }, -23, "Exchange",
                          "a \"|\" in the line code of row 1");
}

TEST_F(OrderRequest, ConfiguredTableServesTheHeader) {
  const OutgoingRequest request = buildOrderRequest(input(), map);
  EXPECT_EQ(request.message.substr(0, 45), kHeader.substr(0, 45));
  EXPECT_EQ(request.message.substr(request.message.find('\n') + 1), "01|5678|1234|||| || | \n");
}

}  // namespace
}  // namespace velta
