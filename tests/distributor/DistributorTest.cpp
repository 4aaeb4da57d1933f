// The distributor without the network: what it asks after the checks, what
// it remembers, and what it says in the log.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "support/TempDir.h"
#include "tools/velta-distributor/Distributor.h"

namespace velta::distributor {
namespace {

using test::answerHeaderLine;
using test::inquiryMessage;
using test::orderMessage;
using test::statusMessage;

class DistributorTest : public testing::Test {
 protected:
  Catalog catalog = test::testCatalog();
  TokenTable table = test::testTable();
  OrderBook book;
  Distributor distributor{catalog, table, book, [] { return test::testMoment(); }};
};

TEST_F(DistributorTest, AcknowledgesThenReportsTheStatusOfTheSamePo) {
  const Reply ack = distributor.answer(MessageSet::Order850,
                                       orderMessage("104233", "100231", {"FIL|PH-3614|3", "BRX|D0007|2"}), {});
  EXPECT_FALSE(ack.exception);
  EXPECT_EQ(ack.message, answerHeaderLine("855", "BMS") +
                             "01|104233|100231| |700001|20240603|1000|ORDER ACCEPTED\n"
                             "05|FIL|PH-3614|3|3|0|FIL|PH-3614|7.12|OIL FILTER||1||FORT WAYNE, IN\n"
                             "05|BRX|D0007|2|2|0|BRX|D0007|31.20|DISC PAD SET||1||FORT WAYNE, IN\n");
  EXPECT_EQ(ack.summary, "850 PO \"100231\" account \"104233\": acknowledged as order 700001, 2 lines, 2 shipped complete");

  const Reply status = distributor.answer(MessageSet::Status869, statusMessage("104233", "100231"), {});
  EXPECT_EQ(status.message, answerHeaderLine("870", "WEB") +
                                "01|104233||100231\n"
                                "02|104233|700001|100231|20240603|01|SHIPPED COMPLETE|104233\n"
                                "05|FIL|PH-3614|FIL|PH-3614|OIL FILTER|3|3|0|\n"
                                "11|3|700001-01|20240603|C|1ZVD700001000101|SHIPPED|IN TRANSIT|FORT WAYNE, IN|01\n"
                                "05|BRX|D0007|BRX|D0007|DISC PAD SET|2|2|0|\n"
                                "11|2|700001-01|20240603|C|1ZVD700001000201|SHIPPED|IN TRANSIT|FORT WAYNE, IN|01\n");
  EXPECT_EQ(status.summary, "869 PO \"100231\" account \"104233\": status of order 700001, 2 lines, 2 shipments");
}

struct Refusal {
  const char* name;
  MessageSet set;
  std::string message;
  std::string answer;  // record 1 of the exception
  std::string summary;
};
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

const std::vector<Refusal> kRefusals = {
    {"UnknownAccount", MessageSet::Order850, orderMessage("999", "100231", {"FIL|PH-3614|1"}),
     "01|999|100231|20240603|130|the account \"999\" is not known here\n",
     "850 PO \"100231\" account \"999\": exception 130 the account \"999\" is not known here"},
    {"UnknownAccountInquiry", MessageSet::Inquiry846, inquiryMessage("999", {"FIL|PH-3614|1"}),
     "01|999|500001|20240603|130|the account \"999\" is not known here\n",
     "846 inquiry 500001 account \"999\": exception 130 the account \"999\" is not known here"},
    {"UnknownOrder", MessageSet::Status869, statusMessage("104233", "4711"),
     "01|104233|4711|20240603|131|no order with PO \"4711\" was received from account \"104233\"\n",
     "869 PO \"4711\" account \"104233\": exception 131 no order with PO \"4711\" was received from account \"104233\""},
    {"BadField", MessageSet::Order850, orderMessage("104233", "1", {"FIL|PH-3614|x"}),
     "01|104233|1|20240603|121|line 3: the quantity \"x\" is not a whole number from 1 to 999999\n",
     "850 PO \"1\" account \"104233\": exception 121 line 3: the quantity \"x\" is not a whole number from 1 to 999999"},
};

class Refusals : public testing::TestWithParam<Refusal> {};

TEST_P(Refusals, AreExceptionAnswers) {
  Catalog catalog = test::testCatalog();
  TokenTable table = test::testTable();
  OrderBook book;
  Distributor distributor{catalog, table, book, [] { return test::testMoment(); }};
  const Refusal& r = GetParam();
  const Reply reply = distributor.answer(r.set, r.message, {});
  EXPECT_TRUE(reply.exception);
  EXPECT_EQ(reply.message, answerHeaderLine("EXR", r.set == MessageSet::Order850 ? "BMS" : "WEB") + r.answer);
  EXPECT_EQ(reply.summary, r.summary);
  EXPECT_EQ(book.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Requests, Refusals, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DistributorTest, APoIsTakenOncePerAccount) {
  const std::string order = orderMessage("104233", "100231", {"FIL|PH-3614|1"});
  EXPECT_FALSE(distributor.answer(MessageSet::Order850, order, {}).exception);
  const Reply again = distributor.answer(MessageSet::Order850, order, {});
  EXPECT_EQ(again.message, answerHeaderLine("EXR", "BMS") +
                               "01|104233|100231|20240603|132|PO \"100231\" of account \"104233\" was received before, "
                               "as order 700001\n");
  EXPECT_FALSE(distributor.answer(MessageSet::Order850, orderMessage("555100", "100231", {"FIL|PH-3614|1"}), {})
                   .exception);
  EXPECT_EQ(book.size(), 2u);
}

TEST_F(DistributorTest, TheFaultExceptionRefusesWhatPassedAndRemembersNothing) {
  const Reply reply =
      distributor.answer(MessageSet::Order850, orderMessage("104233", "9", {"FIL|PH-3614|1"}), {.exception = true});
  EXPECT_EQ(reply.message, answerHeaderLine("EXR", "BMS") +
                               "01|104233|9|20240603|190|refused on purpose: the simulator runs with --fault exception\n");
  EXPECT_EQ(book.size(), 0u);
  // A request that fails a check gets its own exception.
  EXPECT_NE(distributor.answer(MessageSet::Order850, "x\n", {.exception = true}).message.find("|110|"),
            std::string::npos);
}

TEST_F(DistributorTest, AMalformedAcknowledgementStillAcceptsTheOrder) {
  const Reply reply =
      distributor.answer(MessageSet::Order850, orderMessage("104233", "9", {"FIL|PH-3614|1"}), {.malformed = true});
  EXPECT_EQ(reply.message.substr(answerHeaderLine("855", "BMS").size()),
            "01|104233|9| \n05|FIL|PH-3614|1|1|0|FIL|PH-3614|7.12|OIL FILTER||1||FORT WAYNE, IN\n");
  EXPECT_NE(book.find("104233", "9"), nullptr);  // "PO Status" will tell
}

TEST_F(DistributorTest, InquiriesAreNumberedAndReaderRefusalsAnswered) {
  EXPECT_EQ(distributor.answer(MessageSet::Inquiry846, inquiryMessage("104233", {"IGX|X|1"}), {}).summary,
            "846 inquiry 500001 account \"104233\": 1 part, 1 detail line");
  const Reply refused = distributor.refuse(MessageSet::Inquiry846, {100, "the length line is empty"}, {});
  EXPECT_EQ(refused.message, answerHeaderLine("EXR", "WEB") + "01||500002|20240603|100|the length line is empty\n");
  EXPECT_EQ(refused.summary, "846: exception 100 the length line is empty");
}

TEST(Distributor, AnOrderThatCannotBeRecordedIsRefused) {
  test::TempDir dir;
  Catalog catalog = test::testCatalog();
  TokenTable table = test::testTable();
  OrderBook book(dir.path() / "gone" / "state.json");
  Distributor distributor{catalog, table, book, [] { return test::testMoment(); }};
  const Reply reply = distributor.answer(MessageSet::Order850, orderMessage("104233", "1", {"FIL|PH-3614|1"}), {});
  EXPECT_EQ(reply.message, answerHeaderLine("EXR", "BMS") +
                               "01|104233|1|20240603|140|the order could not be recorded; it is not accepted\n");
  EXPECT_EQ(reply.summary, "850 PO \"1\" account \"104233\": exception 140, the state file: cannot write \"" +
                               (dir.path() / "gone" / "state.json.tmp").string() + "\": No such file or directory");
}

}  // namespace
}  // namespace velta::distributor
