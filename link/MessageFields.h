// What the builders and parsers of the order exchange share: the record and
// field syntax of a message, the refusal of request fields that would break
// it, and the exchange's own error number.
//
// A message is records ended by LF, fields separated by "|", with no quoting:
// a field that held "|", TAB, CR or LF would add fields or records, so such a
// request is refused before anything is sent:
//
//   refuseSeparators(part, "the part number of row 3");
//   // EngineError -23 "Exchange": a "|" in the part number of row 3
//
// Texts here are bytes, one per character (Latin-1 on the Qt side). A
// character outside Latin-1 has no byte and is refused by the Qt side before
// its text reaches these routines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/EngineError.h"

namespace velta {

namespace err {
// A request that cannot be sent as it stands, an exchange that did not end
// with an answer, a journal that cannot be used.
inline constexpr int ExchangeFailed = -23;
}  // namespace err

// A request ready for the socket: the two sends, in this order.
struct OutgoingRequest {
  std::string lengthLine;  // decimal byte count of message, then LF
  std::string message;     // every record ended by LF

  // The bytes on the wire: the length line, then the message.
  std::string wireBytes() const { return lengthLine + message; }
};

// EngineError -23, source "Exchange", with the description as given.
EngineError exchangeError(std::string description);

// -23 when `text` holds "|", TAB, CR or LF; `what` names the field (and row)
// in the description: a "|" / a TAB / a CR / an LF + " in " + what.
void refuseSeparators(std::string_view text, std::string_view what);
// The same for a field of a grid row: what + " of row " + row, the
// description made only for a text that is refused.
void refuseSeparators(std::string_view text, std::string_view what, std::size_t row);

// Without blanks on both sides (only blanks: a TAB stays and is refused).
std::string trimBlanks(std::string_view text);

// Every piece between separators, empty ones kept: "a||b" is {"a", "", "b"},
// "a\n" is {"a", ""}; the empty text has no piece at all.
std::vector<std::string_view> splitKeepingEmpty(std::string_view text, char separator);

}  // namespace velta
