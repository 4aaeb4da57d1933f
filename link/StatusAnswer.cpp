#include "link/StatusAnswer.h"

namespace velta {

namespace {

constexpr std::string_view kSource = "statusResponse";
// The header field shown on each lblStatus label.
constexpr std::array<std::size_t, 7> kLabelFields = {3, 2, 4, 7, 1, 5, 6};
// The captions of a shipment record's fields 1 to 9, three per row.
constexpr std::array<std::string_view, 9> kShipmentCaptions = {
    "Qty Shipped = ", "Invoice # = ",     "Ship Date = ",
    "Ship Method = ", "Tracking Info = ", "Shipment Status = ",
    "Status Msg = ",  "Ship Location = ", "Ship Loc. Code = ",
};
constexpr std::size_t kLineFields = 10;

StatusRow groupRow(const AnswerFields& fields) {
  StatusRow row;
  for (std::size_t f = 1; f <= 9; ++f) row.cells.emplace_back(fields[f]);
  row.group = true;
  row.outlineLevel = 0;
  row.bold = true;
  row.backColour = kGroupRowBackColour;
  return row;
}

}  // namespace

std::string StatusRow::rowText() const {
  std::string text;
  if (group) {
    for (const std::string& cell : cells) text += cell + '\t';
    return text;
  }
  for (std::size_t c = 0; c < cells.size(); ++c) text += (c == 0 ? "" : "\t") + cells[c];
  return text;
}

StatusAnswer parseStatusAnswer(std::string_view response) {
  const std::vector<std::string_view> records = answerRecords(response);
  if (records.empty()) throw subscriptError(kSource, "the answer holds no record");
  StatusAnswer answer;
  if (isExceptionHeader(records[0])) {
    answer.exceptionAnswer = true;
    answer.exception = readExceptionRecord(records, kSource);
    return answer;
  }
  if (records.size() < 3) throw subscriptError(kSource, "the answer has no record 2");
  const AnswerFields header = recordFields(records[2]);
  requireFields(header, 6, 2, "the status header", kSource);
  OrderStatus& status = answer.status;
  for (std::size_t label = 0; label < kLabelFields.size(); ++label) {
    if (kLabelFields[label] < header.size()) status.lblStatus[label] = header[kLabelFields[label]];
  }
  for (std::size_t i = 2; i < records.size(); ++i) {
    const AnswerFields fields = recordFields(records[i]);
    if (fields.empty()) break;
    if (fields[0] == "05") {
      requireFields(fields, kLineFields, i, "an order line", kSource);
      status.rows.push_back(groupRow(fields));
    } else if (fields[0] == "11") {
      requireFields(fields, kLineFields, i, "a shipment record", kSource);
      for (std::size_t first = 0; first < kShipmentCaptions.size(); first += 3) {
        StatusRow row;
        row.cells.emplace_back();
        for (std::size_t k = first; k < first + 3; ++k) {
          row.cells.push_back(std::string(kShipmentCaptions[k]) + std::string(fields[k + 1]));
        }
        row.outlineLevel = 1;
        status.rows.push_back(std::move(row));
      }
    }
  }
  return answer;
}

}  // namespace velta
