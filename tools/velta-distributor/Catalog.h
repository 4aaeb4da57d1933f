// What the simulated distributor sells and to whom: its warehouses, the
// dealers' accounts, and its parts by line code, each part with its prices,
// its stock in each warehouse and when more arrives. Read from a JSON file
// (CatalogFile.h); read-only while the simulator runs.
//
//   const CatalogLine* line = catalog.line("fil ");          // blanks and case do not matter
//   const CatalogPart* part = line ? line->part("ph-3614") : nullptr;   // nor dashes
//   if (part) for (const Stock& s : part->stock) catalog.warehouses[s.warehouse].name;
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {

struct Warehouse {
  std::string code;  // "01"
  std::string name;  // "FORT WAYNE, IN": the location answers name
};

struct Stock {
  std::size_t warehouse = 0;  // index into Catalog::warehouses
  std::int64_t quantity = 0;
};

struct CatalogPart {
  std::string number;  // as the distributor spells it
  std::string description;
  std::int64_t retailCents = 0, costCents = 0, coreCents = 0;
  std::int64_t pack = 1;     // standard package quantity
  std::string unit = "EA";   // unit of measure
  std::vector<Stock> stock;  // in the order of Catalog::warehouses
  // When more arrives: a fixed date, or a number of days from the day asked.
  std::optional<Date> available;
  std::optional<int> availableInDays;
  bool factoryBackOrder = false;

  // The date more arrives, seen from `today`; none when the catalog does not say.
  std::optional<Date> availableFrom(Date today) const;
  std::int64_t totalStock() const;
};

// How part numbers are compared: upper case, without blanks and dashes.
std::string partKey(std::string_view number);
// How line codes are compared: upper case, without blanks at either end.
std::string lineKey(std::string_view code);

struct CatalogLine {
  std::string code;  // the distributor's line code
  std::string name;
  std::vector<CatalogPart> parts;
  std::map<std::string, std::size_t, std::less<>> byKey;  // partKey -> index into parts

  const CatalogPart* part(std::string_view number) const;
};

struct Account {
  std::string account;  // as the dealer sends it
  std::string name;
  std::string billTo;   // the account invoices go to; the account itself unless given
  std::string orderStatusCode = "1000";
  std::string orderStatusMessage = "ORDER ACCEPTED";
};

struct Catalog {
  std::string distributor;  // its name, for the log
  std::vector<Warehouse> warehouses;
  std::vector<Account> accounts;
  std::vector<CatalogLine> lines;

  const CatalogLine* line(std::string_view code) const;
  // The account of that number (blanks at either end do not count), or none.
  const Account* account(std::string_view number) const;
  std::size_t partCount() const;
};

}  // namespace velta::distributor
