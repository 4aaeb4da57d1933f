// The remembered orders and their state file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "support/TempDir.h"
#include "tools/velta-distributor/OrderBook.h"
#include "tools/velta-distributor/OrderFilling.h"

namespace velta::distributor {
namespace {

namespace fs = std::filesystem;

RememberedOrder anOrder(const std::string& po, const std::string& part = "PH-3614") {
  OrderRequest request;
  request.account = "104233";
  request.po = po;
  request.shipMethod = 'E';
  request.resale = true;
  request.backOrderCode = '7';
  request.backOrderShip = 'B';
  request.shipDate = "270101";
  request.lines = {{"FIL", part, 8}, {"zzz", "Q\xE9", 1}};
  return fillOrder(request, "20240601", test::testCatalog(), *parseCompactDate("20240603"), "");
}

TEST(OrderBook, NumbersOrdersAndFindsThemByAccountAndPo) {
  OrderBook book;
  EXPECT_EQ(book.nextOrderNumber(), "700001");
  EXPECT_FALSE(book.add(anOrder("A")));
  EXPECT_FALSE(book.add(anOrder("B")));
  EXPECT_EQ(book.find("104233", "B")->orderNumber, "700002");
  EXPECT_EQ(book.find("104233", "C"), nullptr);
  EXPECT_EQ(book.find("104234", "A"), nullptr);
  EXPECT_EQ(book.nextOrderNumber(), "700003");
}

TEST(OrderBook, TheStateFileKeepsEveryFieldAcrossRuns) {
  test::TempDir dir;
  const fs::path file = dir.path() / "state.json";
  {
    OrderBook first(file);  // no file yet: an empty book
    EXPECT_EQ(first.size(), 0u);
    EXPECT_FALSE(first.add(anOrder("100231")));
    EXPECT_FALSE(first.add(anOrder("100232", "1A0007")));
  }
  EXPECT_TRUE(fs::is_regular_file(file));
  EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
  OrderBook second(file);
  ASSERT_EQ(second.size(), 2u);
  RememberedOrder expected = anOrder("100232", "1A0007");
  expected.orderNumber = "700002";
  EXPECT_EQ(*second.find("104233", "100232"), expected);
  EXPECT_EQ(second.find("104233", "100232")->lines[1].partOrdered, "Q\xE9");  // Latin-1 kept
  EXPECT_EQ(second.nextOrderNumber(), "700003");
}

TEST(OrderBook, AnOrderThatCannotBeWrittenIsNotRemembered) {
  test::TempDir dir;
  OrderBook book(dir.path() / "missing-folder" / "state.json");
  const auto why = book.add(anOrder("A"));
  ASSERT_TRUE(why);
  EXPECT_EQ(*why, "cannot write \"" + (dir.path() / "missing-folder" / "state.json.tmp").string() +
                      "\": No such file or directory");
  EXPECT_EQ(book.size(), 0u);
  EXPECT_EQ(book.nextOrderNumber(), "700001");
}

struct BadState {
  const char* name;
  std::string text;
  std::string error;
};
void PrintTo(const BadState& c, std::ostream* os) { *os << c.name; }

const std::vector<BadState> kBadStates = {
    {"NotJson", "{", "s is not JSON: [json.exception.parse_error.101] parse error at line 1, column 2: syntax error "
                     "while parsing object key - unexpected end of input; expected string literal"},
    {"NoOrders", R"({"nextOrderNumber": 700001})", "s: has no \"orders\""},
    {"OrdersNotAnArray", R"({"nextOrderNumber": 1, "orders": {}})", "s: orders is not an array"},
    {"NegativeNumber", R"({"nextOrderNumber": -1, "orders": []})",
     "s: nextOrderNumber is not a whole number from 0 to 1000000000"},
    {"MissingKey", R"({"nextOrderNumber": 1, "orders": [{"account": "1"}]})", "s: orders[0] has no \"po\""},
    {"ShipMethodTwoCharacters", R"({"nextOrderNumber": 1, "orders": [{"account": "1", "po": "2",
      "orderNumber": "3", "poDate": "", "received": "", "shipMethod": "AB"}]})",
     "s: orders[0].shipMethod is not one character"},
};

class BadStates : public testing::TestWithParam<BadState> {};

TEST_P(BadStates, AreRefusedWithWhere) {
  std::int64_t next = 0;
  std::vector<RememberedOrder> orders;
  try {
    OrderBook::fromJson(GetParam().text, "s", next, orders);
    FAIL() << "accepted";
  } catch (const StateError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, BadStates, testing::ValuesIn(kBadStates),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OrderBook, WritesAtomicallyOverTheOldFile) {
  test::TempDir dir;
  const fs::path file = dir.write("f", "old");
  EXPECT_FALSE(writeFileAtomically(file, "new content"));
  EXPECT_EQ(dir.read("f"), "new content");
  EXPECT_FALSE(fs::exists(dir.path() / "f.tmp"));
}

TEST(OrderBook, HasRoomForABoundedNumberOfLines) {
  OrderBook book;
  EXPECT_FALSE(book.noRoomFor(OrderBook::kMaxLines));
  EXPECT_EQ(*book.noRoomFor(OrderBook::kMaxLines + 1),
            "the distributor holds 0 order lines; 1000001 more would pass the 1000000 it takes");
}

}  // namespace
}  // namespace velta::distributor
