// The checks of a complete request: every refusal with its code and exact
// message, and the fields taken from requests that pass.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "tools/velta-distributor/RequestCheck.h"
#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {
namespace {

using test::header;
using test::inquiryMessage;
using test::orderMessage;
using test::statusMessage;

// The message with field `field` of record `record` (both from 0) replaced.
std::string withField(const std::string& message, std::size_t record, std::size_t field, const std::string& value) {
  std::vector<std::string> records;
  std::size_t from = 0;
  while (from < message.size()) {
    const std::size_t lf = message.find('\n', from);
    records.push_back(message.substr(from, lf - from));
    from = lf + 1;
  }
  std::vector<std::string> fields;
  for (auto f : splitFields(records[record])) fields.emplace_back(f);
  fields[field] = value;
  std::string joined;
  for (std::size_t i = 0; i < fields.size(); ++i) joined += (i ? "|" : "") + fields[i];
  records[record] = joined;
  std::string out;
  for (const auto& r : records) out += r + "\n";
  return out;
}

const std::string kOrder = orderMessage("104233", "100231", {"FIL|PH-3614|2", "BRX|D0007|1"});

struct Refused {
  const char* name;
  MessageSet set;
  std::string message;
  int code;
  std::string text;
};
void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }

const std::vector<Refused> kRefused = {
    {"NoFinalLf", MessageSet::Order850, kOrder.substr(0, kOrder.size() - 1), 102,
     "the request does not end with LF: its last record is not complete"},
    {"EmptyRecord", MessageSet::Order850, header(MessageSet::Order850) + "\n01|x\n", 102,
     "line 2 of the request is empty"},
    {"HeaderFieldCount", MessageSet::Order850, "00|//VELTA//850|x\n", 110, "the header (line 1) has 3 fields, not 17"},
    {"HeaderType", MessageSet::Order850, withField(kOrder, 0, 0, "01"), 110,
     "line 1 begins \"01\", not the header's \"00\""},
    {"AnotherPortsSet", MessageSet::Order850, statusMessage("104233", "100231"), 111,
     "the header names the message set \"//VELTA//869\"; the order port takes \"//VELTA//850\", the status port that one"},
    {"UnknownSet", MessageSet::Inquiry846, withField(kOrder, 0, 1, "//VELTA//855"), 111,
     "the header names the message set \"//VELTA//855\"; the inquiry port takes \"//VELTA//846\""},
    {"HeaderFieldNotEmpty", MessageSet::Order850, withField(kOrder, 0, 13, "X"), 110,
     "header field 13 is \"X\", not empty"},
    {"Sender", MessageSet::Order850, withField(kOrder, 0, 4, "H-BRONTEX"), 112,
     "the sender (header field 4) is \"H-BRONTEX\", not \"H-BRONTEK\""},
    {"SenderCode", MessageSet::Order850, withField(kOrder, 0, 5, "8154"), 112,
     "the sender code (header field 5) is \"8154\", not \"8153\""},
    {"Time", MessageSet::Order850, withField(kOrder, 0, 6, "24:00:00"), 113,
     "header field 6: \"24:00:00\" is not a time hh:mm:ss"},
    {"Date", MessageSet::Order850, withField(kOrder, 0, 7, "20240230"), 113,
     "header field 7: \"20240230\" is not a date yyyymmdd"},
    {"Channel", MessageSet::Order850, withField(kOrder, 0, 9, "WEB"), 114,
     "the channel (header field 9) is \"WEB\"; \"//VELTA//850\" comes on \"BMS\""},
    {"Token", MessageSet::Order850, withField(kOrder, 0, 16, ")ac4L"), 115,
     "the check token \")ac4L\" does not belong to the header's date 20240603 and time 10:20:07"},
    {"TokenOfAnotherSecond", MessageSet::Order850, withField(kOrder, 0, 6, "10:20:08"), 115,
     "the check token \")ac4K\" does not belong to the header's date 20240603 and time 10:20:08"},
    {"OnlyTheHeader", MessageSet::Status869, header(MessageSet::Status869), 120,
     "the request has only its header; line 2 \"01\" is missing"},
    {"OrderRecordType", MessageSet::Order850, withField(kOrder, 1, 0, "02"), 120,
     "line 2 is of type \"02\", not the order record \"01\""},
    {"OrderRecordFields", MessageSet::Order850, header(MessageSet::Order850) + "01|104233|100231|||| | | \n05|A|B|1\n",
     120, "line 2 (the order record \"01\") has 9 fields, not 10"},
    {"LineRecordFields", MessageSet::Order850, orderMessage("104233", "100231", {"FIL|PH-3614|2|x"}), 120,
     "line 3 (a line record \"05\") has 5 fields, not 4"},
    {"LineRecordType", MessageSet::Order850, withField(kOrder, 3, 0, "06"), 120,
     "line 4 is of type \"06\", not a line record \"05\""},
    {"EmptyAccount", MessageSet::Order850, withField(kOrder, 1, 1, "  "), 121, "line 2: the account is empty"},
    {"EmptyPo", MessageSet::Order850, withField(kOrder, 1, 2, ""), 121, "line 2: the purchase-order number is empty"},
    {"ControlInPo", MessageSet::Order850, withField(kOrder, 1, 2, "10\t0"), 121,
     "line 2: the purchase-order number \"10\\x090\" holds a control character"},
    {"ShipDate", MessageSet::Order850, withField(kOrder, 1, 5, "270230"), 121,
     "line 2: the requested ship date \"270230\" is not a date yymmdd"},
    {"ShipMethod", MessageSet::Order850, withField(kOrder, 1, 6, "L"), 121,
     "line 2: the ship method \"L\" is not one of \" ABCDEFGHIJK\""},
    {"ShipMethodEmpty", MessageSet::Order850, withField(kOrder, 1, 6, ""), 121,
     "line 2: the ship method \"\" is not one of \" ABCDEFGHIJK\""},
    {"Resale", MessageSet::Order850, withField(kOrder, 1, 7, "N"), 121,
     "line 2: the resale flag \"N\" is neither \"Y\" nor empty"},
    {"BackOrderCode", MessageSet::Order850, withField(kOrder, 1, 8, "8"), 121,
     "line 2: the back-order code \"8\" is not one of \" 01234567\""},
    {"BackOrderShip", MessageSet::Order850, withField(kOrder, 1, 9, "AB"), 121,
     "line 2: the back-order ship method \"AB\" is not one of \" ABCDEFGHIJK\""},
    {"NoLines", MessageSet::Order850, orderMessage("104233", "100231", {}), 121,
     "the order has no line records \"05\""},
    {"EmptyLineCode", MessageSet::Order850, orderMessage("104233", "1", {" |PH-3614|2"}), 121,
     "line 3: the line code is empty"},
    {"EmptyPart", MessageSet::Order850, orderMessage("104233", "1", {"FIL||2"}), 121, "line 3: the part number is empty"},
    {"QuantityText", MessageSet::Order850, orderMessage("104233", "1", {"FIL|A|2", "FIL|B|two"}), 121,
     "line 4: the quantity \"two\" is not a whole number from 1 to 999999"},
    {"QuantityZero", MessageSet::Order850, orderMessage("104233", "1", {"FIL|A|0"}), 121,
     "line 3: the quantity \"0\" is not a whole number from 1 to 999999"},
    {"QuantityTooLarge", MessageSet::Order850, orderMessage("104233", "1", {"FIL|A|1000000"}), 121,
     "line 3: the quantity \"1000000\" is not a whole number from 1 to 999999"},
    {"StatusLines", MessageSet::Status869, statusMessage("104233", "1") + "05|A|B|1\n", 120,
     "a status request has 2 lines, the header and \"01\"; this one has 3"},
    {"StatusFields", MessageSet::Status869, header(MessageSet::Status869) + "01|104233|100231\n", 120,
     "line 2 (the order record \"01\") has 3 fields, not 4"},
    {"StatusPo", MessageSet::Status869, statusMessage("104233", " "), 121, "line 2: the purchase-order number is empty"},
    {"InquiryAccountFields", MessageSet::Inquiry846, header(MessageSet::Inquiry846) + "01|104233|\n05|A|B|1\n", 120,
     "line 2 (the account record \"01\") has 3 fields, not 2"},
    {"InquiryNoParts", MessageSet::Inquiry846, inquiryMessage("104233", {}), 121,
     "the inquiry has no part lines \"05\""},
    {"InquiryPartFields", MessageSet::Inquiry846, inquiryMessage("104233", {"FIL|PH-3614"}), 120,
     "line 3 (a part line \"05\") has 3 fields, not 4"},
    {"InquiryQuantity", MessageSet::Inquiry846, inquiryMessage("104233", {"FIL|PH-3614|-1"}), 121,
     "line 3: the quantity \"-1\" is not a whole number from 0 to 999999, or empty"},
};

class RefusedCases : public testing::TestWithParam<Refused> {};

TEST_P(RefusedCases, SaysWhatIsWrong) {
  const Refused& c = GetParam();
  const CheckOutcome outcome = checkRequest(c.set, c.message, test::testTable());
  ASSERT_FALSE(outcome.request.has_value());
  EXPECT_EQ(outcome.rejection.code, c.code);
  EXPECT_EQ(outcome.rejection.message, c.text);
  EXPECT_TRUE(fieldSafe(outcome.rejection.message));
}

INSTANTIATE_TEST_SUITE_P(Requests, RefusedCases, testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RequestCheck, ManyLinesAreRefusedBeyondTheirLimits) {
  std::vector<std::string> lines(kMaxOrderLines + 1, "FIL|PH-3614|1");
  EXPECT_EQ(checkRequest(MessageSet::Order850, orderMessage("1", "2", lines), test::testTable()).rejection.message,
            "the order has 10001 lines; at most 10000 are taken");
  lines.pop_back();
  EXPECT_TRUE(checkRequest(MessageSet::Order850, orderMessage("1", "2", lines), test::testTable()).request);
  std::vector<std::string> parts(kMaxInquiryParts + 1, "FIL|PH-3614|1");
  EXPECT_EQ(checkRequest(MessageSet::Inquiry846, inquiryMessage("1", parts), test::testTable()).rejection.message,
            "the inquiry has 101 part lines; at most 100 are answered");
}

TEST(RequestCheck, TakesTheOrderApart) {
  const std::string message =
      orderMessage(" 104233 ", " 100231", {"FL |PH-3614| 12 ", "BRX|D0007|1"}, "270101|H|Y|2|B");
  const CheckOutcome outcome = checkRequest(MessageSet::Order850, message, test::testTable());
  ASSERT_TRUE(outcome.request) << outcome.rejection.message;
  EXPECT_EQ(outcome.request->date, "20240603");
  EXPECT_EQ(outcome.request->time, "10:20:07");
  const auto& order = std::get<OrderRequest>(outcome.request->body);
  EXPECT_EQ(order.account, "104233");
  EXPECT_EQ(order.po, "100231");
  EXPECT_EQ(order.shipDate, "270101");
  EXPECT_EQ(order.shipMethod, 'H');
  EXPECT_TRUE(order.resale);
  EXPECT_EQ(order.backOrderCode, '2');
  EXPECT_EQ(order.backOrderShip, 'B');
  ASSERT_EQ(order.lines.size(), 2u);
  EXPECT_EQ(order.lines[0].line, "FL ");  // as sent: the three-character code of an unmapped line
  EXPECT_EQ(order.lines[0].part, "PH-3614");
  EXPECT_EQ(order.lines[0].quantity, 12);
  EXPECT_EQ(outcome.context.account, "104233");
  EXPECT_EQ(outcome.context.number, "100231");
}

TEST(RequestCheck, DefaultOptionsAreSingleBlanks) {
  const CheckOutcome outcome =
      checkRequest(MessageSet::Order850, orderMessage("104233", "1", {"FIL|A|1"}), test::testTable());
  ASSERT_TRUE(outcome.request);
  const auto& order = std::get<OrderRequest>(outcome.request->body);
  EXPECT_EQ(order.shipDate, "");
  EXPECT_EQ(order.shipMethod, ' ');
  EXPECT_FALSE(order.resale);
  EXPECT_EQ(order.backOrderCode, ' ');
  EXPECT_EQ(order.backOrderShip, ' ');
}

TEST(RequestCheck, TakesStatusAndInquiryApart) {
  const CheckOutcome status = checkRequest(MessageSet::Status869, statusMessage(" 5678 ", " 1234 "), test::testTable());
  ASSERT_TRUE(status.request);
  EXPECT_EQ(std::get<StatusRequest>(status.request->body).account, "5678");
  EXPECT_EQ(std::get<StatusRequest>(status.request->body).po, "1234");

  const CheckOutcome inquiry =
      checkRequest(MessageSet::Inquiry846, inquiryMessage("104233", {"FIL|PH-3614| 3 ", "fil|x|"}), test::testTable());
  ASSERT_TRUE(inquiry.request);
  const auto& parts = std::get<InquiryRequest>(inquiry.request->body).parts;
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].quantity, "3");
  EXPECT_EQ(parts[1].line, "fil");
  EXPECT_EQ(parts[1].quantity, "");
}

TEST(RequestCheck, TheContextOfARefusedRequestKeepsWhatItCouldRead) {
  const CheckOutcome outcome =
      checkRequest(MessageSet::Order850, withField(kOrder, 0, 16, "x"), test::testTable());
  EXPECT_EQ(outcome.context.account, "104233");
  EXPECT_EQ(outcome.context.number, "100231");
  EXPECT_EQ(outcome.context.date, "20240603");
  const CheckOutcome badDate =
      checkRequest(MessageSet::Order850, withField(kOrder, 0, 7, "2024"), test::testTable());
  EXPECT_EQ(badDate.context.date, "");  // the simulator's own date stands in the exception
}

}  // namespace
}  // namespace velta::distributor
