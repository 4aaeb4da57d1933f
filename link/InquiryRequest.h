// The 846 part availability request: the host's part and up to five more that
// the user typed into the entry grid.
//
//   InquiryRequestParts parts;
//   parts.dealerAccount = "104233";
//   parts.hostPart = {"FLT", "PH3600", "2"};        // xLine, xPart, xQty as text
//   parts.gridRows = {{"BLT", "4L350", ""}, ...};   // rows 2 to 6 of the grid, in order
//   std::string outMessage = inquiryRequest(parts, moment, lineCodes);
//   std::string length = lengthLine(outMessage);
//
// The message, every record ended by LF, fields separated by "|":
//
//   | record                         | content                                         |
//   |--------------------------------|-------------------------------------------------|
//   | header                         | "00|//VELTA//846|||H-BRONTEK|8153|" time "|"    |
//   |                                | date "||WEB|||||||" token (RequestHeader.h)     |
//   | account                        | "01|" dealer account (the sub-account is never  |
//   |                                | sent)                                           |
//   | host's part (always)           | "05|" line code "|" part "|" quantity           |
//   | each grid row that qualifies   | "05|" line code "|" part cell "|" quantity cell |
//
// A grid row qualifies when its line cell and its part cell both hold more
// than blanks; its part and quantity go out exactly as typed, and the
// quantity may be empty. The description is never sent. The line code is the
// distributor's code that the line-code map gives for the dealer's code, or
// the dealer's code as it stands when the map's answer, without its trailing
// blanks and control characters, is empty; a mapped code is sent as the map
// gives it.
//
// Nothing here may add a field or a record: a "|", TAB, CR or LF in a line
// code, part or quantity that would be sent refuses the whole request with
// EngineError -23 (source "Exchange"), whose description names the field and
// the grid row (1 for the host's part), for example
//   a "|" in the part number of row 3
#pragma once

#include <string>
#include <vector>

#include "link/LineCodeMap.h"
#include "link/RequestHeader.h"

namespace velta {

// One part as the request takes it: line code (the dealer's), part number, quantity.
struct InquiryPart {
  std::string line, part, qty;
};

struct InquiryRequestParts {
  std::string dealerAccount;          // trimmed already
  InquiryPart hostPart;               // from the control's properties: always sent
  std::vector<InquiryPart> gridRows;  // rows 2, 3, ... of the entry grid
};

// Whether a grid row goes into the request.
bool qualifies(const InquiryPart& row);

// The whole request, LF ended, with the configured token table; refuses
// unsafe fields as above.
std::string inquiryRequest(const InquiryRequestParts& parts, const RequestMoment& moment,
                           const LineCodeMap& lineCodes);
// The same with an explicit token table.
std::string inquiryRequest(const InquiryRequestParts& parts, const RequestMoment& moment,
                           const LineCodeMap& lineCodes, const TokenTable& table);

// The part records alone (from the account line on): what both forms share.
std::string inquiryRecords(const InquiryRequestParts& parts, const LineCodeMap& lineCodes);

// Refuses `value` (EngineError -23, "Exchange") when it holds "|", TAB, CR or
// LF; `field` and `row` name it in the description.
void checkRequestField(const std::string& value, const char* field, int row);

}  // namespace velta
