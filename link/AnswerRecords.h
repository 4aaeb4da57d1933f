// Reading the distributor's answers: records and fields as the answer parsers
// take them, the exception record both order-control sets share, and the
// error of an answer that lacks what is read unconditionally.
//
// An answer message (after its length line) is split at every LF into
// records numbered from 0, each record at every "|" into fields numbered from
// 0, empty pieces kept: the LF that ends the last record leaves an empty
// record after it, and an empty record has no field at all.
//
// Record 0 is the answer's header line; when it holds "//VELTA//EXR" (exact,
// case kept) the answer is an exception, and record 1 carries its details:
//
//   | field | meaning        | exception form label |
//   |-------|----------------|----------------------|
//   | 1     | account number | lblER 0              |
//   | 2     | order number   | lblER 1              |
//   | 3     | order date     | lblER 2              |
//   | 4     | error code     | lblER 3              |
//   | 5     | error message  | lblER 4              |
//
// A record or field the reader needs and the answer lacks is EngineError 9,
// with the parser's name as source, the runtime's "Subscript out of range" as
// description and, as detail, which record fell short.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/EngineError.h"

namespace velta {

using AnswerFields = std::vector<std::string_view>;

// The records of an answer, empty ones kept.
std::vector<std::string_view> answerRecords(std::string_view response);
// The fields of one record, empty ones kept; none for the empty record.
AnswerFields recordFields(std::string_view record);

// Whether record 0 marks an exception answer.
bool isExceptionHeader(std::string_view record0);

// The values of the exception form.
struct ExceptionDetails {
  std::array<std::string, 5> lblER;  // fields 1 to 5 of record 1, by label index
};

// Record 1 of an exception answer; 9 (with `source`) when there is no record 1
// or it has fewer than six fields.
ExceptionDetails readExceptionRecord(const std::vector<std::string_view>& records, std::string_view source);

// 9 with `source`: "Subscript out of range", and `what` as detail.
EngineError subscriptError(std::string_view source, std::string_view what);
// 9 when the record `index` has fewer than `needed` fields; `kind` names it.
void requireFields(const AnswerFields& fields, std::size_t needed, std::size_t index, std::string_view kind,
                   std::string_view source);

}  // namespace velta
