// Orders that went to the distributor before: what the journal, or the order
// control's memory of its own exchanges, tells of one purchase order, so that
// it is not sent a second time unasked.
//
// An order exchange may have left the order with the distributor when the
// distributor acknowledged it, or when the request went out and no complete
// answer came: pending (the workstation ended in between), timed out, closed
// early. Such a sending of the same purchase order to the same distributor
// (host as connected to, and order port) makes the control ask before sending
// again:
//
//   Purchase order 100231 was sent to the distributor on 12/8/2026 at 9:05:09 PM
//   and was acknowledged, order number D-77001. Send it again?
//
// (or "and no complete answer came."), the date and the time as the control
// shows the moment of loading, in the local time of the sending.
//
//   std::vector<OrderSending> known = orderSendings(journal.list({.reference = "100231"}));
//   if (auto last = lastDelivery(known, "100231", host, port)) ask(resendQuestion(*last));
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "link/ExchangeJournal.h"

namespace velta {

struct OrderSending {
  std::string poNumber;  // without blanks on both sides
  std::string host;      // as connected to
  int port = 0;
  JournalOutcome outcome = JournalOutcome::Pending;
  DateTime began;           // local date and time of the sending
  std::string orderNumber;  // the distributor's, when it acknowledged the order
};

// Whether an order exchange that ended so may have left the order with the distributor.
bool mayHaveDelivered(JournalOutcome outcome);

// The order exchanges (850) of journal entries, in their order; the order
// number read from the answer of an acknowledged one.
std::vector<OrderSending> orderSendings(const std::vector<JournalEntry>& entries);

// The latest sending of this order to this distributor that may have left it there.
std::optional<OrderSending> lastDelivery(const std::vector<OrderSending>& sendings, const std::string& poNumber,
                                         const std::string& host, int port);

// The question the control asks before sending it again.
std::string resendQuestion(const OrderSending& sending);

}  // namespace velta
