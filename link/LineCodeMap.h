// The translation between the dealer's product-line codes (hBT codes) and the
// distributor's (RKT codes), loaded once from the map file "HBT2RKT.TXT".
//
// Map file: 8-bit text, lines ended by LF (a CR before the LF ends up in the
// comment and does no harm). Only a line holding an apostrophe counts; from
// the first apostrophe on it is a comment. Before it, with tabs read as
// blanks, stand exactly two codes separated by blanks:
//
//   XYZ   123  ' RKT code XYZ is the dealer's line 123
//   column 1: RKT code, column 2: hBT code
//
// Lines without an apostrophe, or with other than two codes before it, are
// skipped. Codes are stored upper-cased; keys compare without regard to
// letter case; the first line that has a key wins, in each direction
// separately (a second line for XYZ still adds its reverse entry when its hBT
// code is new).
//
// Where the map file lies:
//   order control:   "\\" + Host + "\CatCon\HBT2RKT.TXT", Host from the per-user
//                    settings of "r-kt", section "Dealer\Settings\Connection"
//                    (or, when that is empty, "Distributor\Settings\Connection")
//   inquiry control: cSystem.CATCON() + "\HBT2RKT.TXT"
//
// A map file that is missing or whose server cannot be reached gives empty
// maps without an error; a failure while reading a file that was found goes
// to the creator.
//
//   auto map = LineCodeMap::forOrderControl();
//   map.hBTLineCode(Value("xyz"));   // "123"
//   map.rktLineCode(Value("999"));   // "": not in the map
#pragma once

#include <string>
#include <string_view>

#include "base/Value.h"
#include "base/KeyedCollection.h"

namespace velta {

class LineCodeMap {
 public:
  // Empty maps.
  LineCodeMap() = default;

  static LineCodeMap forOrderControl();
  static LineCodeMap forInquiryControl();
  // The map file at a UNC path, read through the share layer.
  static LineCodeMap fromFile(std::string_view uncPath);
  // The map of a map file's text.
  static LineCodeMap fromText(std::string_view text);

  // Where each control looks for the map file.
  static std::string orderControlPath();
  static std::string inquiryControlPath();

  // The code stored for the given one, "" when there is none or the lookup
  // fails. The code goes to the map as it is: a text is a key (any letter
  // case), a number a 1-based position in load order, as the keyed collection
  // reads them.
  std::string hBTLineCode(const Value& rktLineCode) const;
  std::string rktLineCode(const Value& hBTLineCode) const;

 private:
  using CodeMap = KeyedCollection<std::string>;
  static std::string lookup(const CodeMap& map, const Value& code);
  void load(std::string_view text);

  CodeMap byRkt_{"LineCodeMap"};  // RKT code -> hBT code
  CodeMap byHbt_{"LineCodeMap"};  // hBT code -> RKT code
};

// The distributor's code for `dealerCode` as a request sends it: the mapped
// code, or `dealerCode` itself when the map has none (or only control
// characters) for it.
std::string distributorLineCode(const LineCodeMap& lineCodes, const std::string& dealerCode);

}  // namespace velta
