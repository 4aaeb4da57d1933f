#include "link/InquiryAnswer.h"

#include "link/AnswerRecords.h"
#include "link/MessageFields.h"

namespace velta {

namespace {

constexpr const char* kSource = "parseResponse";
constexpr std::string_view kExceptionMark = "//VELTA//EXR";
constexpr std::size_t kFirstDetailRecord = 2;

EngineError shortRecord(std::size_t record, std::size_t fields, std::size_t needed) {
  return subscriptError(kSource, "record " + std::to_string(record) + " of the answer has " + std::to_string(fields) +
                                     " fields, " + std::to_string(needed) + " needed");
}

}  // namespace

InquiryAnswer parseInquiryAnswer(std::string_view response) {
  InquiryAnswer answer;
  const std::vector<std::string_view> records = splitKeepingEmpty(response, '\n');
  if (!records.empty() && records[0].find(kExceptionMark) != std::string_view::npos) {
    answer.exception = true;
    const auto fields = records.size() > 1 ? splitKeepingEmpty(records[1], '|') : std::vector<std::string_view>{};
    if (fields.size() < kExceptionFields) {
      answer.malformed = shortRecord(1, fields.size(), kExceptionFields);
      return answer;
    }
    for (std::size_t i = 0; i < answer.exceptionFields.size(); ++i) answer.exceptionFields[i] = fields[i + 1];
    return answer;
  }
  for (std::size_t r = kFirstDetailRecord; r < records.size(); ++r) {
    const auto fields = splitKeepingEmpty(records[r], '|');
    if (fields.empty()) break;  // the empty record after the final LF ends the list
    if (fields.size() < kDetailFields) {
      answer.malformed = shortRecord(r, fields.size(), kDetailFields);
      return answer;
    }
    InquiryResultRow row;
    for (int c = 0; c < kResultColumns; ++c) row[static_cast<std::size_t>(c)] = fields[static_cast<std::size_t>(kResultFields[static_cast<std::size_t>(c)])];
    answer.rows.push_back(std::move(row));
  }
  return answer;
}

}  // namespace velta
