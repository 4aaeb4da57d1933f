// The sample's purchase orders: one file each in the dealer directory, named by
// its order number, together showing every case the order control must handle.
//
//   order   vendor                       what it shows
//   100231  1207 distributor, account    open; a comment line; a cost 0 taken from the
//           "104233" and sub-account A7  part file; a unit cost of 5 cents (".05")
//   100232  1207                         already transmitted (status bit 128)
//   100233  1207                         two parts not in "PARTI" first (one at cost 0),
//                                        a freight line, then parts found (one at cost 0)
//   100234  3300, ports 0 (12000/12003)  a drop-ship order, no sub-account
//   100235  4321, not in "VNDRI"         "Vendor not found"
//   100236  4180, ports 0, no host       part 12345678 with dash mask "47" (123-45-678),
//                                        127 at 97.21: a total of 1234567 cents (12345.67)
//   100237  2040                         returned parts: negative quantities and total
//   100238  1207                         comment lines only: no rows, a total of 0.00
//   100239  1207                         a stock order of 500 part lines
//
//   auto orders = samplePurchaseOrders(catalog.parts);
#pragma once

#include <vector>

#include "tools/sample/SampleCatalog.h"

namespace velta::sample {

std::vector<SamplePurchaseOrder> samplePurchaseOrders(const PartCatalog& parts);

}  // namespace velta::sample
