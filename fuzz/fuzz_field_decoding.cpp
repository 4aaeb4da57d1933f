// Field and text decoding over arbitrary bytes: Unpack with every opcode,
// UnPackDate, Ucm, Trun, Split, InsertDashes and text-to-number. None may
// crash, and each keeps the promises its header makes:
//
//   input = [selector byte][position byte][text of the rest]
//
// The rest serves as the record, as compressed text, as Split's expression
// (delimiter: its first one or two bytes), as InsertDashes' mask, and as a
// number text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/CompressedText.h"
#include "base/EngineError.h"
#include "base/FieldPacking.h"
#include "base/TextUtilities.h"
#include "base/Value.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void unpackEveryOpCode(const std::string& data, int32_t position) {
  for (const char* op : {"B", "C", "D", "I", "J", "K", "L", "b", "x", ""}) {
    try {
      const int32_t value = velta::Unpack(op, data, position);
      const int width = velta::packWidth(op);
      require(width > 0 && position >= 1 && static_cast<std::size_t>(position) + width - 1 <= data.size());
      if (width < 4) {
        const int32_t limit = 1 << (8 * width);
        require(value >= -limit / 2 && value < limit);
      }
      // What Pack writes back from the value is what was read.
      std::string copy = data;
      velta::Pack(op, copy, value, position);
      require(copy == data);
    } catch (const velta::EngineError& e) {
      require(e.number() == 100 || e.number() == 5 || e.number() == 31);
    }
  }
  for (const char* op : {"C", "J", "D", "K", "R", "c", "Q"}) {
    const velta::Date date = velta::UnPackDate(op, data, position);
    require(date.ok());
  }
}

void expandAndCompress(const std::string& data) {
  std::string source = data;
  const std::string text = velta::Ucm(source);
  require(source.size() % 2 == 0 && source.size() <= data.size() + 1);
  require(text.size() <= source.size() / 2 * 3);
  std::string again = text;
  const std::string compressed = velta::Crm(again);
  require(compressed.size() == again.size() / 3 * 2);
}

void trimSplitAndDash(const std::string& data, uint8_t selector) {
  const std::string trimmed = velta::Trun(data, selector & 1);
  require(data.compare(0, trimmed.size(), trimmed) == 0);

  const std::string delimiter = data.substr(0, 1 + (selector >> 7));
  const int32_t limit = static_cast<int32_t>((selector >> 1) % 5) - 1;  // -1 to 3
  const int32_t compare = (selector >> 4) & 1;
  for (const std::string& piece : velta::Split(data, delimiter, limit, compare)) {
    require(!piece.empty() && piece.size() <= data.size());
  }

  std::string dashed = data.substr(0, 40);
  const std::size_t before = dashed.size();
  velta::InsertDashes(dashed, data);
  require(dashed.size() >= before && dashed.size() <= before + data.size());
}

// Exact decimal rounding must agree with rounding the double wherever the
// double holds the text exactly enough: up to 15 significant digits.
void readNumber(const std::string& text) {
  int digits = 0;
  for (char c : text) digits += c >= '0' && c <= '9';
  int exact = 0, viaDouble = 0;
  int32_t exactValue = 0, doubleValue = 0;
  try {
    exactValue = velta::parseInt32(text, "fuzz");
  } catch (const velta::EngineError& e) {
    exact = e.number();
  }
  try {
    doubleValue = velta::roundToInt32(velta::parseNumber(text, "fuzz"), "fuzz");
  } catch (const velta::EngineError& e) {
    viaDouble = e.number();
  }
  require(exact == 0 || exact == 6 || exact == 13);
  if (digits <= 15 && text.size() < 64) {
    require(exact == viaDouble);
    require(exactValue == doubleValue);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider input(bytes, size);
  const uint8_t selector = input.ConsumeIntegral<uint8_t>();
  const int32_t position = static_cast<int32_t>(input.ConsumeIntegral<uint8_t>()) - 2;  // -2 to 253
  const std::string data = input.ConsumeRemainingBytesAsString();

  unpackEveryOpCode(data, position);
  expandAndCompress(data);
  trimSplitAndDash(data, selector);
  readNumber(data);
  return 0;
}
