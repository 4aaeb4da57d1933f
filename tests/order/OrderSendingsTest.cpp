// Orders sent before, as the journal and the control's memory tell them: which
// outcomes may have left the order with the distributor, the order number of
// an acknowledgement, the latest sending of one order to one distributor, and
// the question asked before sending it again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "order/OrderSendings.h"

namespace velta {
namespace {

using namespace std::chrono;

JournalEntry entry(std::string set, std::string reference, std::string outcome, std::string utc, int offset = 3600) {
  return {.utc = std::move(utc), .utcOffset = offset, .host = "127.0.0.1", .port = 12000, .setNumber = std::move(set),
          .reference = std::move(reference), .outcome = std::move(outcome), .request = {}, .answer = {},
          .finished = {}};
}

const std::string kAck = "88\n00|//VELTA//850ACK|||DIST|8153|21:05:09|20261208||BMS|||||||\n01|104233|100231|2|D-77001\n";

TEST(OrderSendings, OnlyAnAcknowledgementOrAnAnswerThatNeverCameMayHaveDelivered) {
  const std::pair<JournalOutcome, bool> cases[] = {
      {JournalOutcome::Acknowledged, true}, {JournalOutcome::Pending, true},          {JournalOutcome::TimedOut, true},
      {JournalOutcome::ClosedEarly, true},  {JournalOutcome::Exception, false},       {JournalOutcome::Answered, false},
      {JournalOutcome::Malformed, false},   {JournalOutcome::ConnectionFailed, false}, {JournalOutcome::Abandoned, false}};
  for (const auto& [outcome, may] : cases) EXPECT_EQ(mayHaveDelivered(outcome), may) << outcomeText(outcome);
}

TEST(OrderSendings, TheJournalsOrderExchangesWithTheirLocalTimeAndOrderNumber) {
  std::vector<JournalEntry> entries = {entry("850", "100231", "acknowledged", "2026-12-08 20:05:09"),
                                       entry("869", "100231", "answered", "2026-12-08 20:06:00"),
                                       entry("850", "100231", "timed-out", "2026-12-08 23:30:00", -18000),
                                       entry("850", "100231", "acknowledged", "2026-12-09 08:00:00")};
  entries[0].answer = kAck;
  entries[3].answer = std::string("5\n00|//");  // an answer that cannot be read: no number
  const std::vector<OrderSending> sendings = orderSendings(entries);
  ASSERT_EQ(sendings.size(), 3u);
  EXPECT_EQ(sendings[0].outcome, JournalOutcome::Acknowledged);
  EXPECT_EQ(sendings[0].orderNumber, "D-77001");
  EXPECT_EQ(sendings[0].began.text(), "2026-12-08 21:05:09");
  EXPECT_EQ(sendings[1].outcome, JournalOutcome::TimedOut);
  EXPECT_EQ(sendings[1].began.text(), "2026-12-08 18:30:00");
  EXPECT_EQ(sendings[1].orderNumber, "");
  EXPECT_EQ(sendings[2].orderNumber, "");
  EXPECT_EQ(sendings[2].host, "127.0.0.1");
  EXPECT_EQ(sendings[2].port, 12000);
}

TEST(OrderSendings, TheLatestSendingOfThisOrderToThisDistributor) {
  const auto at = [](int hour) { return DateTime{year{2026} / December / 8, hours{hour}}; };
  const std::vector<OrderSending> sendings = {
      {"100231", "127.0.0.1", 12000, JournalOutcome::TimedOut, at(9), ""},
      {"100231", "127.0.0.1", 12000, JournalOutcome::Acknowledged, at(11), "D-1"},
      {"100231", "127.0.0.1", 12000, JournalOutcome::ConnectionFailed, at(12), ""},  // never went out
      {"100231", "10.0.0.5", 12000, JournalOutcome::Acknowledged, at(13), "D-2"},    // another distributor
      {"100231", "127.0.0.1", 12100, JournalOutcome::Acknowledged, at(14), "D-3"},   // another port
      {"100232", "127.0.0.1", 12000, JournalOutcome::Acknowledged, at(15), "D-4"},   // another order
      {"100231", "127.0.0.1", 12000, JournalOutcome::ClosedEarly, at(10), ""},
  };
  const auto last = lastDelivery(sendings, "100231", "127.0.0.1", 12000);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->orderNumber, "D-1");
  EXPECT_FALSE(lastDelivery(sendings, "100233", "127.0.0.1", 12000).has_value());
  EXPECT_FALSE(lastDelivery({sendings[2]}, "100231", "127.0.0.1", 12000).has_value());
}

TEST(OrderSendings, TheQuestionBeforeSendingAgain) {
  struct Case {
    JournalOutcome outcome;
    std::string number;
    seconds time;
    std::string expected;
  };
  const std::string start = "Purchase order 100231 was sent to the distributor on 12/8/2026 at ";
  const Case cases[] = {
      {JournalOutcome::Acknowledged, "D-77001", hours{21} + minutes{5} + seconds{9},
       start + "9:05:09 PM and was acknowledged, order number D-77001. Send it again?"},
      {JournalOutcome::Acknowledged, "", hours{9}, start + "9:00:00 AM and was acknowledged. Send it again?"},
      {JournalOutcome::TimedOut, "", seconds{0}, start + "12:00:00 AM and no complete answer came. Send it again?"},
      {JournalOutcome::Pending, "", hours{12}, start + "12:00:00 PM and no complete answer came. Send it again?"},
  };
  for (const Case& c : cases) {
    const OrderSending sending{"100231", "127.0.0.1", 12000, c.outcome, {year{2026} / December / 8, c.time}, c.number};
    EXPECT_EQ(resendQuestion(sending), c.expected);
  }
}

}  // namespace
}  // namespace velta
