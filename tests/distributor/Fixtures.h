// What the simulator's tests share: a small catalog written out by hand, the
// token table, a fixed moment, and requests built as the workstation builds
// them (the link's own header line and length line).
#pragma once

#include <string>
#include <vector>

#include "link/CheckToken.h"
#include "link/RequestHeader.h"
#include "link/TokenTable.h"
#include "support/TestTokenTable.h"
#include "tools/velta-distributor/Catalog.h"
#include "tools/velta-distributor/CatalogFile.h"

namespace velta::test {

// Warehouses 01, 02, 03; account 104233, and 555100 whose orders are held;
// line FIL with PH-3614 (5 in 01, 20 in 02, more in 4 days), 1A0007 (none,
// more on 2024-07-01, factory back order) and 51-00007 (7 in 03 only); line
// BRX with D0007 (100 in 01, 0 in 02 listed, core 12.50, pack 2, unit PR);
// line IGX without parts.
inline const std::string kCatalogJson = R"({
 "distributor": "TEST PARTS NETWORK",
 "warehouses": [{"code": "01", "name": "FORT WAYNE, IN"}, {"code": "02", "name": "INDIANAPOLIS, IN"},
                {"code": "03", "name": "TOLEDO, OH"}],
 "accounts": [{"account": "104233", "name": "THE SAMPLE DEALER"},
              {"account": "555100", "billTo": "555000", "orderStatusCode": "1040",
               "orderStatusMessage": "Account is on hold"}],
 "lines": [
  {"code": "FIL", "name": "FILTERS", "parts": [
   {"part": "PH-3614", "description": "OIL FILTER", "retail": "12.49", "cost": "7.12",
    "stock": {"01": 5, "02": 20}, "availableInDays": 4},
   {"part": "1A0007", "description": "AIR FILTER", "retail": "20", "cost": "11.5",
    "available": "2024-07-01", "factoryBackOrder": true},
   {"part": "51-00007", "description": "FUEL FILTER", "retail": "8.30", "cost": "4.15", "stock": {"03": 7}}]},
  {"code": "BRX", "name": "BRAKES", "parts": [
   {"part": "D0007", "description": "DISC PAD SET", "retail": "54.00", "cost": "31.20", "core": "12.50",
    "pack": 2, "unit": "PR", "stock": {"01": 100, "02": 0}}]},
  {"code": "IGX", "name": "IGNITION"}
 ]
})";

inline distributor::Catalog testCatalog() { return distributor::parseCatalog(kCatalogJson, "test catalog"); }

inline TokenTable testTable() { return TokenTable::fromCharacters(orderedTokenTable(), "test table"); }

// 3 June 2024, 10:20:07: the token of the ordered table is ")ac4K".
inline RequestMoment testMoment() { return {"20240603", "10:20:07"}; }
inline constexpr const char* kTestToken = ")ac4K";
inline constexpr const char* kTestClock = "2024-06-03T10:20:07";

inline std::string header(MessageSet set, const RequestMoment& moment = testMoment()) {
  return requestHeaderLine(set, moment, testTable());
}

// The 850 of the order control; `options` are fields 5 to 9 of the order record
// (ship date, ship method, resale, back-order code, back-order ship method),
// the default entries unless given.
inline std::string orderMessage(const std::string& account, const std::string& po,
                                const std::vector<std::string>& lines, const std::string& options = "| || | ") {
  std::string message = header(MessageSet::Order850) + "01|" + account + "|" + po + "|||" + options + "\n";
  for (const std::string& line : lines) message += "05|" + line + "\n";
  return message;
}

inline std::string statusMessage(const std::string& account, const std::string& po) {
  return header(MessageSet::Status869) + "01|" + account + "||" + po + "\n";
}

inline std::string inquiryMessage(const std::string& account, const std::vector<std::string>& parts) {
  std::string message = header(MessageSet::Inquiry846) + "01|" + account + "\n";
  for (const std::string& part : parts) message += "05|" + part + "\n";
  return message;
}

inline std::string framed(const std::string& message) { return lengthLine(message) + message; }

// The answer's header line at the test moment.
inline std::string answerHeaderLine(const std::string& set, const std::string& channel) {
  return "00|//VELTA//" + set + "|||VELTA-DIST|0001|10:20:07|20240603||" + channel + "|||||||" + kTestToken + "\n";
}

}  // namespace velta::test
