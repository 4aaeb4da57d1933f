#include "link/OrderRequest.h"

#include <cstdio>
#include <unordered_map>


namespace velta {

namespace {

std::string firstCharacter(const std::string& entry) { return entry.substr(0, 1); }

// "yymmdd".
std::string shipDateField(Date date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d", yearOf(date) % 100, monthOf(date), dayOf(date));
  return text;
}

template <typename HeaderLine>
OutgoingRequest build(const OrderRequestInput& input, const LineCodeMap& lineCodes, HeaderLine headerLine) {
  const std::string account = trimBlanks(input.dealerAccount);
  const std::string poNumber = trimBlanks(input.poNumber);
  const std::string shipMethod = firstCharacter(input.shipMethod);
  const std::string backOrderCode = firstCharacter(input.backOrderCode);
  const std::string backOrderShip = firstCharacter(input.backOrderShipMethod);
  refuseSeparators(account, "the dealer account");
  refuseSeparators(poNumber, "the PO number");
  refuseSeparators(shipMethod, "the ship method code");
  refuseSeparators(backOrderCode, "the back-order code");
  refuseSeparators(backOrderShip, "the back-order ship method code");

  std::string message = headerLine();
  message += "01|" + account + '|' + poNumber + "|||";
  if (input.requestedShipDate != input.today) message += shipDateField(input.requestedShipDate);
  message += '|' + shipMethod + '|' + (input.resale ? "Y" : "") + '|' + backOrderCode + '|' + backOrderShip + '\n';

  // An order repeats its line codes from line to line: each is mapped once.
  std::unordered_map<std::string, std::string> mapped;
  message.reserve(message.size() + input.lines.size() * 24);
  for (std::size_t i = 0; i < input.lines.size(); ++i) {
    const OrderLine& line = input.lines[i];
    const std::size_t row = i + 1;  // row 0 of the grid is its heading
    const auto [known, isNew] = mapped.try_emplace(line.lineCode);
    if (isNew) known->second = distributorLineCode(lineCodes, line.lineCode);
    const std::string& lineCode = known->second;
    const std::string part = trimBlanks(line.part);
    const std::string quantity = trimBlanks(line.quantity);
    refuseSeparators(lineCode, "the line code", row);
    refuseSeparators(part, "the part number", row);
    refuseSeparators(quantity, "the quantity", row);
    message.append("05|").append(lineCode).append(1, '|').append(part).append(1, '|').append(quantity).append(1, '\n');
  }
  OutgoingRequest request;
  request.lengthLine = lengthLine(message);
  request.message = std::move(message);
  return request;
}

}  // namespace

OutgoingRequest buildOrderRequest(const OrderRequestInput& input, const LineCodeMap& lineCodes) {
  return build(input, lineCodes, [&] { return requestHeaderLine(MessageSet::Order850, input.moment); });
}

OutgoingRequest buildOrderRequest(const OrderRequestInput& input, const LineCodeMap& lineCodes,
                                  const TokenTable& table) {
  return build(input, lineCodes, [&] { return requestHeaderLine(MessageSet::Order850, input.moment, table); });
}

}  // namespace velta
