#include "tools/velta-distributor/RequestCheck.h"

#include "link/CheckToken.h"
#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {

namespace {

using Fields = std::vector<std::string_view>;

constexpr std::size_t kHeaderFields = 17;
constexpr std::size_t kOrderRecordFields = 10;
constexpr std::size_t kStatusRecordFields = 4;
constexpr std::size_t kInquiryRecordFields = 2;
constexpr std::size_t kLineRecordFields = 4;
constexpr std::string_view kSender = "H-BRONTEK";
constexpr std::string_view kSenderCode = "8153";
constexpr std::string_view kShipMethods = " ABCDEFGHIJK";
constexpr std::string_view kBackOrderCodes = " 01234567";

struct Refusal {
  Rejection rejection;
};

[[noreturn]] void refuse(int code, std::string message) { throw Refusal{{code, std::move(message)}}; }

std::string lineName(std::size_t index) { return "line " + std::to_string(index + 1); }

// The records of the message, without their LFs.
std::vector<std::string_view> recordsOf(std::string_view message) {
  if (message.empty() || message.back() != '\n') {
    refuse(rejected::RecordSyntax, "the request does not end with LF: its last record is not complete");
  }
  std::vector<std::string_view> records;
  std::size_t from = 0;
  while (from < message.size()) {
    const std::size_t lf = message.find('\n', from);
    if (lf == from) refuse(rejected::RecordSyntax, lineName(records.size()) + " of the request is empty");
    records.push_back(message.substr(from, lf - from));
    from = lf + 1;
  }
  return records;
}

std::optional<MessageSet> setNamed(std::string_view name) {
  for (MessageSet set : {MessageSet::Order850, MessageSet::Status869, MessageSet::Inquiry846}) {
    if (name == setName(set)) return set;
  }
  return std::nullopt;
}

std::string_view portName(MessageSet set) {
  switch (set) {
    case MessageSet::Order850: return "order";
    case MessageSet::Status869: return "status";
    case MessageSet::Inquiry846: return "inquiry";
  }
  return {};
}

void checkHeader(const Fields& f, MessageSet expected, const TokenTable& table, RequestContext& context) {
  if (f.size() != kHeaderFields) {
    refuse(rejected::HeaderShape,
           "the header (line 1) has " + std::to_string(f.size()) + " fields, not " + std::to_string(kHeaderFields));
  }
  if (f[0] != "00") refuse(rejected::HeaderShape, "line 1 begins " + shown(f[0]) + ", not the header's \"00\"");
  if (f[1] != setName(expected)) {
    const auto named = setNamed(f[1]);
    refuse(rejected::MessageSet, "the header names the message set " + shown(f[1]) + "; the " +
                                     std::string(portName(expected)) + " port takes \"" + setName(expected) + "\"" +
                                     (named ? ", the " + std::string(portName(*named)) + " port that one" : ""));
  }
  for (std::size_t empty : {2, 3, 8, 10, 11, 12, 13, 14, 15}) {
    if (!f[empty].empty()) {
      refuse(rejected::HeaderShape, "header field " + std::to_string(empty) + " is " + shown(f[empty]) + ", not empty");
    }
  }
  if (f[4] != kSender) {
    refuse(rejected::Sender, "the sender (header field 4) is " + shown(f[4]) + ", not \"" + std::string(kSender) + "\"");
  }
  if (f[5] != kSenderCode) {
    refuse(rejected::Sender,
           "the sender code (header field 5) is " + shown(f[5]) + ", not \"" + std::string(kSenderCode) + "\"");
  }
  if (tokenInputProblem("20000101", f[6])) {
    refuse(rejected::TimeOrDate, "header field 6: " + shown(f[6]) + " is not a time hh:mm:ss");
  }
  if (!parseCompactDate(f[7])) {
    refuse(rejected::TimeOrDate, "header field 7: " + shown(f[7]) + " is not a date yyyymmdd");
  }
  context.date = std::string(f[7]);
  if (f[9] != channelOf(expected)) {
    refuse(rejected::Channel, "the channel (header field 9) is " + shown(f[9]) + "; \"" + setName(expected) +
                                  "\" comes on \"" + std::string(channelOf(expected)) + "\"");
  }
  if (f[16] != makeToken(f[7], f[6], table)) {
    refuse(rejected::CheckToken, "the check token " + shown(f[16]) + " does not belong to the header's date " +
                                     std::string(f[7]) + " and time " + std::string(f[6]));
  }
}

Fields recordOfType(std::string_view record, std::size_t index, std::string_view type, std::string_view what,
                    std::size_t fieldCount) {
  Fields f = splitFields(record);
  if (f[0] != type) {
    refuse(rejected::RecordLayout, lineName(index) + " is of type " + shown(f[0]) + ", not " + std::string(what) +
                                       " \"" + std::string(type) + "\"");
  }
  if (f.size() != fieldCount) {
    refuse(rejected::RecordLayout, lineName(index) + " (" + std::string(what) + " \"" + std::string(type) + "\") has " +
                                       std::to_string(f.size()) + " fields, not " + std::to_string(fieldCount));
  }
  return f;
}

bool hasControl(std::string_view value) {
  for (char c : value) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) return true;
  }
  return false;
}

// A value the distributor keeps and shows again: not empty, no control characters.
std::string required(std::string_view value, std::size_t index, std::string_view what) {
  const std::string_view trimmed = trimBlanks(value);
  if (trimmed.empty()) refuse(rejected::FieldValue, lineName(index) + ": the " + std::string(what) + " is empty");
  if (hasControl(value)) {
    refuse(rejected::FieldValue,
           lineName(index) + ": the " + std::string(what) + " " + shown(value) + " holds a control character");
  }
  return std::string(trimmed);
}

char oneOf(std::string_view value, std::string_view allowed, std::size_t index, std::string_view what) {
  if (value.size() != 1 || allowed.find(value[0]) == std::string_view::npos) {
    refuse(rejected::FieldValue, lineName(index) + ": the " + std::string(what) + " " + shown(value) +
                                     " is not one of \"" + std::string(allowed) + "\"");
  }
  return value[0];
}

std::string quantityProblem(std::size_t index, std::string_view value, std::string_view range) {
  return lineName(index) + ": the quantity " + shown(value) + " is not a whole number from " + std::string(range);
}

OrderRequest orderRequest(const std::vector<std::string_view>& records) {
  OrderRequest order;
  const Fields f = recordOfType(records[1], 1, "01", "the order record", kOrderRecordFields);
  order.account = required(f[1], 1, "account");
  order.po = required(f[2], 1, "purchase-order number");
  if (!f[5].empty()) {
    const bool digits = f[5].size() == 6 && wholeNumber(f[5], 999999).has_value();
    if (!digits || !parseCompactDate("20" + std::string(f[5]))) {
      refuse(rejected::FieldValue, "line 2: the requested ship date " + shown(f[5]) + " is not a date yymmdd");
    }
    order.shipDate = std::string(f[5]);
  }
  order.shipMethod = oneOf(f[6], kShipMethods, 1, "ship method");
  if (!f[7].empty() && f[7] != "Y") {
    refuse(rejected::FieldValue, "line 2: the resale flag " + shown(f[7]) + " is neither \"Y\" nor empty");
  }
  order.resale = f[7] == "Y";
  order.backOrderCode = oneOf(f[8], kBackOrderCodes, 1, "back-order code");
  order.backOrderShip = oneOf(f[9], kShipMethods, 1, "back-order ship method");

  if (records.size() == 2) refuse(rejected::FieldValue, "the order has no line records \"05\"");
  if (records.size() - 2 > kMaxOrderLines) {
    refuse(rejected::FieldValue, "the order has " + std::to_string(records.size() - 2) + " lines; at most " +
                                     std::to_string(kMaxOrderLines) + " are taken");
  }
  for (std::size_t i = 2; i < records.size(); ++i) {
    const Fields l = recordOfType(records[i], i, "05", "a line record", kLineRecordFields);
    OrderLine line{std::string(l[1]), std::string(l[2]), 0};
    required(l[1], i, "line code");
    required(l[2], i, "part number");
    const auto quantity = wholeNumber(trimBlanks(l[3]), kMaxQuantity);
    if (!quantity || *quantity == 0) refuse(rejected::FieldValue, quantityProblem(i, l[3], "1 to 999999"));
    line.quantity = *quantity;
    order.lines.push_back(std::move(line));
  }
  return order;
}

StatusRequest statusRequest(const std::vector<std::string_view>& records) {
  if (records.size() != 2) {
    refuse(rejected::RecordLayout,
           "a status request has 2 lines, the header and \"01\"; this one has " + std::to_string(records.size()));
  }
  const Fields f = recordOfType(records[1], 1, "01", "the order record", kStatusRecordFields);
  return {required(f[1], 1, "account"), required(f[3], 1, "purchase-order number")};
}

InquiryRequest inquiryRequest(const std::vector<std::string_view>& records) {
  InquiryRequest inquiry;
  const Fields f = recordOfType(records[1], 1, "01", "the account record", kInquiryRecordFields);
  inquiry.account = required(f[1], 1, "account");
  if (records.size() == 2) refuse(rejected::FieldValue, "the inquiry has no part lines \"05\"");
  if (records.size() - 2 > kMaxInquiryParts) {
    refuse(rejected::FieldValue, "the inquiry has " + std::to_string(records.size() - 2) + " part lines; at most " +
                                     std::to_string(kMaxInquiryParts) + " are answered");
  }
  for (std::size_t i = 2; i < records.size(); ++i) {
    const Fields l = recordOfType(records[i], i, "05", "a part line", kLineRecordFields);
    required(l[1], i, "line code");
    required(l[2], i, "part number");
    const std::string_view quantity = trimBlanks(l[3]);
    if (!quantity.empty() && !wholeNumber(quantity, kMaxQuantity)) {
      refuse(rejected::FieldValue, quantityProblem(i, l[3], "0 to 999999, or empty"));
    }
    inquiry.parts.push_back({std::string(l[1]), std::string(l[2]), std::string(quantity)});
  }
  return inquiry;
}

// The account and number of line 2 as far as they can be read, for an exception answer.
RequestContext contextOf(MessageSet set, const std::vector<std::string_view>& records) {
  RequestContext context;
  if (records.size() < 2) return context;
  const Fields f = splitFields(records[1]);
  auto take = [&](std::size_t i) { return i < f.size() && fieldSafe(f[i]) ? std::string(trimBlanks(f[i])) : ""; };
  context.account = take(1);
  if (set == MessageSet::Order850) context.number = take(2);
  if (set == MessageSet::Status869) context.number = take(3);
  return context;
}

}  // namespace

std::string_view setNumber(MessageSet set) {
  switch (set) {
    case MessageSet::Order850: return "850";
    case MessageSet::Status869: return "869";
    case MessageSet::Inquiry846: return "846";
  }
  return {};
}

std::string setName(MessageSet set) { return "//VELTA//" + std::string(setNumber(set)); }

std::string_view channelOf(MessageSet set) { return set == MessageSet::Order850 ? "BMS" : "WEB"; }

CheckOutcome checkRequest(MessageSet expected, std::string_view message, const TokenTable& table) {
  CheckOutcome outcome;
  try {
    const std::vector<std::string_view> records = recordsOf(message);
    outcome.context = contextOf(expected, records);
    const Fields header = splitFields(records[0]);
    checkHeader(header, expected, table, outcome.context);
    if (records.size() < 2) {
      refuse(rejected::RecordLayout, "the request has only its header; line 2 \"01\" is missing");
    }
    CheckedRequest request{expected, std::string(header[7]), std::string(header[6]), {}};
    switch (expected) {
      case MessageSet::Order850: request.body = orderRequest(records); break;
      case MessageSet::Status869: request.body = statusRequest(records); break;
      case MessageSet::Inquiry846: request.body = inquiryRequest(records); break;
    }
    outcome.request = std::move(request);
  } catch (const Refusal& refusal) {
    outcome.rejection = refusal.rejection;
  }
  return outcome;
}

}  // namespace velta::distributor
