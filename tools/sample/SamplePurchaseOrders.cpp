#include "tools/sample/SamplePurchaseOrders.h"

#include <algorithm>

namespace velta::sample {
namespace {

constexpr int32_t kDistributor = 1207;
constexpr int32_t kSecondNetwork = 3300;  // a network vendor whose ports are left 0
constexpr int32_t kChemicals = 4180;      // carries line 103, whose first part is 12345678
constexpr int32_t kBrakes = 2040;
constexpr int32_t kUnknownVendor = 4321;  // not in the vendor file
constexpr int32_t kChemicalLine = 103;
constexpr int kStockOrderLines = 500;

Date day(int y, unsigned m, unsigned d) { return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}}; }

SamplePoLine partLine(const SamplePart& part, int32_t quantity, int32_t costCents) {
  return {.kind = PoLineKind::Part,
          .line = part.line,
          .partNumber = part.number,
          .quantity = quantity,
          .costCents = costCents,
          .partCostCents = part.costCents};
}

SamplePoLine comment(std::string text) { return {.kind = PoLineKind::Comment, .partNumber = std::move(text)}; }

// The first part of a product line: parts lie in line order.
SamplePart firstPartOf(const PartCatalog& parts, int32_t line) {
  int64_t low = 0, high = parts.count();
  while (low < high) {
    const int64_t mid = low + (high - low) / 2;
    if (parts.part(mid).line < line) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return parts.part(low);
}

}  // namespace

std::vector<SamplePurchaseOrder> samplePurchaseOrders(const PartCatalog& parts) {
  const int64_t n = parts.count();
  auto p = [&](int64_t i) { return parts.part(i); };
  std::vector<SamplePurchaseOrder> out;

  SamplePurchaseOrder open;
  open.name = "100231";
  open.vendor = kDistributor;
  open.statusFlags = 0x02;  // printed, not yet transmitted
  open.orderDate = day(2024, 5, 14);
  open.buyer = "JDS";
  open.comments = {"PLEASE SHIP COMPLETE", "CALL BEFORE DELIVERY, DOCK 3", "", "REF. 2024/117"};
  open.lines = {partLine(p(0), 12, p(0).costCents),
                comment("RUSH, CUSTOMER WAITING"),
                partLine(p(n / 3), 2, 0),
                partLine(p(n / 2), 1, 4599),
                partLine(p(n - 1), 24, std::max(1, p(n - 1).costCents - 10)),
                partLine(p(7), 5, 5)};
  out.push_back(open);

  SamplePurchaseOrder sent;
  sent.name = "100232";
  sent.vendor = kDistributor;
  sent.statusFlags = 0x82;  // printed and transmitted
  sent.orderDate = day(2024, 5, 2);
  sent.buyer = "MKL";
  sent.comments = {"STOCK ORDER, WEEK 18", "", "", ""};
  sent.lines = {partLine(p(n / 5), 4, p(n / 5).costCents), partLine(p(2 * n / 3), 10, p(2 * n / 3).costCents)};
  out.push_back(sent);

  // The parts that are not on file come first, so that a load that fails at
  // the first part found has rows to keep.
  SamplePurchaseOrder missing;
  missing.name = "100233";
  missing.vendor = kDistributor;
  missing.orderDate = day(2024, 5, 20);
  missing.buyer = "JDS";
  missing.comments = {"TWO PARTS NOT YET IN OUR FILE", "FREIGHT PREPAID", "", ""};
  missing.lines = {{.line = 12, .partNumber = "ZZ9999", .quantity = 2, .costCents = 1250, .inPartFile = false},
                   {.line = 40, .partNumber = "QX0001", .quantity = 1, .costCents = 0, .inPartFile = false},
                   {.kind = PoLineKind::Freight, .partNumber = "FREIGHT", .quantity = 1, .costCents = 1500},
                   partLine(p(n / 4), 3, p(n / 4).costCents),
                   partLine(p(n / 6), 6, 0)};
  out.push_back(missing);

  SamplePurchaseOrder drop;
  drop.name = "100234";
  drop.vendor = kSecondNetwork;
  drop.dropShip = 58812;
  drop.orderDate = day(2024, 6, 3);
  drop.buyer = "AR";
  drop.comments = {"DROP SHIP TO CUSTOMER 58812", "ATTN. SERVICE DEPT.", "", ""};
  drop.lines = {partLine(p(n / 8), 1, p(n / 8).costCents)};
  out.push_back(drop);

  SamplePurchaseOrder unknown;
  unknown.name = "100235";
  unknown.vendor = kUnknownVendor;
  unknown.orderDate = day(2024, 6, 4);
  unknown.buyer = "AR";
  unknown.lines = {partLine(p(n / 7), 2, p(n / 7).costCents)};
  out.push_back(unknown);

  SamplePurchaseOrder large;
  large.name = "100236";
  large.vendor = kChemicals;
  large.orderDate = day(2024, 6, 10);
  large.buyer = "MKL";
  large.comments = {"SEASON STOCK, BRAKE FLUID", "", "", ""};
  large.lines = {partLine(firstPartOf(parts, kChemicalLine), 127, 9721)};
  out.push_back(large);

  SamplePurchaseOrder returned;
  returned.name = "100237";
  returned.vendor = kBrakes;
  returned.orderDate = day(2024, 6, 11);
  returned.buyer = "JDS";
  returned.comments = {"RETURN OF OVERSTOCK", "CREDIT TO ACCOUNT", "", ""};
  returned.lines = {partLine(p(n / 3 + 1), -1, 5), partLine(p(n / 3 + 2), -2, 625)};
  out.push_back(returned);

  SamplePurchaseOrder notes;
  notes.name = "100238";
  notes.vendor = kDistributor;
  notes.orderDate = day(2024, 6, 12);
  notes.buyer = "AR";
  notes.comments = {"PARTS TO FOLLOW", "", "", ""};
  notes.lines = {comment("LINES TO BE ADDED BY PHONE")};
  out.push_back(notes);

  // A season's stock order: parts from all over the catalog, as many lines as
  // a large dealer sends at once.
  SamplePurchaseOrder stock;
  stock.name = "100239";
  stock.vendor = kDistributor;
  stock.orderDate = day(2024, 6, 14);
  stock.buyer = "MKL";
  stock.comments = {"SEASON STOCK ORDER", "SHIP WHAT IS AVAILABLE", "", ""};
  for (int i = 0; i < kStockOrderLines; ++i) {
    const SamplePart part = p((static_cast<int64_t>(i) * 7919) % n);
    stock.lines.push_back(partLine(part, 1 + i % 24, part.costCents));
  }
  out.push_back(stock);
  return out;
}

}  // namespace velta::sample
