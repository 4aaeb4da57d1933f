// The distributor's answer to an 850 order request: an exception, or the
// acknowledgement with the order's summary and one row per answered line.
//
//   OrderAnswer answer = parseOrderAnswer(framed.response);
//   if (answer.isException()) show the exception form with answer.exception.lblER
//   else show the response form with answer.acknowledgement
//
// Records of an acknowledgement (after record 0, the answer's header line):
//
// Record 1, the order summary; the form label each field goes to:
//
//   | field | meaning                    | lblSearch | read                   |
//   |-------|----------------------------|-----------|------------------------|
//   | 1     | account                    | 0         | always                 |
//   | 2     | PO number                  | 3         | always                 |
//   | 3     | back-order code            | 4         | always                 |
//   | 4     | distributor's order number | 1         | always                 |
//   | 5     | PO date                    | 2         | when the record has it |
//   | 6     | PO status code             | 5         | when the record has it |
//   | 7     | PO status message          | 6         | when the record has it |
//
// Records 2 onwards, one per order line, up to the first empty record (the one
// after the final LF, or one in the middle: later records are not read):
//
//   | field | meaning               | field | meaning                 |
//   |-------|-----------------------|-------|-------------------------|
//   | 1     | line code shipped     | 8     | (not shown)             |
//   | 2     | part shipped          | 9     | description             |
//   | 3     | quantity ordered      | 10    | alternate-ship reason   |
//   | 4     | quantity shipped      | 11    | back-order code         |
//   | 5     | quantity back-ordered | 12    | availability date       |
//   | 6     | line code ordered     | 13    | location                |
//   | 7     | part ordered          |       |                         |
//
// A row of the grid grdItem takes the fields 6, 7, 3, 1, 2, 4, 5, 9, 10, 11,
// 12, 13 in this order, each one the record has, one per cell: a record that
// lacks a field shifts the later ones left (fields 0 to 3 fill the first
// three cells with fields 3, 1, 2). Values are as received.
//
// Malformed (EngineError 9, source "parseResponse"): no record at all; no
// record 1; a summary with fewer than five fields (type and 1 to 4); an
// exception record with fewer than six.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "link/AnswerRecords.h"

namespace velta {

// The cells of one grdItem row, in column order from column 0.
struct OrderAnswerRow {
  std::vector<std::string> cells;  // at most 12

  // As added to the grid: each cell followed by a TAB.
  std::string rowText() const;
};

struct OrderAcknowledgement {
  std::array<std::string, 7> lblSearch;  // by label index; absent fields leave ""
  std::vector<OrderAnswerRow> rows;      // one per line record
};

struct OrderAnswer {
  bool exceptionAnswer = false;
  ExceptionDetails exception;            // when exceptionAnswer
  OrderAcknowledgement acknowledgement;  // otherwise

  bool isException() const { return exceptionAnswer; }
  // The distributor's order number of an acknowledgement ("" when it carries
  // none, and for an exception).
  std::string lastOrderNumber() const { return exceptionAnswer ? std::string() : acknowledgement.lblSearch[1]; }
};

// Reads a complete answer message (without its length line).
OrderAnswer parseOrderAnswer(std::string_view response);

}  // namespace velta
