// The distributor's answer to an 869 status request: an exception, or the
// order's status with its lines and their shipments.
//
//   StatusAnswer answer = parseStatusAnswer(framed.response);
//   for (const StatusRow& row : answer.status.rows) grid.addItem(row.rowText()), ...
//
// Record 1 of a normal answer is not read. Record 2 is the status header,
// at least six fields; the form label each field goes to:
//
//   | field | caption                | lblStatus | read                       |
//   |-------|------------------------|-----------|----------------------------|
//   | 1     | "Ship To Account"      | 4         | always                     |
//   | 2     | "Original Ticket #"    | 1         | always                     |
//   | 3     | "PO Number"            | 0         | always                     |
//   | 4     | "Order Date"           | 2         | always                     |
//   | 5     | "Order Status Code"    | 5         | always                     |
//   | 6     | "Order Status Message" | 6         | when the record has 7      |
//   | 7     | "Bill To Account"      | 3         | when the record has 8      |
//
// Records from 2 on (the status header included) up to the first empty one,
// by record type (field 0, exact); both kinds need ten fields (0 to 9):
//
//   "05" order line: one group row, fields 1 to 9 in columns 0 to 8, outline
//        level 0, back colour 0xC0E0FF, bold
//   "11" shipment of the line before it (or of none, when it comes first):
//        three rows at level 1, column 0 empty, then
//          "Qty Shipped = " 1     "Invoice # = " 2        "Ship Date = " 3
//          "Ship Method = " 4     "Tracking Info = " 5    "Shipment Status = " 6
//          "Status Msg = " 7      "Ship Location = " 8    "Ship Loc. Code = " 9
//   any other type: nothing
//
// The colour is a Windows colour value, 0x00BBGGRR (red 255, green 224, blue
// 192); the Qt side turns it into its own colour.
//
// Malformed (EngineError 9, source "statusResponse"): no record at all; an
// exception answer without a record 1 of six fields; a normal answer without
// a record 2 of six fields; an "05" or "11" record with fewer than ten.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/AnswerRecords.h"

namespace velta {

// The back colour of a group row, as a Windows colour value (blue, green, red).
inline constexpr std::uint32_t kGroupRowBackColour = 0xC0E0FF;

// One row of the status grid with the outline and look the grid gives it.
struct StatusRow {
  std::vector<std::string> cells;  // from column 0: 9 for a group row, 4 for a shipment row
  bool group = false;              // the outline flag
  int outlineLevel = 0;            // 0 for a group row, 1 for a shipment row
  bool bold = false;               // group rows: columns 0 to 8
  std::uint32_t backColour = 0;    // kGroupRowBackColour for group rows, 0 = the grid's own

  // As added to the grid: a group row's cells each followed by a TAB; a
  // shipment row's TAB + text + TAB + text + TAB + text.
  std::string rowText() const;
};

struct OrderStatus {
  std::array<std::string, 7> lblStatus;  // by label index; absent fields leave ""
  std::vector<StatusRow> rows;
};

struct StatusAnswer {
  bool exceptionAnswer = false;
  ExceptionDetails exception;  // when exceptionAnswer
  OrderStatus status;          // otherwise

  bool isException() const { return exceptionAnswer; }
};

// Reads a complete answer message (without its length line).
StatusAnswer parseStatusAnswer(std::string_view response);

}  // namespace velta
