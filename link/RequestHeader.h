// The first record of every request, and the length line sent before every
// message.
//
//   RequestMoment moment = RequestMoment::now();            // taken once per request
//   std::string message = requestHeaderLine(MessageSet::Order850, moment) + records;
//   socket.send(lengthLine(message));
//   socket.send(message);
//
// The header line has 17 "|"-separated fields and ends with LF:
//
//   | field    | content                                                |
//   |----------|--------------------------------------------------------|
//   | 0        | "00"                                                   |
//   | 1        | "//VELTA//850", "//VELTA//869" or "//VELTA//846"       |
//   | 2, 3     | empty                                                  |
//   | 4        | sender name "H-BRONTEK"                                |
//   | 5        | sender code "8153"                                     |
//   | 6        | local time "hh:mm:ss"                                  |
//   | 7        | local date "yyyymmdd"                                  |
//   | 8        | empty                                                  |
//   | 9        | channel: "BMS" for 850, "WEB" for 869 and 846          |
//   | 10 .. 15 | empty                                                  |
//   | 16       | check token of fields 7 and 6                          |
//
// The time and date are taken once, so fields 6, 7 and the token agree even
// when the clock turns a second while the request is built.
#pragma once

#include <string>
#include <string_view>

#include "base/Clock.h"
#include "link/TokenTable.h"

namespace velta {

// The local date and time of one request, as the header writes them.
struct RequestMoment {
  std::string date;  // "yyyymmdd"
  std::string time;  // "hh:mm:ss", 24-hour clock

  // The local clock, read once.
  static RequestMoment now();
};

// The date and time of a request at `moment` (the workstation's clock, Now()),
// as the header writes them.
RequestMoment requestMomentOf(const DateTime& moment);

// The three message sets of the distributor link.
enum class MessageSet {
  Order850,    // order request, channel "BMS"
  Status869,   // order status request, channel "WEB"
  Inquiry846,  // part inquiry request, channel "WEB"
};

// The header line of `set` at `moment`, LF included, with the configured token table.
std::string requestHeaderLine(MessageSet set, const RequestMoment& moment);
// The same with an explicit token table.
std::string requestHeaderLine(MessageSet set, const RequestMoment& moment, const TokenTable& table);

// The decimal byte count of `message` (every LF counted), then LF.
std::string lengthLine(std::string_view message);

}  // namespace velta
