// An order the simulator accepted, as it was filled: what it answered in the
// acknowledgement, and what a later status request reports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velta::distributor {

struct Shipment {
  std::string warehouseCode, warehouseName;
  std::int64_t quantity = 0;

  friend bool operator==(const Shipment&, const Shipment&) = default;
};

struct FilledLine {
  std::string lineOrdered, partOrdered;  // as the dealer sent them
  std::int64_t quantity = 0;
  std::string line, part;                // the distributor's; empty when it does not know them
  std::string description;
  std::int64_t costCents = 0;
  std::string backOrderCode;             // the code the line was handled by; empty when unknown
  std::vector<Shipment> shipments;       // one per warehouse that shipped
  std::int64_t backOrdered = 0;
  std::string reason;                    // alternate-shipment reason, or empty
  std::string available;                 // yyyymmdd of the back-ordered quantity, or empty

  std::int64_t shipped() const {
    std::int64_t n = 0;
    for (const Shipment& s : shipments) n += s.quantity;
    return n;
  }

  friend bool operator==(const FilledLine&, const FilledLine&) = default;
};

struct RememberedOrder {
  std::string account, po;
  std::string orderNumber;  // the distributor's
  std::string poDate;       // yyyymmdd: the request's date
  std::string received;     // yyyymmdd: the simulator's date of acceptance, also the ship date
  char shipMethod = ' ', backOrderCode = ' ', backOrderShip = ' ';
  bool resale = false;
  std::string shipDate;     // yymmdd as requested, or empty
  std::vector<FilledLine> lines;

  std::int64_t shipmentCount() const {
    std::int64_t n = 0;
    for (const FilledLine& l : lines) n += static_cast<std::int64_t>(l.shipments.size());
    return n;
  }

  friend bool operator==(const RememberedOrder&, const RememberedOrder&) = default;
};

}  // namespace velta::distributor
