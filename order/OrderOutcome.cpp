#include "order/OrderOutcome.h"

namespace velta {

std::string_view orderOutcomeText(OrderOutcome outcome) {
  switch (outcome) {
    case OrderOutcome::None: return "none";
    case OrderOutcome::Acknowledged: return "acknowledged";
    case OrderOutcome::Exception: return "exception";
    case OrderOutcome::Malformed: return "malformed";
    case OrderOutcome::Unknown: return "unknown";
    case OrderOutcome::NotSent: return "not-sent";
    case OrderOutcome::StatusShown: return "status-shown";
  }
  return "none";
}

OrderOutcome orderOutcomeOf(JournalOutcome ending, bool sent) {
  switch (ending) {
    case JournalOutcome::Acknowledged: return OrderOutcome::Acknowledged;
    case JournalOutcome::Exception: return OrderOutcome::Exception;
    case JournalOutcome::Answered: return OrderOutcome::StatusShown;
    case JournalOutcome::Malformed: return OrderOutcome::Malformed;
    case JournalOutcome::ConnectionFailed: return OrderOutcome::NotSent;
    case JournalOutcome::Pending:
    case JournalOutcome::TimedOut:
    case JournalOutcome::ClosedEarly:
    case JournalOutcome::Abandoned: return sent ? OrderOutcome::Unknown : OrderOutcome::NotSent;
  }
  return OrderOutcome::None;
}

}  // namespace velta
