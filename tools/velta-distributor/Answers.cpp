#include "tools/velta-distributor/Answers.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "link/CheckToken.h"
#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {

namespace {

constexpr char kDefaultShipMethod = 'C';  // small package ground
constexpr std::size_t kMalformedException = 3;
constexpr std::size_t kMalformedSummary = 4;
constexpr std::size_t kMalformedStatusHeader = 5;
constexpr std::size_t kMalformedDetail = 24;

// One record: the fields joined by "|", LF; with `keep`, only the first `keep` fields.
std::string record(std::initializer_list<std::string_view> fields, std::size_t keep = SIZE_MAX) {
  std::string text;
  std::size_t n = 0;
  for (std::string_view f : fields) {
    if (n == keep) break;
    if (n++ > 0) text += '|';
    text += f;
  }
  text += '\n';
  return text;
}

std::string number(std::int64_t n) { return std::to_string(n); }

std::string_view statusCodeText(std::string_view code) {
  if (code == "00") return "AVAILABLE";
  if (code == "01") return "PARTIAL QUANTITY";
  if (code == "02") return "NOT IN STOCK";
  if (code == "03") return "PART NOT FOUND";
  return "LINE CODE NOT FOUND";
}

}  // namespace

std::string answerHeader(std::string_view set, MessageSet requestSet, const AnswerSetting& setting) {
  const RequestMoment& now = setting.now;
  return record({"00", "//VELTA//" + std::string(set), "", "", kSenderName, kSenderCode, now.time, now.date, "",
                 channelOf(requestSet), "", "", "", "", "", "", makeToken(now.date, now.time, *setting.table)});
}

std::string exceptionAnswer(MessageSet set, const RequestContext& context, const Rejection& rejection,
                            const AnswerSetting& setting) {
  const std::string date = context.date.empty() ? setting.now.date : context.date;
  return answerHeader("EXR", set, setting) +
         record({"01", context.account, context.number, date, number(rejection.code), rejection.message},
                setting.malformed ? kMalformedException : SIZE_MAX);
}

std::string acknowledgementAnswer(const RememberedOrder& order, const Account& account, const AnswerSetting& setting) {
  std::string text = answerHeader("855", MessageSet::Order850, setting);
  text += record({"01", order.account, order.po, std::string(1, order.backOrderCode), order.orderNumber, order.poDate,
                  account.orderStatusCode, account.orderStatusMessage},
                 setting.malformed ? kMalformedSummary : SIZE_MAX);
  for (const FilledLine& l : order.lines) {
    const std::string location = l.shipments.empty() ? "" : l.shipments.front().warehouseName;
    const std::string cost = l.part.empty() ? "" : formatMoney(l.costCents);
    text += record({"05", l.line, l.part, number(l.quantity), number(l.shipped()), number(l.backOrdered),
                    l.lineOrdered, l.partOrdered, cost, l.description, l.reason, l.backOrderCode, l.available,
                    location});
  }
  return text;
}

std::pair<std::string, std::string> orderStatus(const RememberedOrder& order) {
  std::int64_t ordered = 0, shipped = 0, backOrdered = 0;
  for (const FilledLine& l : order.lines) {
    ordered += l.quantity;
    shipped += l.shipped();
    backOrdered += l.backOrdered;
  }
  if (shipped == ordered) return {"01", "SHIPPED COMPLETE"};
  if (shipped > 0 && backOrdered > 0) return {"02", "PARTIALLY SHIPPED, BALANCE BACK-ORDERED"};
  if (backOrdered > 0) return {"03", "BACK-ORDERED"};
  if (shipped == 0) return {"04", "NOTHING SHIPPED"};
  return {"05", "SHIPPED, BALANCE CANCELLED"};
}

std::string trackingNumber(const RememberedOrder& order, std::size_t line, const Shipment& shipment) {
  std::string index = std::to_string(line + 1);
  if (index.size() < 4) index.insert(0, 4 - index.size(), '0');
  return "1ZVD" + order.orderNumber + index + shipment.warehouseCode;
}

std::string statusAnswer(const RememberedOrder& order, const Account& account, const AnswerSetting& setting) {
  const auto [code, message] = orderStatus(order);
  std::string text = answerHeader("870", MessageSet::Status869, setting);
  text += setting.malformed ? record({"01"}) : record({"01", order.account, "", order.po});
  text += record({"02", order.account, order.orderNumber, order.po, order.poDate, code, message, account.billTo},
                 setting.malformed ? kMalformedStatusHeader : SIZE_MAX);
  const std::string shipMethod(1, order.shipMethod == ' ' ? kDefaultShipMethod : order.shipMethod);
  for (std::size_t i = 0; i < order.lines.size(); ++i) {
    const FilledLine& l = order.lines[i];
    text += record({"05", l.line, l.part, l.lineOrdered, l.partOrdered, l.description, number(l.quantity),
                    number(l.shipped()), number(l.backOrdered), l.available});
    for (const Shipment& s : l.shipments) {
      text += record({"11", number(s.quantity), order.orderNumber + "-" + s.warehouseCode, order.received, shipMethod,
                      trackingNumber(order, i, s), "SHIPPED", "IN TRANSIT", s.warehouseName, s.warehouseCode});
    }
  }
  return text;
}

InquiryAnswer inquiryAnswer(const InquiryRequest& request, const Catalog& catalog, const std::string& inquiryNumber,
                            const AnswerSetting& setting) {
  const RequestMoment& now = setting.now;
  const Date today = *parseCompactDate(now.date);
  InquiryAnswer answer;
  answer.message = answerHeader("846", MessageSet::Inquiry846, setting);
  answer.message += setting.malformed ? record({"01"}) : record({"01", request.account, inquiryNumber, now.date});

  auto detail = [&](std::size_t index, const InquiryPart& asked, std::string_view line, const CatalogPart* part,
                    const Warehouse* warehouse, std::int64_t there, std::string_view code) {
    const bool first = answer.detailLines++ == 0;
    const std::string_view reason = code == "00" ? "" : code == "01" ? "S" : code == "02" ? "B" : code == "03" ? "P" : "L";
    std::string available;
    if (part) {
      const std::int64_t wanted = std::max<std::int64_t>(1, wholeNumber(asked.quantity, kMaxQuantity).value_or(1));
      if (there >= wanted) {
        available = now.date;
      } else if (auto date = part->availableFrom(today)) {
        available = compactDate(*date);
      }
    }
    answer.message += record(
        {"05", line, part ? part->number : "", asked.quantity, asked.line, asked.part,
         warehouse ? warehouse->code : "", number(there), part ? formatMoney(part->retailCents) : "",
         part ? formatMoney(part->costCents) : "", part ? formatMoney(part->coreCents) : "",
         part ? number(part->pack) : "", part ? part->unit : "", part ? part->description : "", reason,
         part ? (part->factoryBackOrder ? "Y" : "N") : "", available, warehouse ? warehouse->name : "", now.date,
         now.time, request.account, inquiryNumber, number(static_cast<std::int64_t>(index + 1)), code,
         statusCodeText(code)},
        setting.malformed && first ? kMalformedDetail : SIZE_MAX);
  };

  for (std::size_t i = 0; i < request.parts.size(); ++i) {
    const InquiryPart& asked = request.parts[i];
    const CatalogLine* line = catalog.line(asked.line);
    if (!line) {
      detail(i, asked, "", nullptr, nullptr, 0, "04");
      continue;
    }
    const CatalogPart* part = line->part(asked.part);
    if (!part) {
      detail(i, asked, line->code, nullptr, nullptr, 0, "03");
      continue;
    }
    const std::int64_t wanted = std::max<std::int64_t>(1, wholeNumber(asked.quantity, kMaxQuantity).value_or(1));
    bool any = false;
    for (const Stock& s : part->stock) {
      if (s.quantity == 0) continue;
      any = true;
      detail(i, asked, line->code, part, &catalog.warehouses[s.warehouse], s.quantity, s.quantity >= wanted ? "00" : "01");
    }
    if (!any) detail(i, asked, line->code, part, &catalog.warehouses.front(), 0, "02");
  }
  return answer;
}

}  // namespace velta::distributor
