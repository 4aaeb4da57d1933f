#include "qt/ExchangeTexts.h"

#include <cstdio>

#include "qt/Socket.h"

namespace velta::qt {

namespace {

const std::string kNothingSent = "Nothing was sent: ";
const std::string kCheckAddress = " Check the vendor's distributor address.";
const std::string kTryLater = " Try again later; if it keeps happening, check the vendor's distributor address.";
const std::string kMayHaveReached = ": it may have reached the distributor. ";

std::string ofVendor(int32_t vendor) { return vendor == 0 ? std::string() : " of vendor " + std::to_string(vendor); }

// "the distributor of vendor 1207 at 127.0.0.1:12000"
std::string distributor(const ExchangeTarget& target) {
  return "the distributor" + ofVendor(target.vendor) + " at " + target.host + ":" + std::to_string(target.port);
}

// The service whose port the vendor record gives for `set`.
std::string portName(MessageSet set) {
  switch (set) {
    case MessageSet::Order850: return "order port";
    case MessageSet::Status869: return "status port";
    case MessageSet::Inquiry846: return "inquiry port";
  }
  return "port";
}

// What the user does after a request that went out got no answer that could be read.
std::string nextStep(MessageSet set) {
  switch (set) {
    case MessageSet::Order850: return "Ask \"PO Status\" before sending the order again.";
    case MessageSet::Status869: return "Ask \"PO Status\" again.";
    case MessageSet::Inquiry846: return "Search again; an inquiry changes nothing at the distributor.";
  }
  return "Try again.";
}

std::string sentBut(const ExchangeTarget& target, MessageSet set, const std::string& what) {
  return "The request was sent to " + distributor(target) + ", but " + what + kMayHaveReached + nextStep(set);
}

}  // namespace

SocketTrouble socketTroubleOf(int number) {
  switch (number) {
    case Socket::kConnectionRefused: return SocketTrouble::Refused;
    case Socket::kHostNotFound: return SocketTrouble::HostNotFound;
    case Socket::kNetworkUnreachable: return SocketTrouble::NetworkUnreachable;
    case Socket::kConnectionReset: return SocketTrouble::Reset;
    case Socket::kTimedOut: return SocketTrouble::TimedOut;
    default: return SocketTrouble::Other;
  }
}

std::string noHostText(int32_t vendor) {
  return kNothingSent + "no host is set for the distributor" + ofVendor(vendor) + "." + kCheckAddress;
}

std::string badPortText(const ExchangeTarget& target, MessageSet set) {
  const std::string where = "the distributor" + ofVendor(target.vendor) + " at " + target.host;
  if (target.port == 0) return kNothingSent + "no " + portName(set) + " is set for " + where + "." + kCheckAddress;
  return kNothingSent + "the " + portName(set) + " " + std::to_string(target.port) + " of " + where +
         " is not a TCP port." + kCheckAddress;
}

std::string stillOpenText(const ExchangeTarget& open) {
  return kNothingSent + "an exchange with " + distributor(open) +
         " is still open. Wait for its answer, then try again.";
}

std::string unrecordedText(const ExchangeTarget& target) {
  return kNothingSent + "the journal could not record the request to " + distributor(target) +
         ". Fix the journal as the last line says, then try again.";
}

std::string noConnectionText(const ExchangeTarget& target, SocketTrouble trouble) {
  const std::string d = distributor(target);
  switch (trouble) {
    case SocketTrouble::Refused: return kNothingSent + d + " refused the connection." + kTryLater;
    case SocketTrouble::HostNotFound:
      return kNothingSent + "the host of " + d + " was not found." + kCheckAddress;
    case SocketTrouble::NetworkUnreachable:
      return kNothingSent + d + " cannot be reached over the network." +
             " Check this workstation's network connection, then try again.";
    case SocketTrouble::Reset: return kNothingSent + d + " reset the connection." + kTryLater;
    case SocketTrouble::TimedOut: return kNothingSent + d + " did not answer the connection in time." + kTryLater;
    case SocketTrouble::Other: break;
  }
  return kNothingSent + "the connection to " + d + " failed." + kTryLater;
}

std::string noConnectionWithinText(const ExchangeTarget& target, double seconds) {
  return kNothingSent + distributor(target) + " did not answer the connection within " + secondsText(seconds) +
         " s." + kTryLater;
}

std::string closedBeforeSendingText(const ExchangeTarget& target) {
  return kNothingSent + distributor(target) + " closed the connection before the request went out." + kTryLater;
}

std::string lostAnswerText(const ExchangeTarget& target, MessageSet set, SocketTrouble trouble) {
  switch (trouble) {
    case SocketTrouble::Reset: return sentBut(target, set, "the connection was reset before the answer was complete");
    case SocketTrouble::TimedOut:
      return sentBut(target, set, "the connection timed out before the answer was complete");
    case SocketTrouble::NetworkUnreachable:
      return sentBut(target, set, "the network failed before the answer was complete");
    case SocketTrouble::Refused:
    case SocketTrouble::HostNotFound:
    case SocketTrouble::Other: break;
  }
  return sentBut(target, set, "the connection failed before the answer was complete");
}

std::string closedBeforeAnswerText(const ExchangeTarget& target, MessageSet set) {
  return sentBut(target, set, "the distributor closed the connection before the answer was complete");
}

std::string noAnswerWithinText(const ExchangeTarget& target, MessageSet set, double seconds) {
  return sentBut(target, set, "no complete answer came within " + secondsText(seconds) + " s");
}

std::string answerTooLongText(const ExchangeTarget& target, MessageSet set, std::size_t announced) {
  return sentBut(target, set,
                 "the answer is longer than the " + std::to_string(announced) + " bytes its length line announced");
}

std::string secondsText(double seconds) {
  // As QString::number writes a double: six significant digits, the shorter of fixed and exponent.
  char text[32];
  std::snprintf(text, sizeof text, "%g", seconds);
  return text;
}

}  // namespace velta::qt
