// The 869 order status request: asks the distributor what became of an order
// already sent.
//
//   OutgoingRequest request = buildStatusRequest({requestMomentOf(now), account, poNumber});
//
// Two records, each ended by LF, fields by "|":
//
//   | record   | fields                                               |
//   |----------|------------------------------------------------------|
//   | header   | the 869 header line, channel "WEB"                   |
//   | order, 1 | "01", account, "", PO number                         |
//
// Account and PO number are sent without blanks on both sides; a "|", TAB,
// CR or LF in either is refused (EngineError -23, source "Exchange"), as for
// the order request.
#pragma once

#include <string>

#include "link/MessageFields.h"
#include "link/RequestHeader.h"
#include "link/TokenTable.h"

namespace velta {

struct StatusRequestInput {
  RequestMoment moment;       // header fields 6 and 7 and the token
  std::string dealerAccount;  // trimmed when sent
  std::string poNumber;       // xPONum as text; trimmed when sent
};

// The request with the configured token table.
OutgoingRequest buildStatusRequest(const StatusRequestInput& input);
// The same with an explicit table.
OutgoingRequest buildStatusRequest(const StatusRequestInput& input, const TokenTable& table);

}  // namespace velta
