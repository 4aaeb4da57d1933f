// Packed integer fields: every opcode's width and sign, the order of the
// checks, the exact error texts, and the caller's opcode variable.
#include <gtest/gtest.h>

#include "base/EngineError.h"
#include "base/FieldPacking.h"
#include "support/Raised.h"

namespace velta {
namespace {

using namespace std::string_literals;
using test::raised;

TEST(Pack, StoresTheLowOrderBytesBigEndianWhateverTheLetter) {
  std::string four(4, '\x55');
  Pack("L", four, 1, 1);
  EXPECT_EQ(four, "\x00\x00\x00\x01"s);
  Pack("L", four, -2, 1);
  EXPECT_EQ(four, "\xFF\xFF\xFF\xFE"s);

  std::string one(1, '\0');
  Pack("B", one, 300, 1);  // 300 = 0x12C: no range check, the low byte stays
  EXPECT_EQ(one, "\x2C"s);
  Pack("I", one, 300, 1);
  EXPECT_EQ(one, "\x2C"s);

  std::string two(2, '\0');
  Pack("C", two, -1, 1);
  EXPECT_EQ(two, "\xFF\xFF"s);
  EXPECT_EQ(Unpack("C", two, 1), 65535);
  EXPECT_EQ(Unpack("J", two, 1), -1);

  std::string rec = "abcdefgh";
  Pack("D", rec, 0x010203, 3);
  EXPECT_EQ(rec, "ab\x01\x02\x03" "fgh"s);  // in place, length kept
  Pack("K", rec, 0x7FFFFF, 6);
  EXPECT_EQ(rec, "ab\x01\x02\x03\x7F\xFF\xFF"s);
}

TEST(Unpack, SignedLettersFillFromTheTopBit) {
  const std::string b80 = "\x80"s;
  EXPECT_EQ(Unpack("I", b80, 1), -128);
  EXPECT_EQ(Unpack("B", b80, 1), 128);
  EXPECT_EQ(Unpack("I", "\x7F"s, 1), 127);

  const std::string fffffe = "\xFF\xFF\xFE"s;
  EXPECT_EQ(Unpack("K", fffffe, 1), -2);
  EXPECT_EQ(Unpack("D", fffffe, 1), 16777214);
  EXPECT_EQ(Unpack("K", "\x80\x00\x00"s, 1), -8388608);
  EXPECT_EQ(Unpack("K", "\x7F\xFF\xFF"s, 1), 8388607);

  EXPECT_EQ(Unpack("J", "\x80\x00"s, 1), -32768);
  EXPECT_EQ(Unpack("C", "\x80\x00"s, 1), 32768);
  EXPECT_EQ(Unpack("L", "\x80\x00\x00\x00"s, 1), INT32_MIN);
  EXPECT_EQ(Unpack("L", "\x12\x34\x56\x78"s, 1), 0x12345678);

  // Only the field's own first byte decides the sign, not the byte before it.
  EXPECT_EQ(Unpack("J", "\xFF\x01\x02"s, 2), 0x0102);
}

TEST(Unpack, ReadsWhatPackWroteForEveryLetter) {
  struct Case { const char* op; int32_t value; int32_t expected; };
  for (const Case& c : {Case{"B", 255, 255}, Case{"C", 65535, 65535}, Case{"D", 16777215, 16777215},
                        Case{"I", -1, -1}, Case{"J", -300, -300}, Case{"K", -70000, -70000},
                        Case{"L", INT32_MIN, INT32_MIN}, Case{"B", -1, 255}, Case{"D", -1, 16777215}}) {
    std::string rec(6, '\0');
    Pack(c.op, rec, c.value, 2);
    EXPECT_EQ(Unpack(c.op, rec, 2), c.expected) << c.op << " " << c.value;
    EXPECT_EQ(rec[0], '\0') << "byte before the field touched by " << c.op;
  }
}

TEST(Pack, FieldEndingOnTheLastByteFitsOneFurtherDoesNot) {
  std::string rec(48, '\0');
  Pack("C", rec, 0x1234, 47);
  EXPECT_EQ(rec.substr(46), "\x12\x34"s);
  EXPECT_EQ(rec.size(), 48u);

  const std::string before = rec;
  const EngineError e = raised([&] { Pack("C", rec, 1, 48); });
  EXPECT_EQ(e.number(), 31);
  EXPECT_EQ(e.source(), "Pack");
  EXPECT_EQ(e.description(), "Invalid Subscript.  Pack \"C\", Data$, 48   Len(Data$) = 48");
  EXPECT_TRUE(e.description().ends_with("   Len(Data$) = 48"));
  EXPECT_EQ(rec, before) << "Data must be unchanged when Pack raises";
}

TEST(Unpack, TooShortRecordGivesItsOwnText) {
  const EngineError e = raised([] { Unpack("l", "abc", 1); });
  EXPECT_EQ(e.number(), 31);
  EXPECT_EQ(e.source(), "UnPack");
  EXPECT_EQ(e.description(), "Invalid Subscript.  UnPack(\"L\", Data$, 1)   Len(Data$) = 3");
  EXPECT_EQ(raised([] { Unpack("B", "", 1); }).description(),
            "Invalid Subscript.  UnPack(\"B\", Data$, 1)   Len(Data$) = 0");
  EXPECT_EQ(Unpack("B", "abc", 3), 'c');
}

TEST(Pack, UnknownOpCodeIsQuotedUpperCased) {
  std::string rec(4, '\0');
  EngineError e = raised([&] { Pack("x", rec, 1, 1); });
  EXPECT_EQ(e.number(), 100);
  EXPECT_EQ(e.source(), "Pack");
  EXPECT_EQ(e.description(), "Unknown OpCode = \"X\"");

  e = raised([] { Unpack("r", "abcd", 1); });
  EXPECT_EQ(e.number(), 100);
  EXPECT_EQ(e.source(), "UnPack");
  EXPECT_EQ(e.description(), "Unknown OpCode = \"R\"");

  EXPECT_EQ(raised([] { Unpack("BB", "abcd", 1); }).description(), "Unknown OpCode = \"BB\"");
  EXPECT_EQ(raised([] { Unpack("", "abcd", 1); }).description(), "Unknown OpCode = \"\"");
}

TEST(Pack, ChecksOpCodeThenPositionThenLength) {
  std::string empty;
  // Bad opcode, bad position and too short all at once: the opcode wins.
  EXPECT_EQ(raised([&] { Pack("Q", empty, 1, 0); }).number(), 100);
  EXPECT_EQ(raised([&] { Unpack("Q", empty, -5); }).number(), 100);
  // Bad position and too short: the position wins, with the runtime's text.
  EngineError e = raised([&] { Pack("B", empty, 1, 0); });
  EXPECT_EQ(e.number(), 5);
  EXPECT_EQ(e.source(), "Pack");
  EXPECT_EQ(e.description(), "Invalid procedure call or argument");
  e = raised([] { Unpack("L", "abcdefgh", INT32_MIN); });
  EXPECT_EQ(e.number(), 5);
  EXPECT_EQ(e.source(), "UnPack");
  // A position near the top of the range must not wrap into a small offset.
  EXPECT_EQ(raised([] { Unpack("L", "abcd", INT32_MAX); }).number(), 31);
}

TEST(Pack, LowerCaseOpCodesWorkAndTheCallersVariableIsUpperCased) {
  std::string rec(2, '\0');
  std::string op = "c";
  Pack(op, rec, 0x0102, 1);
  EXPECT_EQ(op, "C");
  EXPECT_EQ(rec, "\x01\x02"s);

  op = "j";
  EXPECT_EQ(Unpack(op, rec, 1), 0x0102);
  EXPECT_EQ(op, "J");

  op = "x";  // upper-cased before the check, so also when it raises
  EXPECT_EQ(raised([&] { Pack(op, rec, 1, 1); }).number(), 100);
  EXPECT_EQ(op, "X");
}

}  // namespace
}  // namespace velta
