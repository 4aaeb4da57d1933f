#include "link/InquiryRequest.h"

#include "base/EngineError.h"
#include "base/TextUtilities.h"
#include "link/MessageFields.h"

namespace velta {

namespace {

constexpr int kFirstGridRow = 2;

// Leading and trailing blanks only: a tab is not a blank here, and the
// field check refuses it afterwards.
bool onlyBlanks(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string partRecord(const LineCodeMap& lineCodes, const InquiryPart& part, int row) {
  const std::string code = distributorLineCode(lineCodes, part.line);
  checkRequestField(part.line, "line code", row);
  checkRequestField(code, "line code", row);
  checkRequestField(part.part, "part number", row);
  checkRequestField(part.qty, "quantity", row);
  return "05|" + code + "|" + part.part + "|" + part.qty + "\n";
}

}  // namespace

bool qualifies(const InquiryPart& row) { return !onlyBlanks(row.line) && !onlyBlanks(row.part); }

void checkRequestField(const std::string& value, const char* field, int row) {
  refuseSeparators(value, std::string("the ") + field, static_cast<std::size_t>(row));
}

std::string inquiryRecords(const InquiryRequestParts& parts, const LineCodeMap& lineCodes) {
  checkRequestField(parts.dealerAccount, "account", 1);
  std::string records = "01|" + parts.dealerAccount + "\n";
  records += partRecord(lineCodes, parts.hostPart, 1);
  int row = kFirstGridRow;
  for (const InquiryPart& part : parts.gridRows) {
    if (qualifies(part)) records += partRecord(lineCodes, part, row);
    ++row;
  }
  return records;
}

std::string inquiryRequest(const InquiryRequestParts& parts, const RequestMoment& moment,
                           const LineCodeMap& lineCodes) {
  // Records first: a refused field must not cost a token computation, and the
  // header's table error must not hide which field was wrong.
  std::string records = inquiryRecords(parts, lineCodes);
  return requestHeaderLine(MessageSet::Inquiry846, moment) + records;
}

std::string inquiryRequest(const InquiryRequestParts& parts, const RequestMoment& moment,
                           const LineCodeMap& lineCodes, const TokenTable& table) {
  std::string records = inquiryRecords(parts, lineCodes);
  return requestHeaderLine(MessageSet::Inquiry846, moment, table) + records;
}

}  // namespace velta
