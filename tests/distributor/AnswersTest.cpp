// The answers, byte for byte: header, exception, acknowledgement, status and
// availability, and what "malformed" cuts.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "Fixtures.h"
#include "tools/velta-distributor/Answers.h"
#include "tools/velta-distributor/OrderFilling.h"

namespace velta::distributor {
namespace {

using test::answerHeaderLine;

const std::size_t kHeaderBytes = answerHeaderLine("855", "BMS").size();

AnswerSetting setting(const TokenTable& table, bool malformed = false) { return {test::testMoment(), &table, malformed}; }

RememberedOrder sampleOrder() {
  OrderRequest request;
  request.account = "104233";
  request.po = "100231";
  request.shipMethod = 'H';
  request.backOrderCode = '2';
  request.lines = {{"FIL", "PH3614", 8}, {"FIL", "1A0007", 2}, {"ZZZ", "Q", 1}};
  return fillOrder(request, "20240601", test::testCatalog(), *parseCompactDate("20240603"), "700001");
}

TEST(Answers, TheHeaderIsSeventeenFieldsWithTheTokenOfTheSimulatorsMoment) {
  const TokenTable table = test::testTable();
  EXPECT_EQ(makeToken("20240603", "10:20:07", table), test::kTestToken);
  const std::string line = answerHeader("855", MessageSet::Order850, setting(table));
  EXPECT_EQ(line, "00|//VELTA//855|||VELTA-DIST|0001|10:20:07|20240603||BMS|||||||)ac4K\n");
  EXPECT_EQ(splitFields(line.substr(0, line.size() - 1)).size(), 17u);
  EXPECT_EQ(answerHeader("EXR", MessageSet::Inquiry846, setting(table)), answerHeaderLine("EXR", "WEB"));
}

TEST(Answers, Exception) {
  const TokenTable table = test::testTable();
  const RequestContext context{"104233", "100231", "20240601"};
  const Rejection rejection{130, "the account \"104233\" is not known here"};
  EXPECT_EQ(exceptionAnswer(MessageSet::Order850, context, rejection, setting(table)),
            answerHeaderLine("EXR", "BMS") + "01|104233|100231|20240601|130|the account \"104233\" is not known here\n");
  // Without a date of its own the request gets the simulator's; "malformed" leaves three fields.
  EXPECT_EQ(exceptionAnswer(MessageSet::Status869, {"1", "2", ""}, rejection, setting(table, true)),
            answerHeaderLine("EXR", "WEB") + "01|1|2\n");
}

TEST(Answers, Acknowledgement) {
  const TokenTable table = test::testTable();
  const Account account = *test::testCatalog().account("104233");
  EXPECT_EQ(acknowledgementAnswer(sampleOrder(), account, setting(table)),
            answerHeaderLine("855", "BMS") +
                "01|104233|100231|2|700001|20240601|1000|ORDER ACCEPTED\n"
                "05|FIL|PH-3614|8|8|0|FIL|PH3614|7.12|OIL FILTER|ALTERNATE WAREHOUSE|2||FORT WAYNE, IN\n"
                "05|FIL|1A0007|2|0|2|FIL|1A0007|11.50|AIR FILTER||2|20240701|\n"
                "05|||1|0|0|ZZZ|Q|||LINE CODE NOT FOUND|||\n");
  EXPECT_EQ(acknowledgementAnswer(sampleOrder(), account, setting(table, true)).substr(kHeaderBytes, 26),
            "01|104233|100231|2\n05|FIL|");
}

TEST(Answers, AHeldAccountsStatusStandsInTheSummary) {
  const TokenTable table = test::testTable();
  RememberedOrder order = sampleOrder();
  order.lines.resize(1);
  const std::string answer = acknowledgementAnswer(order, *test::testCatalog().account("555100"), setting(table));
  EXPECT_NE(answer.find("|700001|20240601|1040|Account is on hold\n"), std::string::npos) << answer;
}

TEST(Answers, Status) {
  const TokenTable table = test::testTable();
  EXPECT_EQ(statusAnswer(sampleOrder(), *test::testCatalog().account("104233"), setting(table)),
            answerHeaderLine("870", "WEB") +
                "01|104233||100231\n"
                "02|104233|700001|100231|20240601|02|PARTIALLY SHIPPED, BALANCE BACK-ORDERED|104233\n"
                "05|FIL|PH-3614|FIL|PH3614|OIL FILTER|8|8|0|\n"
                "11|5|700001-01|20240603|H|1ZVD700001000101|SHIPPED|IN TRANSIT|FORT WAYNE, IN|01\n"
                "11|3|700001-02|20240603|H|1ZVD700001000102|SHIPPED|IN TRANSIT|INDIANAPOLIS, IN|02\n"
                "05|FIL|1A0007|FIL|1A0007|AIR FILTER|2|0|2|20240701\n"
                "05|||ZZZ|Q||1|0|0|\n");
  RememberedOrder order = sampleOrder();
  order.shipMethod = ' ';
  const std::string malformed = statusAnswer(order, *test::testCatalog().account("555100"), setting(table, true));
  const std::string cut = "01\n02|104233|700001|100231|20240601\n05|FIL|";
  EXPECT_EQ(malformed.substr(kHeaderBytes, cut.size()), cut);
  EXPECT_NE(malformed.find("|20240603|C|1ZVD"), std::string::npos);  // the default ship method
}

struct StatusCase {
  const char* name;
  std::vector<OrderLine> lines;
  char code;
  std::string status, message;
};
void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

const std::vector<StatusCase> kStatus = {
    {"Complete", {{"FIL", "PH3614", 5}}, ' ', "01", "SHIPPED COMPLETE"},
    {"Partly", {{"FIL", "PH3614", 6}}, ' ', "02", "PARTIALLY SHIPPED, BALANCE BACK-ORDERED"},
    {"BackOrdered", {{"FIL", "1A0007", 1}}, ' ', "03", "BACK-ORDERED"},
    {"Nothing", {{"ZZZ", "1", 1}}, ' ', "04", "NOTHING SHIPPED"},
    {"Cancelled", {{"FIL", "PH3614", 6}}, '0', "05", "SHIPPED, BALANCE CANCELLED"},
};

class StatusCases : public testing::TestWithParam<StatusCase> {};

TEST_P(StatusCases, FollowHowTheLinesWereFilled) {
  OrderRequest request;
  request.backOrderCode = GetParam().code;
  request.lines = GetParam().lines;
  const auto order = fillOrder(request, "20240603", test::testCatalog(), *parseCompactDate("20240603"), "1");
  EXPECT_EQ(orderStatus(order), std::make_pair(GetParam().status, GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(Orders, StatusCases, testing::ValuesIn(kStatus),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Answers, AvailabilityHasALinePerWarehouseAndOneForWhatIsNotKnown) {
  const TokenTable table = test::testTable();
  InquiryRequest request{"104233",
                         {{"FIL", "ph-3614", "8"}, {"FIL", "1A0007", ""}, {"BRX ", "D0007", "0"}, {"ZZZ", "X1", "1"},
                          {"FIL", "NOPE", "2"}}};
  const InquiryAnswer answer = inquiryAnswer(request, test::testCatalog(), "500001", setting(table));
  EXPECT_EQ(answer.detailLines, 6u);
  EXPECT_EQ(answer.message,
            answerHeaderLine("846", "WEB") +
                "01|104233|500001|20240603\n"
                "05|FIL|PH-3614|8|FIL|ph-3614|01|5|12.49|7.12|0.00|1|EA|OIL FILTER|S|N|20240607|FORT WAYNE, IN|"
                "20240603|10:20:07|104233|500001|1|01|PARTIAL QUANTITY\n"
                "05|FIL|PH-3614|8|FIL|ph-3614|02|20|12.49|7.12|0.00|1|EA|OIL FILTER||N|20240603|INDIANAPOLIS, IN|"
                "20240603|10:20:07|104233|500001|1|00|AVAILABLE\n"
                "05|FIL|1A0007||FIL|1A0007|01|0|20.00|11.50|0.00|1|EA|AIR FILTER|B|Y|20240701|FORT WAYNE, IN|"
                "20240603|10:20:07|104233|500001|2|02|NOT IN STOCK\n"
                "05|BRX|D0007|0|BRX |D0007|01|100|54.00|31.20|12.50|2|PR|DISC PAD SET||N|20240603|FORT WAYNE, IN|"
                "20240603|10:20:07|104233|500001|3|00|AVAILABLE\n"
                "05|||1|ZZZ|X1||0|||||||L||||20240603|10:20:07|104233|500001|4|04|LINE CODE NOT FOUND\n"
                "05|FIL||2|FIL|NOPE||0|||||||P||||20240603|10:20:07|104233|500001|5|03|PART NOT FOUND\n");
  for (std::size_t from = answer.message.find("\n05|"); from != std::string::npos;
       from = answer.message.find("\n05|", from + 1)) {
    const std::size_t end = answer.message.find('\n', from + 1);
    EXPECT_EQ(splitFields(answer.message.substr(from + 1, end - from - 1)).size(), 25u);
  }
}

TEST(Answers, MalformedAvailabilityCutsTheFirstDetailLineOnly) {
  const TokenTable table = test::testTable();
  InquiryRequest request{"104233", {{"FIL", "PH-3614", "1"}}};
  const std::string message = inquiryAnswer(request, test::testCatalog(), "7", setting(table, true)).message;
  const std::size_t first = message.find("\n05|") + 1;
  const std::size_t second = message.find("\n05|", first) + 1;
  EXPECT_EQ(message.substr(kHeaderBytes, 3), "01\n");
  EXPECT_EQ(splitFields(message.substr(first, message.find('\n', first) - first)).size(), 24u);
  EXPECT_EQ(splitFields(message.substr(second, message.find('\n', second) - second)).size(), 25u);
}

}  // namespace
}  // namespace velta::distributor
