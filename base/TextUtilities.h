// Text routines of the business system: trimming, searching, splitting,
// yes/no flags and dashed numbers. Every character is one byte.
//
//   Trun("AB \0\r", 1)           // "AB": trailing NUL, tab, LF, CR and blanks go
//   Split("A  B", " ")           // {"A", "B"}: empty pieces are dropped
//   InsertDashes(t = "12345678", "47")   // t == "123-45-678"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velta {

// Flag 0: without trailing blanks. Any other flag: without trailing NUL, tab,
// line-feed, carriage-return and blank characters. Leading characters stay.
std::string Trun(std::string_view source, int32_t flgRemoveControlCharacters = 0);

// The 1-based position of the first `target` in `source` (exact), 0 when absent.
// An empty target is found at 1, except in an empty source, which holds nothing.
void StrPos(int32_t& location, std::string_view source, std::string_view target);

// Splits at every `delimiter` (compare 0 exact, 1 without regard to letter
// case), at most `limit` pieces (-1 for no limit, the last piece keeps the
// rest), then drops every empty piece and every piece that still holds the
// delimiter: so an empty delimiter gives no pieces, and a limit drops the
// unsplit rest. A limit below -1 or another compare raises 5.
std::vector<std::string> Split(std::string_view expression, std::string_view delimiter = " ",
                               int32_t limit = -1, int32_t compare = 0);

// True exactly when text is "Y".
bool IsYes(std::string_view text);
// "Y" or "N".
std::string YesNo(bool flag);

// For each mask character (trailing blanks removed) found among "123456789ABCDEFGHI"
// at index k (1-based), inserts "-" before the k-th character of the text as it
// stands by then. Other mask characters are skipped.
void InsertDashes(std::string& text, std::string_view mask);

// ASCII letter case, as the business system's 8-bit names compare.
std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace velta
