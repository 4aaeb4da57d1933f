// The simulated distributor itself, without the network: it takes the
// message of one complete request on one of its three services and gives the
// answer message and a line saying what happened.
//
//   Distributor distributor(catalog, table, book, [] { return RequestMoment::now(); });
//   Reply reply = distributor.answer(MessageSet::Order850, message, {});
//   send(lengthLine(reply.message) + reply.message);
//   log(reply.summary);   // "850 PO 100231 account 104233: acknowledged as order 700001, 5 lines"
//
// After the checks of RequestCheck.h it asks what a distributor asks: is the
// account known (130); for an order, was this PO of this account received
// before (132) and is there room (150); for a status request, is there such
// an order (131). An accepted order is remembered (and written to the state
// file) before it is acknowledged; when it cannot be written it is refused (140).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "link/RequestHeader.h"
#include "link/TokenTable.h"
#include "tools/velta-distributor/Answers.h"
#include "tools/velta-distributor/Catalog.h"
#include "tools/velta-distributor/OrderBook.h"
#include "tools/velta-distributor/Rejection.h"
#include "tools/velta-distributor/RequestCheck.h"

namespace velta::distributor {

// What the fault modes change in an answer's content.
struct ContentFaults {
  bool exception = false;  // refuse every request that passes the checks (190)
  bool malformed = false;  // cut the first record the workstation reads
};

struct Reply {
  std::string message;  // the answer, without its length line
  std::string summary;  // one line for the log
  bool exception = false;
};

class Distributor {
 public:
  using Clock = std::function<RequestMoment()>;

  Distributor(const Catalog& catalog, const TokenTable& table, OrderBook& book, Clock clock);

  // The answer to a complete request message on the service of `set`.
  Reply answer(MessageSet set, std::string_view message, ContentFaults faults);
  // The answer to a request the reader refused before it was complete.
  Reply refuse(MessageSet set, const Rejection& rejection, ContentFaults faults);

 private:
  Reply order(const CheckedRequest& request, const AnswerSetting& setting);
  Reply status(const CheckedRequest& request, const AnswerSetting& setting);
  Reply inquiry(const CheckedRequest& request, const RequestContext& context, const AnswerSetting& setting);
  std::string nextInquiryNumber();

  const Catalog& catalog_;
  const TokenTable& table_;
  OrderBook& book_;
  Clock clock_;
  long inquiries_ = 0;
};

}  // namespace velta::distributor
