// The exchange's own descriptions for error -23: what happened to the request
// and what the user does next, in one or two sentences, ASCII only (they go
// through the Latin-1 error boxes). The box around them stays the system's:
//
//    Error -23  <description>
//    in submitorder routine
//
// Every description names the distributor by its vendor, "the distributor of
// vendor 1207 at 127.0.0.1:12000", and says whether anything went out:
//
//   - nothing went out: it begins "Nothing was sent: ", says why, and what to
//     try:
//       Nothing was sent: the distributor of vendor 1207 at 127.0.0.1:12000
//       refused the connection. Try again later; if it keeps happening, check
//       the vendor's distributor address.
//   - the request (or part of it) went out: it says so and that it may have
//     reached the distributor, then the step that fits the message set:
//       The request was sent to the distributor of vendor 1207 at
//       127.0.0.1:12000, but no complete answer came within 60 s: it may have
//       reached the distributor. Ask "PO Status" before sending the order again.
//     (a status request: Ask "PO Status" again; an inquiry: Search again; an
//     inquiry changes nothing at the distributor.)
//
// A vendor number of 0 is one not known: "the distributor" alone. Socket
// error numbers and routine names never appear in the sentence; what the
// sentence cannot say in plain words (the socket's own text of a failure
// without a name of its own, the journal's reason) is the failure's detail,
// shown on a line of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/RequestHeader.h"

namespace velta::qt {

// Whose distributor an exchange goes to, and where.
struct ExchangeTarget {
  int32_t vendor = 0;  // 0: not known
  std::string host;    // as connected to
  int port = 0;
};

// The socket's failures in plain words.
enum class SocketTrouble { Refused, HostNotFound, NetworkUnreachable, Reset, TimedOut, Other };

// The trouble behind an error number of Socket::Error.
SocketTrouble socketTroubleOf(int number);

// Nothing went out.

// The vendor record names no host.
std::string noHostText(int32_t vendor);
// The port of `set`'s service is 0 (none set) or not 1 to 65535.
std::string badPortText(const ExchangeTarget& target, MessageSet set);
// Another exchange, with `open`, has not ended.
std::string stillOpenText(const ExchangeTarget& open);
// The journal could not record the request; its reason is the detail.
std::string unrecordedText(const ExchangeTarget& target);
// The connection failed.
std::string noConnectionText(const ExchangeTarget& target, SocketTrouble trouble);
// The connection did not come within the connect deadline.
std::string noConnectionWithinText(const ExchangeTarget& target, double seconds);
// The distributor closed the connection before the request went out.
std::string closedBeforeSendingText(const ExchangeTarget& target);

// The request went out.

// The connection failed before the whole answer came.
std::string lostAnswerText(const ExchangeTarget& target, MessageSet set, SocketTrouble trouble);
// The distributor closed the connection before the whole answer came.
std::string closedBeforeAnswerText(const ExchangeTarget& target, MessageSet set);
// No complete answer within the answer deadline.
std::string noAnswerWithinText(const ExchangeTarget& target, MessageSet set, double seconds);
// More came than the answer's length line announced.
std::string answerTooLongText(const ExchangeTarget& target, MessageSet set, std::size_t announced);

// "15", "0.3": seconds as a person writes them.
std::string secondsText(double seconds);

}  // namespace velta::qt
