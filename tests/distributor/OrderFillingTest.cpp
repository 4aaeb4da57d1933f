// How an order is filled, by back-order code: from which warehouses, what is
// back-ordered and what cancelled.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "tools/velta-distributor/OrderFilling.h"

namespace velta::distributor {
namespace {

struct Filling {
  const char* name;
  char code;
  std::vector<OrderLine> lines;
  // Per line: shipments "warehouse:quantity ...", back-ordered, reason, available, back-order code.
  std::vector<std::string> shipments;
  std::vector<std::int64_t> backOrdered;
  std::vector<std::string> reasons;
  std::vector<std::string> available;
};
void PrintTo(const Filling& c, std::ostream* os) { *os << c.name; }

const OrderLine kPh(std::int64_t n) { return {"FIL", "PH-3614", n}; }

const std::vector<Filling> kFillings = {
    {"DefaultShipsFromTheFirstWarehouse", ' ', {kPh(3)}, {"01:3"}, {0}, {""}, {""}},
    {"DefaultBackOrdersTheRest", ' ', {kPh(8)}, {"01:5"}, {3}, {""}, {"20240607"}},
    {"CodeZeroCancelsTheRest", '0', {kPh(8)}, {"01:5"}, {0}, {"BALANCE CANCELLED"}, {""}},
    {"AnyWarehouse", '2', {kPh(8)}, {"01:5 02:3"}, {0}, {"ALTERNATE WAREHOUSE"}, {""}},
    {"AnyWarehouseAndStillShort", '7', {kPh(30)}, {"01:5 02:20"}, {5}, {"ALTERNATE WAREHOUSE"}, {"20240607"}},
    {"AnyWarehouseThenCancel", '4', {kPh(30)}, {"01:5 02:20"}, {0}, {"ALTERNATE WAREHOUSE, BALANCE CANCELLED"}, {""}},
    {"OnlyInAnotherWarehouse", '1', {{"FIL", "51-00007", 2}}, {""}, {2}, {""}, {""}},
    {"OnlyInTheThirdWarehouse", '3', {{"FIL", "5100007", 2}}, {"03:2"}, {0}, {"ALTERNATE WAREHOUSE"}, {""}},
    {"NoStockAnywhere", '2', {{"FIL", "1A0007", 4}}, {""}, {4}, {""}, {"20240701"}},
    {"ShipCompleteWhenAllCan", '5', {kPh(5), {"BRX", "D0007", 100}}, {"01:5", "01:100"}, {0, 0}, {"", ""}, {"", ""}},
    {"ShipCompleteHoldsEverything", '6', {kPh(6), {"BRX", "D0007", 1}}, {"", ""}, {6, 1},
     {"HELD TO SHIP COMPLETE", "HELD TO SHIP COMPLETE"}, {"20240607", ""}},
    {"UnknownLinesDoNotHoldTheOrder", '5', {{"ZZZ", "X", 1}, kPh(2)}, {"", "01:2"}, {0, 0},
     {"LINE CODE NOT FOUND", ""}, {"", ""}},
    {"UnknownPart", '1', {{"fil", "NOPE", 1}}, {""}, {0}, {"PART NOT FOUND"}, {""}},
};

std::string shipmentsText(const FilledLine& line) {
  std::string text;
  for (const Shipment& s : line.shipments) text += (text.empty() ? "" : " ") + s.warehouseCode + ":" + std::to_string(s.quantity);
  return text;
}

class Fillings : public testing::TestWithParam<Filling> {};

TEST_P(Fillings, FollowTheBackOrderCode) {
  const Filling& f = GetParam();
  OrderRequest request;
  request.account = "104233";
  request.po = "100231";
  request.backOrderCode = f.code;
  request.lines = f.lines;
  const RememberedOrder order = fillOrder(request, "20240601", test::testCatalog(), *parseCompactDate("20240603"), "700009");
  EXPECT_EQ(order.orderNumber, "700009");
  EXPECT_EQ(order.poDate, "20240601");
  EXPECT_EQ(order.received, "20240603");
  ASSERT_EQ(order.lines.size(), f.lines.size());
  for (std::size_t i = 0; i < f.lines.size(); ++i) {
    SCOPED_TRACE(i);
    const FilledLine& l = order.lines[i];
    EXPECT_EQ(shipmentsText(l), f.shipments[i]);
    EXPECT_EQ(l.backOrdered, f.backOrdered[i]);
    EXPECT_EQ(l.reason, f.reasons[i]);
    EXPECT_EQ(l.available, f.available[i]);
    EXPECT_EQ(l.quantity, f.lines[i].quantity);
    EXPECT_EQ(l.lineOrdered, f.lines[i].line);
    EXPECT_EQ(l.partOrdered, f.lines[i].part);
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, Fillings, testing::ValuesIn(kFillings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OrderFilling, KnownLinesCarryTheDistributorsNamesAndTheCodeTheyWereHandledBy) {
  OrderRequest request;
  request.lines = {{"fil ", "ph3614", 1}, {"ZZZ", "X", 1}, {"BRX", "NOPE", 1}};
  const RememberedOrder order = fillOrder(request, "20240603", test::testCatalog(), *parseCompactDate("20240603"), "1");
  EXPECT_EQ(order.lines[0].line, "FIL");
  EXPECT_EQ(order.lines[0].part, "PH-3614");
  EXPECT_EQ(order.lines[0].description, "OIL FILTER");
  EXPECT_EQ(order.lines[0].costCents, 712);
  EXPECT_EQ(order.lines[0].backOrderCode, "1");  // the default is code 1
  EXPECT_EQ(order.lines[0].shipments[0].warehouseName, "FORT WAYNE, IN");
  EXPECT_EQ(order.lines[1].line, "");
  EXPECT_EQ(order.lines[1].backOrderCode, "");
  EXPECT_EQ(order.lines[2].line, "BRX");
  EXPECT_EQ(order.lines[2].part, "");
}

}  // namespace
}  // namespace velta::distributor
