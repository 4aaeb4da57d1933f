// How the order control's last exchange ended, more finely than xPOSuccess:
// what its lastOutcome property says.
//
//   | outcome       | text           | when                                                |
//   |---------------|----------------|-----------------------------------------------------|
//   | None          | "none"         | no exchange yet                                     |
//   | Acknowledged  | "acknowledged" | the distributor accepted the order                  |
//   | Exception     | "exception"    | the distributor's exception answer                  |
//   | Malformed     | "malformed"    | an answer that could not be read                    |
//   | Unknown       | "unknown"      | sent, no complete answer: the order may be there    |
//   | NotSent       | "not-sent"     | nothing went out                                    |
//   | StatusShown   | "status-shown" | the answer to a status request was shown            |
#pragma once

#include <string_view>

#include "link/ExchangeJournal.h"

namespace velta {

enum class OrderOutcome { None, Acknowledged, Exception, Malformed, Unknown, NotSent, StatusShown };

std::string_view orderOutcomeText(OrderOutcome outcome);

// The outcome of an exchange that ended as the journal says, after `sent`
// (some of the request went out) or not.
OrderOutcome orderOutcomeOf(JournalOutcome ending, bool sent);

}  // namespace velta
