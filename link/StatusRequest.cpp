#include "link/StatusRequest.h"

namespace velta {

namespace {

template <typename HeaderLine>
OutgoingRequest build(const StatusRequestInput& input, HeaderLine headerLine) {
  const std::string account = trimBlanks(input.dealerAccount);
  const std::string poNumber = trimBlanks(input.poNumber);
  refuseSeparators(account, "the dealer account");
  refuseSeparators(poNumber, "the PO number");
  std::string message = headerLine() + "01|" + account + "||" + poNumber + '\n';
  OutgoingRequest request;
  request.lengthLine = lengthLine(message);
  request.message = std::move(message);
  return request;
}

}  // namespace

OutgoingRequest buildStatusRequest(const StatusRequestInput& input) {
  return build(input, [&] { return requestHeaderLine(MessageSet::Status869, input.moment); });
}

OutgoingRequest buildStatusRequest(const StatusRequestInput& input, const TokenTable& table) {
  return build(input, [&] { return requestHeaderLine(MessageSet::Status869, input.moment, table); });
}

}  // namespace velta
