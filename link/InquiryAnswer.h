// The distributor's answer to an 846 inquiry, without its length line.
//
//   InquiryAnswer answer = parseInquiryAnswer(response);
//   if (answer.exception) show(answer.exceptionFields);        // account ... error message
//   for (const auto& row : answer.rows) addRow(row);           // fifteen result cells
//   if (answer.malformed) report(*answer.malformed);           // the rows before it stay
//
// Records are separated by LF, fields by "|":
//
//   | record     | content                                                      |
//   |------------|--------------------------------------------------------------|
//   | 0          | header; holding "//VELTA//EXR" anywhere makes an exception   |
//   | 1          | exception: fields 1-5 account, inquiry number, inquiry date, |
//   |            | error code, error message (field 0 unused); else unused      |
//   | 2 ..       | normal answer: one detail record per answered part, at least |
//   |            | 25 fields; the first empty record ends the list              |
//
// Detail fields in result-grid column order (kResultFields):
//
//   | column | field | title         | column | field | title         |
//   |--------|-------|---------------|--------|-------|---------------|
//   | 0      | 4     | Line Req      | 8      | 9     | Cost          |
//   | 1      | 5     | Part Req      | 9      | 23    | Status Code   |
//   | 2      | 3     | Qty Req       | 10     | 24    | Status Text   |
//   | 3      | 1     | Avail Line    | 11     | 14    | Reason Code   |
//   | 4      | 2     | Avail Part    | 12     | 17    | Location      |
//   | 5      | 7     | Avail Qty     | 13     | 16    | Date Avail    |
//   | 6      | 13    | Description   | 14     | 15    | Fact BO       |
//   | 7      | 8     | Retail        |        |       |               |
//
// Fields 0, 6, 10 to 12 and 18 to 22 are not shown; values are shown as they
// came. A detail record with fewer than 25 fields, or an exception without a
// record 1 of at least six fields, is malformed: EngineError 9 (subscript out
// of range, source "parseResponse") naming the record; the rows before a
// malformed detail record are kept.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/EngineError.h"

namespace velta {

inline constexpr int kResultColumns = 15;
inline constexpr std::array<int, kResultColumns> kResultFields = {4, 5, 3, 1, 2, 7, 13, 8, 9, 23, 24, 14, 17, 16, 15};
inline constexpr std::size_t kDetailFields = 25;
inline constexpr std::size_t kExceptionFields = 6;

using InquiryResultRow = std::array<std::string, kResultColumns>;

struct InquiryAnswer {
  bool exception = false;
  // Account number, inquiry number, inquiry date, error code, error message.
  std::array<std::string, 5> exceptionFields;
  std::vector<InquiryResultRow> rows;
  std::optional<EngineError> malformed;
};

InquiryAnswer parseInquiryAnswer(std::string_view response);

}  // namespace velta
