// How the simulated distributor fills an order from its stock. Stock is what
// the catalog says; filling an order does not use it up, so the same order
// fills the same way every time.
//
//   RememberedOrder order = fillOrder(request, checked.date, catalog, today, "700001");
//
// Per line, by the order's back-order code (" " is the distributor's default, "1"):
//
//   | code          | ships from                           | what cannot ship         |
//   |---------------|--------------------------------------|--------------------------|
//   | " ", 1        | the first warehouse of the catalog   | back-ordered             |
//   | 0             | the first warehouse                  | cancelled                |
//   | 2, 3, 7       | every warehouse, in catalog order    | back-ordered             |
//   | 4             | every warehouse, in catalog order    | cancelled                |
//   | 5, 6          | the first warehouse, and only when   | back-ordered: all of it, |
//   |               | every known line can ship complete   | when any line is short   |
//
// A back-ordered quantity carries the part's availability date. A line whose
// line code or part the distributor does not know ships nothing and is not
// back-ordered; its reason says which.
#pragma once

#include <string>

#include "tools/velta-distributor/Catalog.h"
#include "tools/velta-distributor/RememberedOrder.h"
#include "tools/velta-distributor/RequestCheck.h"

namespace velta::distributor {

inline constexpr std::string_view kLineUnknown = "LINE CODE NOT FOUND";
inline constexpr std::string_view kPartUnknown = "PART NOT FOUND";
inline constexpr std::string_view kAlternateWarehouse = "ALTERNATE WAREHOUSE";
inline constexpr std::string_view kBalanceCancelled = "BALANCE CANCELLED";
inline constexpr std::string_view kHeldComplete = "HELD TO SHIP COMPLETE";

RememberedOrder fillOrder(const OrderRequest& request, const std::string& poDate, const Catalog& catalog, Date today,
                          const std::string& orderNumber);

}  // namespace velta::distributor
