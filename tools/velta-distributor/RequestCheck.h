// Checks one complete request message as the distributor does before it acts
// on it, and takes its fields apart. What the check asks of each set:
//
//   every request   every record ends with LF, none is empty; the header
//                   (line 1) as the link writes it: 17 fields, "00", the
//                   set of this port, fields 2, 3, 8 and 10 to 15 empty,
//                   sender "H-BRONTEK", sender code "8153", time hh:mm:ss,
//                   a real date yyyymmdd, channel "BMS" (850) or "WEB", and
//                   the check token of that date and time
//   850 order       line 2 "01" with 10 fields: account, PO number, two
//                   fields not read, ship date yymmdd or empty, ship method
//                   (" " or A to K), resale "Y" or empty, back-order code
//                   (" " or 0 to 7), back-order ship method (" " or A to K);
//                   then 1 to 10000 lines "05" with 4 fields: line code,
//                   part, quantity 1 to 999999
//   869 status      line 2 "01" with 4 fields: account, a field not read,
//                   PO number; nothing else
//   846 inquiry     line 2 "01" with 2 fields: account; then 1 to 100 lines
//                   "05" with 4 fields: line code, part, quantity (empty,
//                   or 0 to 999999; blanks around it do not count)
//
// Accounts and PO numbers are taken without blanks at either end; they must
// not be empty. Whether the account is known is the distributor's question
// (Distributor.h), not this one's.
//
//   CheckOutcome outcome = checkRequest(MessageSet::Order850, message, table);
//   if (outcome.request) ... std::get<OrderRequest>(outcome.request->body) ...
//   else exceptionAnswer(outcome.context, outcome.rejection);
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "link/RequestHeader.h"
#include "link/TokenTable.h"
#include "tools/velta-distributor/Rejection.h"

namespace velta::distributor {

inline constexpr std::size_t kMaxOrderLines = 10000;
inline constexpr std::size_t kMaxInquiryParts = 100;
inline constexpr std::int64_t kMaxQuantity = 999999;

struct OrderLine {
  std::string line;      // the line code as sent
  std::string part;      // as sent
  std::int64_t quantity = 0;
};

struct OrderRequest {
  std::string account, po;
  std::string shipDate;  // yymmdd or empty
  char shipMethod = ' ';
  bool resale = false;
  char backOrderCode = ' ';
  char backOrderShip = ' ';
  std::vector<OrderLine> lines;
};

struct StatusRequest {
  std::string account, po;
};

struct InquiryPart {
  std::string line, part;  // as sent
  std::string quantity;    // as sent, blanks removed; may be empty
};

struct InquiryRequest {
  std::string account;
  std::vector<InquiryPart> parts;
};

struct CheckedRequest {
  MessageSet set = MessageSet::Order850;
  std::string date, time;  // of the header: "yyyymmdd", "hh:mm:ss"
  std::variant<OrderRequest, StatusRequest, InquiryRequest> body;
};

// What is known of a request, for the fields of an exception answer, however
// far the check got.
struct RequestContext {
  std::string account;
  std::string number;  // the PO number (850, 869)
  std::string date;    // the header's date when it is one
};

struct CheckOutcome {
  std::optional<CheckedRequest> request;  // none when refused
  Rejection rejection;
  RequestContext context;
};

CheckOutcome checkRequest(MessageSet expected, std::string_view message, const TokenTable& table);

// "850", "869", "846"; and the set's name in the header ("//VELTA//850").
std::string_view setNumber(MessageSet set);
std::string setName(MessageSet set);
std::string_view channelOf(MessageSet set);

}  // namespace velta::distributor
