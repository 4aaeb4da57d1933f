// The catalog file of the distributor simulator: JSON, UTF-8.
//
//   Catalog catalog = readCatalogFile("catalog.json");   // CatalogError says what is wrong, and where
//
// The top-level object:
//
//   | key           | value                                                     |
//   |---------------|-----------------------------------------------------------|
//   | "distributor" | text, optional: the distributor's name                    |
//   | "warehouses"  | array of at least one warehouse, in the order of shipping |
//   | "accounts"    | array of at least one account                             |
//   | "lines"       | array of lines: the distributor's line codes              |
//
//   warehouse: {"code": "01", "name": "FORT WAYNE, IN"}   both required; codes unique
//   account:   {"account": "104233", "name": "...", "billTo": "104233",
//               "orderStatusCode": "1000", "orderStatusMessage": "ORDER ACCEPTED"}
//              only "account" required; the others default to "", the account
//              itself, "1000" and "ORDER ACCEPTED"; accounts unique
//   line:      {"code": "FIL", "name": "FILTERS", "parts": [part, ...]}
//              "code" required and unique without regard to case; "parts" may be empty
//   part:      | key                | value                                              |
//              |--------------------|----------------------------------------------------|
//              | "part"             | text, required; unique in its line (upper case,    |
//              |                    | blanks and dashes not counted)                     |
//              | "description"      | text                                               |
//              | "retail", "cost"   | money text, required: "12.49", "7", "0.5"          |
//              | "core"             | money text: the core charge, default "0.00"        |
//              | "pack"             | whole number from 1: standard package, default 1   |
//              | "unit"             | text: unit of measure, default "EA"                |
//              | "stock"            | object: warehouse code -> whole number from 0      |
//              | "available"        | "yyyy-mm-dd": when more arrives                    |
//              | "availableInDays"  | 0 to 3650: more arrives that many days after the   |
//              |                    | day asked (instead of "available")                 |
//              | "factoryBackOrder" | true when the maker itself has none                |
//
// Texts are at most 80 characters, each a Latin-1 character, and hold no "|",
// LF, CR or TAB (they stand in answer records as they are). A key that is not
// in these tables is refused: it is most likely a misspelt one.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "tools/velta-distributor/Catalog.h"

namespace velta::distributor {

struct CatalogError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The catalog in `json`; `origin` begins every error ("catalog \"x.json\"").
Catalog parseCatalog(std::string_view json, std::string_view origin);
Catalog readCatalogFile(const std::filesystem::path& file);

}  // namespace velta::distributor
