// Small pieces of text handling shared by the simulator's reader, checker and
// answer builders: fields of a record, values safe to quote in an answer,
// numbers, money, dates, and the Latin-1 / UTF-8 crossing of the JSON files.
//
//   splitFields("05|FIL|PH3614|2")     // {"05", "FIL", "PH3614", "2"}
//   shown("a|b")                       // "\"a\\x7Cb\"" : quoted, no "|" or LF left
//   parseMoney("12.49")                // 1249 (cents)
//   compactDate(ymd)                   // "20240603"
//
// Record text is one byte per character (Latin-1); JSON text is UTF-8.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velta::distributor {

using Date = std::chrono::year_month_day;

// The fields of one record, split at every "|"; empty fields kept.
std::vector<std::string_view> splitFields(std::string_view record);

// `value` in double quotes, fit to stand in a field of an answer: bytes below
// 32, 127, "|" and "\" written as \xNN, and more than 40 bytes cut to 40 and "...".
std::string shown(std::string_view value);

// Whether `value` can stand in a field of a record: no "|", LF, CR or TAB.
bool fieldSafe(std::string_view value);

// Blanks removed from both ends.
std::string_view trimBlanks(std::string_view text);
std::string upperAscii(std::string_view text);

// A whole number of decimal digits only (no sign, no blanks) up to `max`.
std::optional<std::int64_t> wholeNumber(std::string_view text, std::int64_t max);

// Money as the catalog writes it: digits, optionally "." and one or two more
// digits ("12", "12.5", "12.49"); in cents. At most 99999999.99.
std::optional<std::int64_t> parseMoney(std::string_view text);
// Cents as "12.49", "0.05".
std::string formatMoney(std::int64_t cents);

// "yyyymmdd" of a real calendar date, and back.
std::optional<Date> parseCompactDate(std::string_view text);
std::string compactDate(Date date);
// "yyyy-mm-dd" of a real calendar date.
std::optional<Date> parseIsoDate(std::string_view text);
Date addDays(Date date, int days);

// Latin-1 bytes as UTF-8, and UTF-8 back to Latin-1 (none when the text is not
// UTF-8 or holds a character above U+00FF).
std::string latin1ToUtf8(std::string_view latin1);
std::optional<std::string> utf8ToLatin1(std::string_view utf8);

}  // namespace velta::distributor
