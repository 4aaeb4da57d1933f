#include "link/AnswerRecords.h"

#include "link/MessageFields.h"

namespace velta {

std::vector<std::string_view> answerRecords(std::string_view response) { return splitKeepingEmpty(response, '\n'); }

AnswerFields recordFields(std::string_view record) { return splitKeepingEmpty(record, '|'); }

bool isExceptionHeader(std::string_view record0) { return record0.find("//VELTA//EXR") != std::string_view::npos; }

EngineError subscriptError(std::string_view source, std::string_view what) {
  return EngineError::general(err::SubscriptOutOfRange, std::string(source), std::string(what));
}

void requireFields(const AnswerFields& fields, std::size_t needed, std::size_t index, std::string_view kind,
                   std::string_view source) {
  if (fields.size() >= needed) return;
  throw subscriptError(source, "record " + std::to_string(index) + " of the answer has " +
                                   std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") +
                                   "; " + std::string(kind) + " needs " + std::to_string(needed));
}

ExceptionDetails readExceptionRecord(const std::vector<std::string_view>& records, std::string_view source) {
  if (records.size() < 2) throw subscriptError(source, "the answer has no record 1");
  const AnswerFields fields = recordFields(records[1]);
  requireFields(fields, 6, 1, "an exception record", source);
  ExceptionDetails details;
  for (std::size_t k = 0; k < details.lblER.size(); ++k) details.lblER[k] = fields[k + 1];
  return details;
}

}  // namespace velta
