#include "engine/FieldPacking.h"

#include "engine/ByteOrder.h"
#include "engine/EngineError.h"
#include "engine/TextUtilities.h"

namespace velta {

namespace {

constexpr char kQuote = '"';

bool isSignedOpCode(char op) { return op == 'I' || op == 'J' || op == 'K'; }

// Throws 100, 5 or 31 as Pack and Unpack must; returns the width.
int checkedWidth(const std::string& op, std::string_view data, int32_t position, bool packing) {
  const int width = packWidth(op);
  const std::string source = packing ? "Pack" : "UnPack";
  if (width == 0) {
    throw EngineError(100, source, "Unknown OpCode = " + std::string(1, kQuote) + op + kQuote);
  }
  if (position < 1) throw EngineError::general(err::InvalidCall, source);
  if (static_cast<int64_t>(data.size()) < static_cast<int64_t>(position) + width - 1) {
    const std::string quoted = std::string(1, kQuote) + op + kQuote;
    const std::string where = std::to_string(position);
    const std::string length = std::to_string(data.size());
    throw EngineError(31, source,
                      packing ? "Invalid Subscript.  Pack " + quoted + ", Data$, " + where +
                                    "   Len(Data$) = " + length
                              : "Invalid Subscript.  UnPack(" + quoted + ", Data$, " + where +
                                    ")   Len(Data$) = " + length);
  }
  return width;
}

}  // namespace

std::string upperOpCode(std::string_view opCode) { return upperAscii(opCode); }

int packWidth(std::string_view opCode) {
  if (opCode.size() != 1) return 0;
  switch (opCode[0]) {
    case 'B': case 'b': case 'I': case 'i': return 1;
    case 'C': case 'c': case 'J': case 'j': return 2;
    case 'D': case 'd': case 'K': case 'k': return 3;
    case 'L': case 'l': return 4;
    default: return 0;
  }
}

void Pack(std::string_view opCode, std::string& data, int32_t value, int32_t position) {
  const std::string op = upperOpCode(opCode);
  const int width = checkedWidth(op, data, position, true);
  storeBigEndian(data, static_cast<std::size_t>(position - 1), width, static_cast<uint32_t>(value));
}

int32_t Unpack(std::string_view opCode, std::string_view data, int32_t position) {
  const std::string op = upperOpCode(opCode);
  const int width = checkedWidth(op, data, position, false);
  const std::size_t offset = static_cast<std::size_t>(position - 1);
  uint32_t value = loadBigEndian(data, offset, width);
  if (isSignedOpCode(op[0]) && (static_cast<unsigned char>(data[offset]) & 0x80u)) {
    value |= ~((1u << (8 * width)) - 1u);  // fill bytes FF
  }
  return static_cast<int32_t>(value);
}

void PackDate(std::string_view opCode, std::string& data, int32_t position, Date value) {
  if (opCode == "C" || opCode == "J") {
    Pack("C", data, dayNumberOf(value), position);
  } else if (opCode == "D" || opCode == "K") {
    Pack("D", data, monthOf(value) * 10000 + dayOf(value) * 100 + yearOf(value) % 100, position);
  } else if (opCode == "R") {
    Pack("D", data, (yearOf(value) % 100) * 10000 + monthOf(value) * 100 + dayOf(value), position);
  }
}

Date UnPackDate(std::string_view opCode, std::string_view data, int32_t position) {
  try {
    int32_t mmddyy;
    if (opCode == "C" || opCode == "J") {
      return dateFromDayNumber(Unpack("C", data, position));
    } else if (opCode == "D" || opCode == "K") {
      mmddyy = Unpack("D", data, position);
    } else if (opCode == "R") {
      const int32_t yymmdd = Unpack("D", data, position);
      mmddyy = (yymmdd % 10000) * 100 + yymmdd / 10000;
    } else {
      return kNullDate;
    }
    // "00/00/00": month, day and two-digit year; more than six digits widen the month.
    const auto date = makeDate(windowYear(mmddyy % 100), mmddyy / 10000, (mmddyy / 100) % 100);
    return date ? *date : kNullDate;
  } catch (const EngineError&) {
    return kNullDate;
  }
}

}  // namespace velta
