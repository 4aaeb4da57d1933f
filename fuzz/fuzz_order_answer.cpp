// Fuzz target of the 850 answer parser: any bytes as a complete answer
// message. The parser either reads it or refuses it with error 9; what it
// reads is checked against the answer's records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/EngineError.h"
#include "link/OrderAnswer.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view response(reinterpret_cast<const char*>(data), size);
  const auto records = velta::answerRecords(response);
  try {
    const velta::OrderAnswer answer = velta::parseOrderAnswer(response);
    check(!records.empty());
    check(answer.isException() == (records[0].find("//VELTA//EXR") != std::string_view::npos));
    const auto summary = velta::recordFields(records.at(1));
    if (answer.isException()) {
      check(summary.size() >= 6);
      for (std::size_t k = 0; k < 5; ++k) check(answer.exception.lblER[k] == summary[k + 1]);
      check(answer.lastOrderNumber().empty());
      return 0;
    }
    check(summary.size() >= 5);
    check(answer.lastOrderNumber() == summary[4]);
    std::size_t lines = 0;
    while (lines + 2 < records.size() && !records[lines + 2].empty()) ++lines;
    check(answer.acknowledgement.rows.size() == lines);
    for (std::size_t i = 0; i < lines; ++i) {
      const auto& row = answer.acknowledgement.rows[i];
      const std::size_t fields = velta::recordFields(records[i + 2]).size();
      const std::size_t shown = fields <= 8 ? fields - 1 : (fields >= 14 ? 12 : fields - 2);
      check(row.cells.size() == shown);
      check(row.rowText().size() >= row.cells.size());
    }
  } catch (const velta::EngineError& e) {
    check(e.number() == 9 && e.source() == "parseResponse");
  }
  return 0;
}
