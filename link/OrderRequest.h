// The 850 order request: one purchase order as the distributor takes it.
//
//   OrderRequestInput input;
//   input.moment = requestMomentOf(now);   // the date and time, taken once
//   input.today = now.date;
//   ... account, PO number, the user's choices, the grid rows ...
//   OutgoingRequest request = buildOrderRequest(input, lineCodeMap);
//   socket.send(request.lengthLine); socket.send(request.message);
//
// The message, records ended by LF, fields by "|":
//
//   | record      | fields                                                         |
//   |-------------|----------------------------------------------------------------|
//   | header      | the 850 header line, channel "BMS" (link/RequestHeader.h)       |
//   | order, 1    | "01", account, PO number, "", "", ship date yymmdd or "",      |
//   |             | ship method code, "Y" or "" (resale), back-order code,         |
//   |             | back-order ship method code                                    |
//   | line, per   | "05", distributor's line code, part number, quantity           |
//   | grid row    |                                                                |
//
// Account, PO number, part number and quantity are sent without blanks on
// both sides. A code is the first character of the chosen list entry, so the
// default entry "   Default" sends one blank. The ship date is empty when it
// is today's date. A row's line code goes to the line-code map exactly as the
// grid holds it (a two-letter code from compressed text keeps its trailing
// blank); the mapped code is sent as the map returns it, and when the map has
// nothing for it (or only control characters and blanks) the grid's code is
// sent unchanged. Nothing follows the last line record; no rows give the
// header and the order record only.
//
// A "|", TAB, CR or LF in any field would add fields or records to the
// message, so it is refused: EngineError -23, source "Exchange", naming the
// field and, for a line, the grid row (1 for the first data row), for example
// `a "|" in the part number of row 3`. Texts are bytes; a character outside
// Latin-1 is refused by the Qt side before its text gets here.
#pragma once

#include <string>
#include <vector>

#include "base/Calendar.h"
#include "base/Clock.h"
#include "link/LineCodeMap.h"
#include "link/MessageFields.h"
#include "link/RequestHeader.h"
#include "link/TokenTable.h"

namespace velta {

// One grid row: the cell texts of the columns "Line", "Part" and "Ordered".
struct OrderLine {
  std::string lineCode;  // the dealer's line code, as the grid holds it
  std::string part;
  std::string quantity;
};

struct OrderRequestInput {
  RequestMoment moment;       // header fields 6 and 7 and the token
  Date today = kNullDate;     // compared with the requested ship date
  std::string dealerAccount;  // trimmed when sent
  std::string poNumber;       // xPONum as text; trimmed when sent
  Date requestedShipDate = kNullDate;  // the date picker's value
  // The chosen entries of the three lists (or just their codes): the first
  // character is sent; "" sends an empty field.
  std::string shipMethod = " ";
  std::string backOrderCode = " ";
  std::string backOrderShipMethod = " ";
  bool resale = false;  // "Order for Resale" checked
  std::vector<OrderLine> lines;  // grid rows 1 to the last, in grid order
};

// The request with the configured token table.
OutgoingRequest buildOrderRequest(const OrderRequestInput& input, const LineCodeMap& lineCodes);
// The same with an explicit table.
OutgoingRequest buildOrderRequest(const OrderRequestInput& input, const LineCodeMap& lineCodes,
                                  const TokenTable& table);

}  // namespace velta
