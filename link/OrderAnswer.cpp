#include "link/OrderAnswer.h"

#include <algorithm>

namespace velta {

namespace {

constexpr std::string_view kSource = "parseResponse";
// The field of a line record shown in each grid column.
constexpr std::array<std::size_t, 12> kColumnFields = {6, 7, 3, 1, 2, 4, 5, 9, 10, 11, 12, 13};
// The summary field shown on each lblSearch label.
constexpr std::array<std::size_t, 7> kLabelFields = {1, 4, 5, 2, 3, 6, 7};

}  // namespace

std::string OrderAnswerRow::rowText() const {
  std::size_t size = cells.size();
  for (const std::string& cell : cells) size += cell.size();
  std::string text;
  text.reserve(size);
  for (const std::string& cell : cells) text.append(cell).push_back('\t');
  return text;
}

OrderAnswer parseOrderAnswer(std::string_view response) {
  const std::vector<std::string_view> records = answerRecords(response);
  if (records.empty()) throw subscriptError(kSource, "the answer holds no record");
  OrderAnswer answer;
  if (isExceptionHeader(records[0])) {
    answer.exceptionAnswer = true;
    answer.exception = readExceptionRecord(records, kSource);
    return answer;
  }
  if (records.size() < 2) throw subscriptError(kSource, "the answer has no record 1");
  const AnswerFields summary = recordFields(records[1]);
  requireFields(summary, 5, 1, "an order summary", kSource);
  OrderAcknowledgement& ack = answer.acknowledgement;
  for (std::size_t label = 0; label < kLabelFields.size(); ++label) {
    if (kLabelFields[label] < summary.size()) ack.lblSearch[label] = summary[kLabelFields[label]];
  }
  for (std::size_t i = 2; i < records.size(); ++i) {
    const AnswerFields fields = recordFields(records[i]);
    if (fields.empty()) break;
    OrderAnswerRow row;
    // As many as the record holds: a record of one field takes no room for twelve.
    row.cells.reserve(static_cast<std::size_t>(std::count_if(
        kColumnFields.begin(), kColumnFields.end(), [&fields](std::size_t field) { return field < fields.size(); })));
    for (std::size_t field : kColumnFields) {
      if (field < fields.size()) row.cells.emplace_back(fields[field]);
    }
    ack.rows.push_back(std::move(row));
  }
  return answer;
}

}  // namespace velta
