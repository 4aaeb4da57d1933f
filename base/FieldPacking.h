// Packed integer and date fields inside record strings.
//
// Integer opcodes (big-endian, positions 1-based):
//
//   opcode  width  Unpack reads as
//   "B"     1      unsigned 0..255
//   "C"     2      unsigned 0..65535
//   "D"     3      unsigned 0..16777215
//   "I"     1      signed -128..127
//   "J"     2      signed -32768..32767
//   "K"     3      signed -8388608..8388607
//   "L"     4      signed 32-bit
//
// Pack stores the low-order bytes of the value whatever the letter: Pack "C"
// of -1 stores FF FF. Opcodes are upper-cased first; given as a std::string
// variable, the variable itself is upper-cased, as the business system's
// programs expect. Checks, in this order: unknown opcode 100, a position below
// 1 error 5, a record too short 31. Data is unchanged when Pack raises.
//
// Date opcodes (capital letters only; PackDate writes nothing for others):
//
//   "C", "J"  2 bytes  day number (see Calendar.h)
//   "D", "K"  3 bytes  MMDDYY as a decimal number
//   "R"       3 bytes  YYMMDD as a decimal number
//
// UnPackDate reads "D"/"K" as the digits MM/DD/YY (more than six digits widen
// the month, which then is no month), "R" as YY/MM/DD, and two-digit years in
// the window 1930-2029.
//
//   std::string rec(48, '\0');
//   Pack("L", rec, 1, 1);              // rec begins 00 00 00 01
//   int32_t n = Unpack("L", rec, 1);   // 1
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Calendar.h"

namespace velta {

// The width of an integer opcode ("b" counts as "B"), 0 when it is not one.
int packWidth(std::string_view opCode);

void Pack(std::string_view opCode, std::string& data, int32_t value, int32_t position);
int32_t Unpack(std::string_view opCode, std::string_view data, int32_t position);
// The same, upper-casing the caller's opcode variable first (also when they raise).
void Pack(std::string& opCode, std::string& data, int32_t value, int32_t position);
int32_t Unpack(std::string& opCode, std::string_view data, int32_t position);

// Raises what Pack raises, and 5 for a date that does not exist (such as 30 February).
void PackDate(std::string_view opCode, std::string& data, int32_t position, Date value);
// Never fails: anything unreadable is the null date, 1 January 1968.
Date UnPackDate(std::string_view opCode, std::string_view data, int32_t position);

// The opcode as Pack and Unpack see it (ASCII letters upper-cased).
std::string upperOpCode(std::string_view opCode);

}  // namespace velta
