#include "tools/velta-distributor/OrderFilling.h"

#include <algorithm>

namespace velta::distributor {

namespace {

char effectiveCode(char backOrderCode) { return backOrderCode == ' ' ? '1' : backOrderCode; }
bool fromAnyWarehouse(char code) { return code == '2' || code == '3' || code == '4' || code == '7'; }
bool cancelsBalance(char code) { return code == '0' || code == '4'; }
bool shipsComplete(char code) { return code == '5' || code == '6'; }

std::int64_t stockAt(const CatalogPart& part, std::size_t warehouse) {
  for (const Stock& s : part.stock) {
    if (s.warehouse == warehouse) return s.quantity;
  }
  return 0;
}

void addReason(FilledLine& line, std::string_view reason) {
  if (!line.reason.empty()) line.reason += ", ";
  line.reason += reason;
}

FilledLine fillLine(const OrderLine& ordered, char code, bool holdAll, const Catalog& catalog, Date today) {
  FilledLine line;
  line.lineOrdered = ordered.line;
  line.partOrdered = ordered.part;
  line.quantity = ordered.quantity;
  const CatalogLine* catalogLine = catalog.line(ordered.line);
  if (!catalogLine) {
    line.reason = kLineUnknown;
    return line;
  }
  line.line = catalogLine->code;
  const CatalogPart* part = catalogLine->part(ordered.part);
  if (!part) {
    line.reason = kPartUnknown;
    return line;
  }
  line.part = part->number;
  line.description = part->description;
  line.costCents = part->costCents;
  line.backOrderCode = std::string(1, code);

  std::int64_t wanted = holdAll ? 0 : ordered.quantity;
  const std::size_t warehouses = fromAnyWarehouse(code) ? catalog.warehouses.size() : 1;
  bool alternate = false;
  for (std::size_t w = 0; w < warehouses && wanted > 0; ++w) {
    const std::int64_t taken = std::min(wanted, stockAt(*part, w));
    if (taken == 0) continue;
    line.shipments.push_back({catalog.warehouses[w].code, catalog.warehouses[w].name, taken});
    alternate = alternate || w > 0;
    wanted -= taken;
  }
  if (alternate) addReason(line, kAlternateWarehouse);
  const std::int64_t balance = ordered.quantity - line.shipped();
  if (balance == 0) return line;
  if (holdAll) addReason(line, kHeldComplete);
  if (cancelsBalance(code)) {
    addReason(line, kBalanceCancelled);
    return line;
  }
  line.backOrdered = balance;
  if (auto date = part->availableFrom(today)) line.available = compactDate(*date);
  return line;
}

// Whether every line the distributor knows can ship complete from the first warehouse.
bool everyLineComplete(const OrderRequest& request, const Catalog& catalog) {
  return std::all_of(request.lines.begin(), request.lines.end(), [&](const OrderLine& ordered) {
    const CatalogLine* line = catalog.line(ordered.line);
    const CatalogPart* part = line ? line->part(ordered.part) : nullptr;
    return !part || stockAt(*part, 0) >= ordered.quantity;
  });
}

}  // namespace

RememberedOrder fillOrder(const OrderRequest& request, const std::string& poDate, const Catalog& catalog, Date today,
                          const std::string& orderNumber) {
  RememberedOrder order;
  order.account = request.account;
  order.po = request.po;
  order.orderNumber = orderNumber;
  order.poDate = poDate;
  order.received = compactDate(today);
  order.shipMethod = request.shipMethod;
  order.backOrderCode = request.backOrderCode;
  order.backOrderShip = request.backOrderShip;
  order.resale = request.resale;
  order.shipDate = request.shipDate;
  const char code = effectiveCode(request.backOrderCode);
  const bool holdAll = shipsComplete(code) && !everyLineComplete(request, catalog);
  for (const OrderLine& ordered : request.lines) order.lines.push_back(fillLine(ordered, code, holdAll, catalog, today));
  return order;
}

}  // namespace velta::distributor
