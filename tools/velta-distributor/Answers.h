// The simulator's answers, record by record, as the workstation's controls
// read a distributor's. Every record ends with LF, fields are separated by
// "|", and the first record is the answer's header:
//
//   00|//VELTA//<set>|||VELTA-DIST|0001|<hh:mm:ss>|<yyyymmdd>||<channel>|||||||<token>
//
// 17 fields, as a request's header: <set> "855" (order acknowledgement),
// "870" (order status), "846" (availability) or "EXR" (exception, in any set),
// the channel of the request's set ("BMS" for 850, "WEB" else), and the check
// token of the simulator's date and time with the same token table.
//
// Exception (every set), 2 records:
//   01|account|number|date|error code|error message           6 fields
//   number: the PO number (850, 869) or the inquiry number (846); date: the
//   request's date when it had one, else the simulator's. Codes: Rejection.h.
//
// 850 acknowledgement, 2 records and one a line:
//   01|account|PO|back-order code|order number|PO date|status code|status message       8 fields
//   05|line shipped|part shipped|qty ordered|qty shipped|qty back-ordered|line ordered|
//     part ordered|unit cost|description|alternate-shipment reason|back-order code|
//     available date|location                                                          14 fields
//
// 869 status, 3 records, then per order line its record and one a shipment:
//   01|account||PO                                                                      4 fields
//   02|ship-to account|order number|PO|PO date|status code|status message|bill-to       8 fields
//   05|line|part|line ordered|part ordered|description|qty ordered|qty shipped|
//     qty back-ordered|back-order ETA                                                  10 fields
//   11|qty shipped|invoice|ship date|ship method|tracking|shipment status|
//     status message|location|location code                                           10 fields
//
// 846 availability, 2 records, then one a part and warehouse that stocks it
// (one for the first warehouse when none does; one for a part or line code
// the distributor does not know):
//   01|account|inquiry number|date                                                      4 fields
//   05|line|part|qty asked|line asked|part asked|warehouse code|qty there|retail|cost|
//     core|pack|unit|description|reason|factory back order|date available|location|
//     inquiry date|inquiry time|account|inquiry number|part line|status code|status text   25 fields
//
// The fault mode "malformed" cuts the record that the workstation reads first
// to one field fewer than it needs, or more: an exception's record 1 to 3
// fields, an acknowledgement's record 1 to 4, the status header of an 869
// answer to 5 (and its record 1 to "01"), the first detail record of an 846
// answer to 24 (and its record 1 to "01").
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "link/RequestHeader.h"
#include "link/TokenTable.h"
#include "tools/velta-distributor/Catalog.h"
#include "tools/velta-distributor/Rejection.h"
#include "tools/velta-distributor/RememberedOrder.h"
#include "tools/velta-distributor/RequestCheck.h"

namespace velta::distributor {

inline constexpr std::string_view kSenderName = "VELTA-DIST";
inline constexpr std::string_view kSenderCode = "0001";

// What every answer shares: the simulator's moment, its token table, and
// whether to cut the answer on purpose.
struct AnswerSetting {
  RequestMoment now;
  const TokenTable* table = nullptr;
  bool malformed = false;
};

std::string answerHeader(std::string_view set, MessageSet requestSet, const AnswerSetting& setting);

std::string exceptionAnswer(MessageSet set, const RequestContext& context, const Rejection& rejection,
                            const AnswerSetting& setting);

std::string acknowledgementAnswer(const RememberedOrder& order, const Account& account, const AnswerSetting& setting);

// The order's status code and message, from how its lines were filled:
//   "01" SHIPPED COMPLETE, "02" PARTIALLY SHIPPED, BALANCE BACK-ORDERED,
//   "03" BACK-ORDERED, "04" NOTHING SHIPPED, "05" SHIPPED, BALANCE CANCELLED.
std::pair<std::string, std::string> orderStatus(const RememberedOrder& order);

std::string statusAnswer(const RememberedOrder& order, const Account& account, const AnswerSetting& setting);

// The tracking text of one shipment.
std::string trackingNumber(const RememberedOrder& order, std::size_t line, const Shipment& shipment);

struct InquiryAnswer {
  std::string message;
  std::size_t detailLines = 0;
};
InquiryAnswer inquiryAnswer(const InquiryRequest& request, const Catalog& catalog, const std::string& inquiryNumber,
                            const AnswerSetting& setting);

}  // namespace velta::distributor
