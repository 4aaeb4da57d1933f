#include "link/StatusAnswer.h"

#include <gtest/gtest.h>

#include "support/EngineErrorMatch.h"

namespace velta {
namespace {

using Cells = std::vector<std::string>;
using Labels = std::array<std::string, 7>;

const std::string kHeader = "00|//VELTA//869|||DIST|1|10:20:07|20240315||WEB|||||||\n";
const std::string kRecord1 = "01|not read\n";
const std::string kStatusHeader = "02|SHIP|T-77|1234|20240315|OPEN|Open order|BILL\n";
const std::string kLine = "05|XYZ|P-100|123|P-100|Wiper blade|4|3|1|240401\n";
const std::string kShipment = "11|3|INV-9|240320|UPS|1Z999|Delivered|On time|Dallas|DAL\n";

Cells shipmentCells(int row, const std::string& a, const std::string& b, const std::string& c) {
  static const char* captions[3][3] = {{"Qty Shipped = ", "Invoice # = ", "Ship Date = "},
                                       {"Ship Method = ", "Tracking Info = ", "Shipment Status = "},
                                       {"Status Msg = ", "Ship Location = ", "Ship Loc. Code = "}};
  return {"", captions[row][0] + a, captions[row][1] + b, captions[row][2] + c};
}

void expectGroup(const StatusRow& row, const Cells& cells) {
  EXPECT_EQ(row.cells, cells);
  EXPECT_TRUE(row.group);
  EXPECT_EQ(row.outlineLevel, 0);
  EXPECT_TRUE(row.bold);
  EXPECT_EQ(row.backColour, 0xC0E0FFu);
}

void expectShipmentRows(const std::vector<StatusRow>& rows, std::size_t first) {
  ASSERT_GE(rows.size(), first + 3);
  EXPECT_EQ(rows[first].cells, shipmentCells(0, "3", "INV-9", "240320"));
  EXPECT_EQ(rows[first + 1].cells, shipmentCells(1, "UPS", "1Z999", "Delivered"));
  EXPECT_EQ(rows[first + 2].cells, shipmentCells(2, "On time", "Dallas", "DAL"));
  for (std::size_t r = first; r < first + 3; ++r) {
    EXPECT_FALSE(rows[r].group) << r;
    EXPECT_EQ(rows[r].outlineLevel, 1) << r;
    EXPECT_FALSE(rows[r].bold) << r;
    EXPECT_EQ(rows[r].backColour, 0u) << r;
  }
}

TEST(StatusAnswer, LinesWithTheirShipments) {
  const StatusAnswer answer = parseStatusAnswer(kHeader + kRecord1 + kStatusHeader + kLine + kShipment + kShipment +
                                                "05|ABC|Q|AB |Q|Filter|2|0|2|\n" + kShipment);
  ASSERT_FALSE(answer.isException());
  EXPECT_EQ(answer.status.lblStatus, (Labels{"1234", "T-77", "20240315", "BILL", "SHIP", "OPEN", "Open order"}));
  const auto& rows = answer.status.rows;
  ASSERT_EQ(rows.size(), 11u);
  expectGroup(rows[0], {"XYZ", "P-100", "123", "P-100", "Wiper blade", "4", "3", "1", "240401"});
  expectShipmentRows(rows, 1);
  expectShipmentRows(rows, 4);
  expectGroup(rows[7], {"ABC", "Q", "AB ", "Q", "Filter", "2", "0", "2", ""});
  expectShipmentRows(rows, 8);
  EXPECT_EQ(rows[0].rowText(), "XYZ\tP-100\t123\tP-100\tWiper blade\t4\t3\t1\t240401\t");
  EXPECT_EQ(rows[1].rowText(), "\tQty Shipped = 3\tInvoice # = INV-9\tShip Date = 240320");
}

TEST(StatusAnswer, OneLineTwoShipmentsIsSevenRows) {
  const auto rows = parseStatusAnswer(kHeader + kRecord1 + kStatusHeader + kLine + kShipment + kShipment).status.rows;
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const StatusRow& r) { return r.group && r.bold; }), 1);
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const StatusRow& r) { return r.outlineLevel == 1; }), 6);
}

TEST(StatusAnswer, StatusHeaderLabelsByFieldCount) {
  struct Case {
    std::string record;
    Labels labels;
  };
  const Case cases[] = {
      {"02|S|T|P|D|C", {"P", "T", "D", "", "S", "C", ""}},
      {"02|S|T|P|D|C|M", {"P", "T", "D", "", "S", "C", "M"}},
      {"02|S|T|P|D|C|M|B", {"P", "T", "D", "B", "S", "C", "M"}},
      {"02|S|T|P|D|C|M|B|more", {"P", "T", "D", "B", "S", "C", "M"}},
  };
  for (const Case& c : cases) {
    const StatusAnswer answer = parseStatusAnswer(kHeader + kRecord1 + c.record + "\n");
    EXPECT_EQ(answer.status.lblStatus, c.labels) << c.record;
    EXPECT_TRUE(answer.status.rows.empty()) << c.record;
  }
}

TEST(StatusAnswer, WhichRecordsAddRows) {
  struct Case {
    const char* name;
    std::string records;  // after record 1
    std::size_t rows;
  };
  const Case cases[] = {
      {"shipment before any line", kStatusHeader + kShipment, 3},
      {"other types add nothing", kStatusHeader + "06|1|2|3|4|5|6|7|8|9\n" + "5|1|2|3|4|5|6|7|8|9\n" + kLine, 1},
      {"a status header of type 05 is a line too", "05|S|T|P|D|C|M|B|x|y\n" + kLine, 2},
      {"empty record ends the scan", kStatusHeader + kLine + "\n" + kLine + kShipment, 1},
      {"last record without LF", kStatusHeader + kLine + kShipment.substr(0, kShipment.size() - 1), 4},
      {"short record of another type is no fault", kStatusHeader + "99|x\n" + kLine, 1},
      {"line with more than ten fields", kStatusHeader + "05|1|2|3|4|5|6|7|8|9|10|11\n", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseStatusAnswer(kHeader + kRecord1 + c.records).status.rows.size(), c.rows) << c.name;
  }
  const auto early = parseStatusAnswer(kHeader + kRecord1 + kStatusHeader + kShipment).status.rows;
  expectShipmentRows(early, 0);
}

TEST(StatusAnswer, Exception) {
  const StatusAnswer answer =
      parseStatusAnswer("00|//VELTA//EXR|||\n99|5678|1234|20240315|E4|No such order\n" + kStatusHeader + kLine);
  ASSERT_TRUE(answer.isException());
  EXPECT_EQ(answer.exception.lblER, (std::array<std::string, 5>{"5678", "1234", "20240315", "E4", "No such order"}));
  EXPECT_TRUE(answer.status.rows.empty());
}

TEST(StatusAnswer, MalformedAnswersAreSubscriptErrors) {
  struct Case {
    std::string answer;
    std::string detail;  // after the runtime's exact "Subscript out of range"
  };
  const Case cases[] = {
      {"", "the answer holds no record"},
      {kHeader, "the answer has no record 2"},
      {kHeader + kRecord1.substr(0, kRecord1.size() - 1), "the answer has no record 2"},
      {kHeader + kRecord1, "record 2 of the answer has 0 fields; the status header needs 6"},
      {kHeader + kRecord1 + "02|S|T|P|D\n",
       "record 2 of the answer has 5 fields; the status header needs 6"},
      {kHeader + kRecord1 + kStatusHeader + "05|1|2|3|4|5|6|7|8\n",
       "record 3 of the answer has 9 fields; an order line needs 10"},
      {kHeader + kRecord1 + kStatusHeader + kLine + kShipment + "11|1|2\n",
       "record 5 of the answer has 3 fields; a shipment record needs 10"},
      {kHeader + kRecord1 + "05|S|T|P|D|C|M|B\n",
       "record 2 of the answer has 8 fields; an order line needs 10"},
      {"00|//VELTA//EXR", "the answer has no record 1"},
      {"00|//VELTA//EXR\n99|a|b|c|d\n",
       "record 1 of the answer has 5 fields; an exception record needs 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    test::expectEngineError([&] { parseStatusAnswer(c.answer); }, 9, "statusResponse", "Subscript out of range");
    EXPECT_EQ(test::raised([&] { parseStatusAnswer(c.answer); }).detail(), c.detail);
  }
}

}  // namespace
}  // namespace velta
