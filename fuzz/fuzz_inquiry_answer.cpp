// Fuzz target of the 846 answer parser: any bytes as the answer message.
//
// Checks what the control relies on: an exception answer gives its five
// fields or is malformed, never rows; a normal answer's rows are exactly its
// well-formed detail records before the first empty or short one, each cell
// the field of its column; a short record is reported as error 9.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "link/InquiryAnswer.h"
#include "link/MessageFields.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view response(reinterpret_cast<const char*>(data), size);
  const velta::InquiryAnswer answer = velta::parseInquiryAnswer(response);

  const auto records = velta::splitKeepingEmpty(response, '\n');
  const bool exception = !records.empty() && records[0].find("//VELTA//EXR") != std::string_view::npos;
  check(answer.exception == exception);
  if (answer.malformed) {
    check(answer.malformed->number() == 9 && answer.malformed->source() == "parseResponse");
  }
  if (exception) {
    check(answer.rows.empty());
    const auto fields = records.size() > 1 ? velta::splitKeepingEmpty(records[1], '|')
                                           : std::vector<std::string_view>{};
    check(answer.malformed.has_value() == (fields.size() < velta::kExceptionFields));
    if (!answer.malformed) {
      for (std::size_t i = 0; i < 5; ++i) check(answer.exceptionFields[i] == fields[i + 1]);
    }
    return 0;
  }

  std::size_t row = 0;
  bool shortSeen = false;
  for (std::size_t r = 2; r < records.size(); ++r) {
    const auto fields = velta::splitKeepingEmpty(records[r], '|');
    if (fields.empty()) break;
    if (fields.size() < velta::kDetailFields) {
      shortSeen = true;
      break;
    }
    check(row < answer.rows.size());
    for (std::size_t c = 0; c < velta::kResultColumns; ++c) {
      check(answer.rows[row][c] == fields[static_cast<std::size_t>(velta::kResultFields[c])]);
      check(answer.rows[row][c].find('|') == std::string::npos && answer.rows[row][c].find('\n') == std::string::npos);
    }
    ++row;
  }
  check(answer.rows.size() == row);
  check(answer.malformed.has_value() == shortSeen);
  return 0;
}
