// The catalog file: what is read from it, and what is refused, with where.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "support/TempDir.h"
#include "tools/velta-distributor/CatalogFile.h"

namespace velta::distributor {
namespace {

TEST(CatalogFile, ReadsEveryField) {
  const Catalog c = test::testCatalog();
  EXPECT_EQ(c.distributor, "TEST PARTS NETWORK");
  ASSERT_EQ(c.warehouses.size(), 3u);
  EXPECT_EQ(c.warehouses[2].code, "03");
  EXPECT_EQ(c.warehouses[2].name, "TOLEDO, OH");
  ASSERT_EQ(c.accounts.size(), 2u);
  EXPECT_EQ(c.accounts[0].billTo, "104233");  // the account itself unless given
  EXPECT_EQ(c.accounts[0].orderStatusCode, "1000");
  EXPECT_EQ(c.accounts[0].orderStatusMessage, "ORDER ACCEPTED");
  EXPECT_EQ(c.accounts[1].billTo, "555000");
  EXPECT_EQ(c.accounts[1].orderStatusCode, "1040");
  ASSERT_EQ(c.lines.size(), 3u);
  EXPECT_EQ(c.partCount(), 4u);

  const CatalogPart* ph = c.line("FIL")->part("PH-3614");
  ASSERT_NE(ph, nullptr);
  EXPECT_EQ(ph->retailCents, 1249);
  EXPECT_EQ(ph->costCents, 712);
  EXPECT_EQ(ph->coreCents, 0);
  EXPECT_EQ(ph->pack, 1);
  EXPECT_EQ(ph->unit, "EA");
  ASSERT_EQ(ph->stock.size(), 2u);
  EXPECT_EQ(ph->stock[1].warehouse, 1u);
  EXPECT_EQ(ph->stock[1].quantity, 20);
  EXPECT_EQ(ph->availableInDays, 4);
  EXPECT_EQ(compactDate(*ph->availableFrom(*parseCompactDate("20240629"))), "20240703");

  const CatalogPart* air = c.line("FIL")->part("1A0007");
  EXPECT_EQ(air->retailCents, 2000);
  EXPECT_EQ(air->costCents, 1150);
  EXPECT_TRUE(air->factoryBackOrder);
  EXPECT_EQ(compactDate(*air->availableFrom(*parseCompactDate("20240603"))), "20240701");
  EXPECT_EQ(air->totalStock(), 0);

  const CatalogPart* pads = c.line("BRX")->part("D0007");
  EXPECT_EQ(pads->coreCents, 1250);
  EXPECT_EQ(pads->pack, 2);
  EXPECT_EQ(pads->unit, "PR");
  EXPECT_FALSE(pads->availableFrom(*parseCompactDate("20240603")).has_value());
}

TEST(CatalogFile, LooksUpWithoutCaseBlanksOrDashes) {
  const Catalog c = test::testCatalog();
  EXPECT_NE(c.line(" fil "), nullptr);
  EXPECT_NE(c.line("FIL "), nullptr);  // the three-character code of a two-letter line
  EXPECT_EQ(c.line("FI"), nullptr);
  EXPECT_EQ(c.line(""), nullptr);
  EXPECT_EQ(c.line("FIL")->part("ph3614"), c.line("FIL")->part("PH-3614"));
  EXPECT_EQ(c.line("FIL")->part(" p-h-3614 "), c.line("FIL")->part("PH-3614"));
  EXPECT_EQ(c.line("FIL")->part("PH-361"), nullptr);
  EXPECT_NE(c.account(" 104233 "), nullptr);
  EXPECT_EQ(c.account("10423"), nullptr);
  EXPECT_EQ(c.account(""), nullptr);
}

struct BadCatalog {
  const char* name;
  std::string json;
  std::string error;
};
void PrintTo(const BadCatalog& c, std::ostream* os) { *os << c.name; }

const std::string kMinimal = R"("warehouses": [{"code": "01", "name": "W"}], "accounts": [{"account": "1"}])";

const std::vector<BadCatalog> kBad = {
    {"NotJson", "{", "c: is not JSON: parse error at line 1, column 2: syntax error while parsing object key - "
                     "unexpected end of input; expected string literal"},
    {"NotAnObject", "[]", "c: is array, not an object"},
    {"NoWarehouses", R"({"accounts": [], "lines": []})", "c: has no \"warehouses\""},
    {"EmptyWarehouses", R"({"warehouses": [], "accounts": [], "lines": []})",
     "c: warehouses: is empty; a part needs a warehouse to be stocked in"},
    {"EmptyAccounts", R"({"warehouses": [{"code": "01", "name": "W"}], "accounts": [], "lines": []})",
     "c: accounts: is empty; no dealer could order"},
    {"NoLines", "{" + kMinimal + "}", "c: has no \"lines\""},
    {"UnknownKey", "{" + kMinimal + R"(, "lines": [], "line": []})", "c: unknown key \"line\""},
    {"MisspeltPartKey", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "avaliable": "2024-01-01"}]}]})",
     "c: lines[0].parts[0]: unknown key \"avaliable\""},
    {"WarehouseTwice", R"({"warehouses": [{"code": "01", "name": "W"}, {"code": "01", "name": "V"}],
      "accounts": [{"account": "1"}], "lines": []})",
     "c: warehouses[1].code: \"01\" is there twice"},
    {"AccountTwice", R"({"warehouses": [{"code": "01", "name": "W"}], "accounts": [{"account": "1"},
      {"account": "1"}], "lines": []})",
     "c: accounts[1].account: \"1\" is there twice"},
    {"AccountBlanks", R"({"warehouses": [{"code": "01", "name": "W"}], "accounts": [{"account": " 1"}],
      "lines": []})",
     "c: accounts[0].account: has blanks at an end"},
    {"LineTwice", "{" + kMinimal + R"(, "lines": [{"code": "A"}, {"code": "a"}]})",
     "c: lines[1].code: \"a\" is there twice"},
    {"PartTwice", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P-1", "retail": "1",
      "cost": "1"}, {"part": "p1", "retail": "1", "cost": "1"}]}]})",
     "c: lines[0].parts[1].part: \"p1\" is the same part as \"P-1\""},
    {"NoRetail", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "cost": "1"}]}]})",
     "c: lines[0].parts[0]: has no \"retail\""},
    {"MoneyAsNumber", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": 1.5,
      "cost": "1"}]}]})",
     "c: lines[0].parts[0].retail: is number, not a text"},
    {"MoneyThreeDecimals", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P",
      "retail": "1.505", "cost": "1"}]}]})",
     "c: lines[0].parts[0].retail: \"1.505\" is not money: digits, optionally \".\" and one or two more"},
    {"UnknownWarehouse", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "stock": {"01": 1, "07": 2}}]}]})",
     "c: lines[0].parts[0].stock: warehouse \"07\" is not in \"warehouses\""},
    {"NegativeStock", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "stock": {"01": -1}}]}]})",
     "c: lines[0].parts[0].stock.01: is -1, not from 0 to 99999999"},
    {"FractionalStock", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "stock": {"01": 1.5}}]}]})",
     "c: lines[0].parts[0].stock.01: is number, not a whole number"},
    {"PackZero", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "pack": 0}]}]})",
     "c: lines[0].parts[0].pack: is 0, not from 1 to 99999999"},
    {"BadDate", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "available": "2024-02-30"}]}]})",
     "c: lines[0].parts[0].available: \"2024-02-30\" is not a date yyyy-mm-dd"},
    {"BothDates", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "available": "2024-02-03", "availableInDays": 3}]}]})",
     "c: lines[0].parts[0]: has both \"available\" and \"availableInDays\""},
    {"FactoryBackOrderText", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P",
      "retail": "1", "cost": "1", "factoryBackOrder": "yes"}]}]})",
     "c: lines[0].parts[0].factoryBackOrder: is string, not true or false"},
    {"BarInText", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "P", "retail": "1",
      "cost": "1", "description": "A|B"}]}]})",
     "c: lines[0].parts[0].description: \"A\\x7CB\" holds \"|\", LF, CR or TAB, which would break an answer record"},
    {"NotLatin1", "{" + kMinimal + R"(, "lines": [{"code": "A", "name": "\u20ac"}]})",
     "c: lines[0].name: holds a character that is not Latin-1"},
    {"OnlyDashes", "{" + kMinimal + R"(, "lines": [{"code": "A", "parts": [{"part": "- -", "retail": "1",
      "cost": "1"}]}]})",
     "c: lines[0].parts[0].part: \"- -\" has nothing but blanks and dashes"},
    {"EmptyCode", "{" + kMinimal + R"(, "lines": [{"code": " "}]})", "c: lines[0].code: is empty"},
    {"TooLong", "{" + kMinimal + R"(, "lines": [{"code": "A", "name": ")" + std::string(81, 'x') + R"("}]})",
     "c: lines[0].name: is longer than 80 characters"},
};

class BadCatalogs : public testing::TestWithParam<BadCatalog> {};

TEST_P(BadCatalogs, SayWhatAndWhere) {
  try {
    parseCatalog(GetParam().json, "c");
    FAIL() << "accepted";
  } catch (const CatalogError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, BadCatalogs, testing::ValuesIn(kBad),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CatalogFile, ReadsLatin1FromUtf8AndNamesTheFile) {
  test::TempDir dir;
  const auto file = dir.write("c.json", "{" + kMinimal + R"(, "lines": [{"code": "A", "name": "GR\u00dcN"}]})");
  EXPECT_EQ(readCatalogFile(file).lines[0].name, "GR\xDCN");
  try {
    readCatalogFile(dir.path() / "none.json");
    FAIL();
  } catch (const CatalogError& e) {
    EXPECT_EQ(std::string(e.what()),
              "catalog \"" + (dir.path() / "none.json").string() + "\": cannot be read: No such file or directory");
  }
}

}  // namespace
}  // namespace velta::distributor
