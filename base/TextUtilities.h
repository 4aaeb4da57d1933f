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

// The runtime's Mid$: `length` bytes from the 1-based `start`, fewer at the
// end, none from beyond it (a record field read from a short record).
std::string mid(std::string_view text, std::size_t start, std::size_t length);

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

// Letter case of the business system's 8-bit text, in its code page
// (Windows-1252): besides a-z, the accented letters of the upper half
// ("\xE9" é is "\xC9" É; "\xFF" ÿ is "\x9F" Ÿ; š, œ, ž are Š, Œ, Ž). ß, µ and
// every other byte have no other case. The comparisons that ignore case (keyed
// collections, the line-code map, profile files, the terminal map, text
// searches) use these.
std::string upperText(std::string_view text);
std::string lowerText(std::string_view text);
bool equalsText(std::string_view a, std::string_view b);

// ASCII letter case only: for names of this side's own formats (share map
// options, SMB credentials, paths on the file server).
std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace velta
