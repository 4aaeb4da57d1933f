// Fuzz target of the 869 answer parser: any bytes as a complete answer
// message. The parser either reads it or refuses it with error 9; the rows it
// gives are checked for their shape, outline and look.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/EngineError.h"
#include "link/StatusAnswer.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view response(reinterpret_cast<const char*>(data), size);
  const auto records = velta::answerRecords(response);
  try {
    const velta::StatusAnswer answer = velta::parseStatusAnswer(response);
    check(!records.empty());
    check(answer.isException() == (records[0].find("//VELTA//EXR") != std::string_view::npos));
    if (answer.isException()) {
      check(velta::recordFields(records.at(1)).size() >= 6);
      check(answer.status.rows.empty());
      return 0;
    }
    check(velta::recordFields(records.at(2)).size() >= 6);
    std::size_t expected = 0;
    for (std::size_t i = 2; i < records.size() && !records[i].empty(); ++i) {
      const auto fields = velta::recordFields(records[i]);
      if (fields[0] == "05") expected += 1;
      if (fields[0] == "11") expected += 3;
    }
    check(answer.status.rows.size() == expected);
    for (const velta::StatusRow& row : answer.status.rows) {
      if (row.group) {
        check(row.cells.size() == 9 && row.outlineLevel == 0 && row.bold &&
              row.backColour == velta::kGroupRowBackColour);
      } else {
        check(row.cells.size() == 4 && row.cells[0].empty() && row.outlineLevel == 1 && !row.bold &&
              row.backColour == 0);
      }
    }
  } catch (const velta::EngineError& e) {
    check(e.number() == 9 && e.source() == "statusResponse");
  }
  return 0;
}
