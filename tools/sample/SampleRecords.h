// The sample's records, laid out byte by byte from the business system's record
// layouts. Record lengths are the sample's own choice:
//
//   "VNDRL"   200  vendor record: the vendor fields to 185, then 187 "C" inquiry port,
//                  189 "C" order port, 191 "C" status port, 193-200 compressed sub account
//   "LINEL"   150  } the 222-byte product line record, split after byte 150 (the 4-byte
//   "ELINEL"   72  } A_P_Vendor at 148-151 spans both); the two share record numbers
//   "PARTL"   200  part record (layout below)
//   PO files   38  purchase-order records (layout below)
//
// Bytes 1-2 of every record in use read as "J" 1 or more (the record status), as
// the record files require; the vendor and part layouts leave those bytes free for it.
//
// "PARTL", positions 1-based:
//   1-2    "J"  status, 1                  21-24  "L" quantity on hand
//   3-4    "C"  product line number        25-27  "K" quantity on order (0)
//   5-18   compressed: part number (18 characters) and dash mask (3)
//   19-20  "C"  vendor number              28-33  bin location, text
//   61-63  "D"  cost in cents              64-66  "D" list price in cents
//   179-192 compressed: description (21 characters)
//   everything else NUL
//
// Purchase-order file (record 0 is record zero's header):
//   record 1: 1-2 "J" 1; 3-4 "C" order date (day number); 5-10 buyer, text;
//             11-12 "C" vendor number; 13-16 "L" order number; 17-20 "L" drop ship
//             (customer number, 0 for none); 33 "B" status flags (128 transmitted)
//   records 2-5: 1-2 "J" 1; 3-37 compressed comment lines 1-4 (51 characters, NUL-filled)
//   record 6: 1-2 "J" 1; 22-25 "L" order total in cents
//   records 7 on, one per line: 1-2 "J" line kind (4 a part, 1 a comment, 6 freight);
//     part line: 3-4 "C" product line, 5-16 compressed part number (bytes 3-16 are
//     its key in "PARTI"), 18-20 "K" quantity, 33-35 "D" unit cost in cents (0: the
//     part's own cost); comment line: 3-32 compressed text; freight line: 5-16
//     compressed "FREIGHT", 18-20 "K" quantity, 33-35 "D" cost
//
//   std::string rec = vendorRecord(catalog.distributor());   // 200 bytes
#pragma once

#include <string>
#include <vector>

#include "tools/sample/SampleCatalog.h"

namespace velta::sample {

inline constexpr int kVendorRecordLength = 200;
inline constexpr int kLineRecordLength = 222;
inline constexpr int kLineMainLength = 150;                                  // "LINEL"
inline constexpr int kLineExtensionLength = kLineRecordLength - kLineMainLength;  // "ELINEL", 72
inline constexpr int kPartRecordLength = 200;
inline constexpr int kPoRecordLength = 38;

std::string vendorRecord(const SampleVendor& vendor);
// The whole 222 bytes; "LINEL" holds the first 150, "ELINEL" the rest.
std::string lineRecord(const SampleLine& line);
std::string partRecord(const SamplePart& part);
// Records 1 to the last line (record zero is the record file's header).
std::vector<std::string> purchaseOrderRecords(const SamplePurchaseOrder& order);

}  // namespace velta::sample
