// The check token: the last field of every request header. The distributor
// recomputes it from the time and date fields of the same header and the
// token table both sides hold.
//
//   std::string token = makeToken("20240315", "10:20:07");   // configured table
//   std::string same = makeToken("20240315", "10:20:07", TokenTable::demonstration());
//
// How it is made: the seconds s of the time rotate the table left by s places;
// the date's first and last digits change places unless either is "0"; the
// eight digits, read as a number n, are written in base 63 with the rotated
// table's first 63 characters as digits, most significant first, no leading
// zero digits. Dates of this century give four characters (n below 63^4) or
// five; n = 0 gives the empty token.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/TokenTable.h"

namespace velta {

// The token for `date` ("yyyymmdd") and `time` ("hh:mm:ss") with the configured
// table (TokenTable::configured()). A date or time of another form is
// EngineError 5 (source "makeToken") with a description of what is wrong; a
// refused table is -22.
std::string makeToken(std::string_view date, std::string_view time);
// The same with an explicit table.
std::string makeToken(std::string_view date, std::string_view time, const TokenTable& table);

// What is wrong with a date or time for makeToken, or nothing when both serve:
// the date must be eight decimal digits, the time "hh:mm:ss" of a 24-hour clock.
std::optional<std::string> tokenInputProblem(std::string_view date, std::string_view time);

}  // namespace velta
