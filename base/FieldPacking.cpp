#include "base/FieldPacking.h"

#include "base/ByteOrder.h"
#include "base/EngineError.h"
#include "base/TextUtilities.h"

namespace velta {

namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "I", "J", "K" in either case: packWidth has accepted the letter already.
bool isSignedOpCode(char op) { return op == 'I' || op == 'J' || op == 'K' || op == 'i' || op == 'j' || op == 'k'; }

// The checks of Pack and Unpack, in their order: the opcode (100), a position
// below 1 (5), a record too short for the field (31). Returns the width; the
// texts name the opcode upper-cased.
int checkedWidth(std::string_view opCode, std::string_view data, int32_t position, bool packing) {
  const int width = packWidth(opCode);
  const char* source = packing ? "Pack" : "UnPack";
  if (width == 0) throw EngineError(100, source, "Unknown OpCode = " + quoted(upperOpCode(opCode)));
  if (position < 1) throw EngineError::general(err::InvalidCall, source);
  if (static_cast<int64_t>(data.size()) < static_cast<int64_t>(position) + width - 1) {
    const std::string op = quoted(upperOpCode(opCode));
    const std::string where = std::to_string(position);
    const std::string length = std::to_string(data.size());
    throw EngineError(31, source,
                      packing ? "Invalid Subscript.  Pack " + op + ", Data$, " + where + "   Len(Data$) = " + length
                              : "Invalid Subscript.  UnPack(" + op + ", Data$, " + where + ")   Len(Data$) = " + length);
  }
  return width;
}

// MMDDYY as a date: the six digits read as MM/DD/YY, so more than six digits
// make a month above 99, which is no month.
Date dateFromMmDdYy(int32_t mmddyy) {
  const auto date = makeDate(windowYear(mmddyy % 100), mmddyy / 10000, (mmddyy / 100) % 100);
  return date ? *date : kNullDate;
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
  const int width = checkedWidth(opCode, data, position, true);
  storeBigEndian(data, static_cast<std::size_t>(position - 1), width, static_cast<uint32_t>(value));
}

int32_t Unpack(std::string_view opCode, std::string_view data, int32_t position) {
  const int width = checkedWidth(opCode, data, position, false);
  const std::size_t offset = static_cast<std::size_t>(position - 1);
  uint32_t value = loadBigEndian(data, offset, width);
  // Only the 1- to 3-byte signed letters need fill bytes; "L" is signed by its 4 bytes.
  if (isSignedOpCode(opCode[0]) && (static_cast<unsigned char>(data[offset]) & 0x80u)) {
    value |= ~((1u << (8 * width)) - 1u);
  }
  return static_cast<int32_t>(value);
}

void Pack(std::string& opCode, std::string& data, int32_t value, int32_t position) {
  opCode = upperOpCode(opCode);
  Pack(std::string_view(opCode), data, value, position);
}

int32_t Unpack(std::string& opCode, std::string_view data, int32_t position) {
  opCode = upperOpCode(opCode);
  return Unpack(std::string_view(opCode), data, position);
}

void PackDate(std::string_view opCode, std::string& data, int32_t position, Date value) {
  const bool dayNumber = opCode == "C" || opCode == "J";
  const bool mmddyy = opCode == "D" || opCode == "K";
  const bool yymmdd = opCode == "R";
  if (!dayNumber && !mmddyy && !yymmdd) return;
  if (!value.ok()) throw EngineError::general(err::InvalidCall, "PackDate");

  const int32_t yy = yearOf(value) % 100, mm = monthOf(value), dd = dayOf(value);
  if (dayNumber) {
    Pack("C", data, dayNumberOf(value), position);
  } else if (mmddyy) {
    Pack("D", data, mm * 10000 + dd * 100 + yy, position);
  } else {
    Pack("D", data, yy * 10000 + mm * 100 + dd, position);
  }
}

Date UnPackDate(std::string_view opCode, std::string_view data, int32_t position) {
  try {
    if (opCode == "C" || opCode == "J") return dateFromDayNumber(Unpack("C", data, position));
    if (opCode == "D" || opCode == "K") return dateFromMmDdYy(Unpack("D", data, position));
    if (opCode == "R") {
      const int32_t yymmdd = Unpack("D", data, position);
      return dateFromMmDdYy((yymmdd % 10000) * 100 + yymmdd / 10000);
    }
    return kNullDate;
  } catch (const EngineError&) {
    return kNullDate;
  }
}

}  // namespace velta
