// The orders the simulator accepted in this run, and optionally in earlier
// runs: kept in a JSON state file that is rewritten whole after every accepted
// order (a temporary file beside it, flushed to disk, then renamed over it, so
// a crash leaves the old or the new file, never half of one).
//
//   OrderBook book("state.json");          // StateError when the file is not a state file
//   if (auto why = book.add(order)) ...    // not recorded: why
//   const RememberedOrder* o = book.find("104233", "100231");
//
// The state file:
//
//   {"nextOrderNumber": 700002,
//    "orders": [{"account": "104233", "po": "100231", "orderNumber": "700001",
//                "poDate": "20240603", "received": "20240603",
//                "shipMethod": " ", "backOrderCode": " ", "backOrderShip": " ",
//                "resale": false, "shipDate": "",
//                "lines": [{"lineOrdered": "FIL", "partOrdered": "1A0007", "quantity": 12,
//                           "line": "FIL", "part": "1A0007", "description": "OIL FILTER",
//                           "cost": "7.12", "backOrderCode": "1",
//                           "shipments": [{"warehouse": "01", "name": "FORT WAYNE, IN",
//                                          "quantity": 12}],
//                           "backOrdered": 0, "reason": "", "available": ""}]}]}
//
// Every key is required. Texts are UTF-8 of the Latin-1 bytes the requests
// carried. Orders are bounded (kMaxOrders, kMaxLines) so that no client can
// make the simulator hold more without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/velta-distributor/RememberedOrder.h"

namespace velta::distributor {

struct StateError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class OrderBook {
 public:
  static constexpr std::size_t kMaxOrders = 10000;
  static constexpr std::size_t kMaxLines = 1'000'000;  // over all orders
  static constexpr std::int64_t kFirstOrderNumber = 700001;

  // Without a state file: for this run only.
  OrderBook() = default;
  // Loads `stateFile` when it exists (StateError when it cannot be read or is
  // not a state file); every accepted order is written to it.
  explicit OrderBook(std::filesystem::path stateFile);

  const RememberedOrder* find(std::string_view account, std::string_view po) const;
  // The distributor's number for the next order.
  std::string nextOrderNumber() const { return std::to_string(next_); }
  // Why an order of `lines` lines cannot be taken, or none.
  std::optional<std::string> noRoomFor(std::size_t lines) const;
  // Remembers `order` (numbered nextOrderNumber()) and writes the state file.
  // When the file cannot be written the order is not remembered: the reason.
  std::optional<std::string> add(RememberedOrder order);

  std::size_t size() const { return orders_.size(); }
  const std::vector<RememberedOrder>& orders() const { return orders_; }

  // The state file's text for these orders, and the orders of a text.
  static std::string toJson(std::int64_t next, const std::vector<RememberedOrder>& orders);
  static void fromJson(std::string_view text, std::string_view origin, std::int64_t& next,
                       std::vector<RememberedOrder>& orders);

 private:
  std::optional<std::filesystem::path> stateFile_;
  std::int64_t next_ = kFirstOrderNumber;
  std::vector<RememberedOrder> orders_;
  std::size_t lines_ = 0;
};

// Writes `bytes` to `file` through a temporary file in the same folder, flushed
// and renamed over it; the reason when that fails.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace velta::distributor
