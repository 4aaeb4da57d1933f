#include "tools/velta-distributor/Distributor.h"

#include "tools/velta-distributor/OrderFilling.h"
#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {

namespace {

constexpr long kFirstInquiryNumber = 500001;

std::string who(MessageSet set, const RequestContext& context) {
  std::string text(setNumber(set));
  if (!context.number.empty()) {
    // The inquiry number is the simulator's own; a PO number is the dealer's, shown as sent.
    text += set == MessageSet::Inquiry846 ? " inquiry " + context.number : " PO " + shown(context.number);
  }
  if (!context.account.empty()) text += " account " + shown(context.account);
  return text;
}

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

Distributor::Distributor(const Catalog& catalog, const TokenTable& table, OrderBook& book, Clock clock)
    : catalog_(catalog), table_(table), book_(book), clock_(std::move(clock)) {}

std::string Distributor::nextInquiryNumber() { return std::to_string(kFirstInquiryNumber + inquiries_++); }

Reply Distributor::refuse(MessageSet set, const Rejection& rejection, ContentFaults faults) {
  const AnswerSetting setting{clock_(), &table_, faults.malformed};
  RequestContext context;
  if (set == MessageSet::Inquiry846) context.number = nextInquiryNumber();
  return {exceptionAnswer(set, context, rejection, setting),
          std::string(setNumber(set)) + ": exception " + std::to_string(rejection.code) + " " + rejection.message, true};
}

Reply Distributor::answer(MessageSet set, std::string_view message, ContentFaults faults) {
  const AnswerSetting setting{clock_(), &table_, faults.malformed};
  CheckOutcome outcome = checkRequest(set, message, table_);
  if (set == MessageSet::Inquiry846) outcome.context.number = nextInquiryNumber();
  const auto refused = [&](const Rejection& rejection) {
    return Reply{exceptionAnswer(set, outcome.context, rejection, setting),
                 who(set, outcome.context) + ": exception " + std::to_string(rejection.code) + " " + rejection.message,
                 true};
  };
  if (!outcome.request) return refused(outcome.rejection);
  const CheckedRequest& request = *outcome.request;

  const std::string& account = outcome.context.account;
  if (!catalog_.account(account)) {
    return refused({rejected::UnknownAccount, "the account " + shown(account) + " is not known here"});
  }
  if (set == MessageSet::Order850) {
    const auto& order = std::get<OrderRequest>(request.body);
    if (const RememberedOrder* earlier = book_.find(order.account, order.po)) {
      return refused({rejected::DuplicateOrder, "PO " + shown(order.po) + " of account " + shown(order.account) +
                                                    " was received before, as order " + earlier->orderNumber});
    }
    if (auto full = book_.noRoomFor(order.lines.size())) return refused({rejected::Full, *full});
  }
  if (set == MessageSet::Status869) {
    const auto& status = std::get<StatusRequest>(request.body);
    if (!book_.find(status.account, status.po)) {
      return refused({rejected::UnknownOrder,
                      "no order with PO " + shown(status.po) + " was received from account " + shown(status.account)});
    }
  }
  if (faults.exception) {
    return refused({rejected::OnPurpose, "refused on purpose: the simulator runs with --fault exception"});
  }
  switch (set) {
    case MessageSet::Order850: return order(request, setting);
    case MessageSet::Status869: return status(request, setting);
    case MessageSet::Inquiry846: return inquiry(request, outcome.context, setting);
  }
  return {};
}

Reply Distributor::order(const CheckedRequest& request, const AnswerSetting& setting) {
  const auto& ordered = std::get<OrderRequest>(request.body);
  const std::string number = book_.nextOrderNumber();
  RememberedOrder filled = fillOrder(ordered, request.date, catalog_, *parseCompactDate(setting.now.date), number);
  const RequestContext context{ordered.account, ordered.po, request.date};
  if (auto why = book_.add(filled)) {
    const Rejection rejection{rejected::NotRecorded, "the order could not be recorded; it is not accepted"};
    return {exceptionAnswer(MessageSet::Order850, context, rejection, setting),
            who(MessageSet::Order850, context) + ": exception 140, the state file: " + *why, true};
  }
  const RememberedOrder& order = *book_.find(ordered.account, ordered.po);
  std::size_t complete = 0;
  for (const FilledLine& l : order.lines) complete += l.shipped() == l.quantity ? 1 : 0;
  return {acknowledgementAnswer(order, *catalog_.account(order.account), setting),
          who(MessageSet::Order850, context) + ": acknowledged as order " + order.orderNumber + ", " +
              plural(order.lines.size(), "line", "lines") + ", " + std::to_string(complete) + " shipped complete",
          false};
}

Reply Distributor::status(const CheckedRequest& request, const AnswerSetting& setting) {
  const auto& asked = std::get<StatusRequest>(request.body);
  const RememberedOrder& order = *book_.find(asked.account, asked.po);
  const RequestContext context{asked.account, asked.po, request.date};
  return {statusAnswer(order, *catalog_.account(order.account), setting),
          who(MessageSet::Status869, context) + ": status of order " + order.orderNumber + ", " +
              plural(order.lines.size(), "line", "lines") + ", " +
              plural(static_cast<std::size_t>(order.shipmentCount()), "shipment", "shipments"),
          false};
}

Reply Distributor::inquiry(const CheckedRequest& request, const RequestContext& context,
                           const AnswerSetting& setting) {
  const auto& asked = std::get<InquiryRequest>(request.body);
  InquiryAnswer answer = inquiryAnswer(asked, catalog_, context.number, setting);
  return {std::move(answer.message),
          who(MessageSet::Inquiry846, context) + ": " +
              plural(asked.parts.size(), "part", "parts") + ", " + plural(answer.detailLines, "detail line", "detail lines"),
          false};
}

}  // namespace velta::distributor
