#include "order/OrderSendings.h"

#include <algorithm>

#include "base/RuntimeFormat.h"
#include "link/AnswerFraming.h"
#include "link/OrderAnswer.h"

namespace velta {

namespace {

constexpr std::string_view kOrderSet = "850";

// The distributor's order number in a journal's answer bytes, "" when it cannot be read.
std::string orderNumberOf(const std::string& answerBytes) {
  try {
    AnswerFraming framing;
    const std::optional<FramedAnswer> answer = framing.feed(answerBytes);
    return answer ? parseOrderAnswer(answer->response).lastOrderNumber() : std::string();
  } catch (...) {
    return {};
  }
}

}  // namespace

bool mayHaveDelivered(JournalOutcome outcome) {
  switch (outcome) {
    case JournalOutcome::Acknowledged:
    case JournalOutcome::Pending:
    case JournalOutcome::TimedOut:
    case JournalOutcome::ClosedEarly: return true;
    default: return false;
  }
}

std::vector<OrderSending> orderSendings(const std::vector<JournalEntry>& entries) {
  std::vector<OrderSending> sendings;
  for (const JournalEntry& entry : entries) {
    const std::optional<JournalOutcome> outcome = outcomeFromText(entry.outcome);
    if (entry.setNumber != kOrderSet || !outcome) continue;
    OrderSending sending{entry.reference, entry.host, entry.port, *outcome, entry.began().local(), {}};
    if (*outcome == JournalOutcome::Acknowledged && entry.answer) sending.orderNumber = orderNumberOf(*entry.answer);
    sendings.push_back(std::move(sending));
  }
  return sendings;
}

std::optional<OrderSending> lastDelivery(const std::vector<OrderSending>& sendings, const std::string& poNumber,
                                         const std::string& host, int port) {
  std::optional<OrderSending> last;
  for (const OrderSending& sending : sendings) {
    if (sending.poNumber != poNumber || sending.host != host || sending.port != port) continue;
    if (!mayHaveDelivered(sending.outcome)) continue;
    if (!last || !(sending.began.localSeconds() < last->began.localSeconds())) last = sending;
  }
  return last;
}

std::string resendQuestion(const OrderSending& sending) {
  std::string how = "no complete answer came";
  if (sending.outcome == JournalOutcome::Acknowledged) {
    how = sending.orderNumber.empty() ? "was acknowledged" : "was acknowledged, order number " + sending.orderNumber;
  }
  return "Purchase order " + sending.poNumber + " was sent to the distributor on " + shortDate(sending.began.date) +
         " at " + longTime(sending.began.timeOfDay) + " and " + how + ". Send it again?";
}

}  // namespace velta
