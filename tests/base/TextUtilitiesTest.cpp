// Trimming, searching, splitting, yes/no flags and dashes.
#include <gtest/gtest.h>

#include "base/TextUtilities.h"
#include "support/Raised.h"

namespace velta {
namespace {

using namespace std::string_literals;
using test::raised;
using Pieces = std::vector<std::string>;

TEST(Trun, FlagZeroTakesOnlyTrailingBlanks) {
  const std::string text = "AB \0\r"s;
  EXPECT_EQ(Trun(text, 1), "AB");
  EXPECT_EQ(Trun(text, 0), text);  // its last character is no blank
  EXPECT_EQ(Trun(text), text);
  EXPECT_EQ(Trun("  A B  "), "  A B");
  EXPECT_EQ(Trun("A\t"), "A\t");
}

TEST(Trun, AnyOtherFlagTakesTrailingControlCharactersAndLeavesLeadingOnes) {
  EXPECT_EQ(Trun("\0\tA\0\t\n\r "s, 1), "\0\tA"s);
  EXPECT_EQ(Trun("A\x01"s, -7), "A\x01"s);  // only NUL, tab, LF, CR and blank go
  EXPECT_EQ(Trun("A\f", 2), "A\f");
  EXPECT_EQ(Trun(" \0\r\n\t"s, 1), "");
  EXPECT_EQ(Trun("", 1), "");
  EXPECT_EQ(Trun("   ", 0), "");
}

TEST(Mid, BytesFromAOneBasedStartFewerAtTheEnd) {
  struct Case {
    std::size_t start, length;
    std::string expected;
  };
  for (const Case& c : {Case{2, 3, "BCD"}, Case{5, 10, "EF"}, Case{6, 1, "F"}, Case{7, 1, ""}, Case{0, 2, ""},
                        Case{1, 0, ""}, Case{1, 6, "ABCDEF"}}) {
    EXPECT_EQ(mid("ABCDEF", c.start, c.length), c.expected) << c.start << " " << c.length;
  }
  EXPECT_EQ(mid(std::string("A\0B", 3), 2, 2), std::string("\0B", 2));
  EXPECT_EQ(mid("", 1, 1), "");
}

TEST(StrPos, OneBasedFirstExactOccurrence) {
  int32_t location = -1;
  StrPos(location, "ABCABC", "CA");
  EXPECT_EQ(location, 3);
  StrPos(location, "ABCABC", "ca");
  EXPECT_EQ(location, 0);
  StrPos(location, "ABC", "ABCD");
  EXPECT_EQ(location, 0);
  StrPos(location, "A\0B"s, "\0B"s);
  EXPECT_EQ(location, 2);
  StrPos(location, "ABC", "");
  EXPECT_EQ(location, 1);
  StrPos(location, "", "");
  EXPECT_EQ(location, 0);
}

TEST(Split, DropsEmptyPieces) {
  EXPECT_EQ(Split("A  B", " "), (Pieces{"A", "B"}));
  EXPECT_EQ(Split("  A B  "), (Pieces{"A", "B"}));
  EXPECT_EQ(Split("", " "), Pieces{});
  EXPECT_EQ(Split("   ", " "), Pieces{});
  EXPECT_EQ(Split("7,x", ","), (Pieces{"7", "x"}));
  EXPECT_EQ(Split("a::b:::c", "::"), (Pieces{"a", "b", ":c"}));
  EXPECT_EQ(Split("WS1 7,x  extra", " ", -1, 0), (Pieces{"WS1", "7,x", "extra"}));
}

TEST(Split, CompareOneIgnoresLetterCase) {
  EXPECT_EQ(Split("aXbxc", "x", -1, 0), (Pieces{"aXb", "c"}));
  EXPECT_EQ(Split("aXbxc", "x", -1, 1), (Pieces{"a", "b", "c"}));
  EXPECT_EQ(Split("oneANDtwoandthree", "and", -1, 1), (Pieces{"one", "two", "three"}));
}

TEST(Split, LimitsAndEmptyDelimitersDropWhatStillHoldsTheDelimiter) {
  EXPECT_EQ(Split("A B C", " ", 2), (Pieces{"A"}));  // "B C" still holds a blank
  EXPECT_EQ(Split("A B", " ", 2), (Pieces{"A", "B"}));
  EXPECT_EQ(Split("A B", " ", 1), Pieces{});
  EXPECT_EQ(Split("AB", " ", 1), (Pieces{"AB"}));
  EXPECT_EQ(Split("A B", " ", 0), Pieces{});
  EXPECT_EQ(Split("A B", ""), Pieces{});
  EXPECT_EQ(Split("", ""), Pieces{});
}

TEST(Split, RefusesLimitsBelowMinusOneAndUnknownCompares) {
  const EngineError e = raised([] { Split("A B", " ", -2); });
  EXPECT_EQ(e.number(), 5);
  EXPECT_EQ(e.source(), "Split");
  EXPECT_EQ(raised([] { Split("A B", " ", -1, 2); }).number(), 5);
}

TEST(YesNo, OnlyACapitalYIsYes) {
  EXPECT_TRUE(IsYes("Y"));
  EXPECT_FALSE(IsYes("y"));
  EXPECT_FALSE(IsYes("Y "));
  EXPECT_FALSE(IsYes("YES"));
  EXPECT_FALSE(IsYes(""));
  EXPECT_EQ(YesNo(true), "Y");
  EXPECT_EQ(YesNo(false), "N");
}

TEST(InsertDashes, LaterMaskCharactersCountTheChangedText) {
  std::string text = "12345678";
  InsertDashes(text, "47");
  EXPECT_EQ(text, "123-45-678");

  text = "ABCDEFGHIJKLMNOPQRSTU";
  InsertDashes(text, "AI  ");  // 10 and 18; trailing blanks of the mask are dropped
  EXPECT_EQ(text, "ABCDEFGHI-JKLMNOP-QRSTU");
}

TEST(InsertDashes, SkipsCharactersBeyondTheFirstEighteen) {
  std::string text = "ABCDEFGHIJKLMNOPQRSTU";
  InsertDashes(text, "JKL0a -");  // J, K, L are 19-21: not used; 0, a, "-" are no positions
  EXPECT_EQ(text, "ABCDEFGHIJKLMNOPQRSTU");
  text = "ABCD";
  InsertDashes(text, " 2");  // a blank inside the mask is skipped
  EXPECT_EQ(text, "A-BCD");
  InsertDashes(text, "");
  EXPECT_EQ(text, "A-BCD");
}

TEST(InsertDashes, PositionsBeyondTheTextAppendTheDash) {
  std::string text = "12";
  InsertDashes(text, "3");
  EXPECT_EQ(text, "12-");
  text = "12";
  InsertDashes(text, "9");
  EXPECT_EQ(text, "12-");
  text = "";
  InsertDashes(text, "11");
  EXPECT_EQ(text, "--");
}

TEST(AsciiCase, LettersOnlyAndBytesAboveTheAsciiRangeStay) {
  EXPECT_EQ(upperAscii("abz\xE9{"), "ABZ\xE9{");
  EXPECT_EQ(lowerAscii("ABZ\xC9@"), "abz\xC9@");
  EXPECT_TRUE(equalsIgnoreCase("VndrI", "VNDRi"));
  EXPECT_FALSE(equalsIgnoreCase("VNDR", "VNDRI"));
  EXPECT_FALSE(equalsIgnoreCase("\xE9", "\xC9"));
}

}  // namespace
}  // namespace velta

namespace velta {
namespace {

// Letter case in the system's code page, Windows-1252, byte by byte.
TEST(CodePageCase, TheAccentedLettersOfWindows1252HaveTwoCases) {
  const struct {
    const char* lower;
    const char* upper;
  } pairs[] = {
      {"abc xyz", "ABC XYZ"},
      {"\xE9", "\xC9"},                  // é É
      {"\xE0\xE7\xF1\xFE", "\xC0\xC7\xD1\xDE"},  // à ç ñ þ
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},  // š œ ž ÿ
  };
  for (const auto& p : pairs) {
    EXPECT_EQ(upperText(p.lower), p.upper) << p.lower;
    EXPECT_EQ(lowerText(p.upper), p.lower) << p.upper;
    EXPECT_TRUE(equalsText(p.lower, p.upper)) << p.lower;
  }
  // No other case: ÷ × ß µ, the control bytes, digits, the upper half's signs.
  for (const char* same : {"\xF7", "\xD7", "\xDF", "\xB5", "\x80\x81\x8D\xA0\xBF", "09|"}) {
    EXPECT_EQ(upperText(same), same);
    EXPECT_EQ(lowerText(same), same);
  }
  EXPECT_FALSE(equalsText("\xF7", "\xD7"));
  EXPECT_FALSE(equalsText("\xE9", "E"));
  // The ASCII routines stay ASCII.
  EXPECT_EQ(upperAscii("\xE9"), "\xE9");
  EXPECT_FALSE(equalsIgnoreCase("\xE9", "\xC9"));
}

TEST(CodePageCase, TextSearchesIgnoreAccentedCaseToo) {
  using Pieces = std::vector<std::string>;
  EXPECT_EQ(Split("a\xC9" "b\xE9" "c", "\xE9", -1, 1), (Pieces{"a", "b", "c"}));
  EXPECT_EQ(Split("a\xC9" "b\xE9" "c", "\xE9", -1, 0), (Pieces{"a\xC9" "b", "c"}));
}

}  // namespace
}  // namespace velta
