// Stma: the business system's calendar conversions and the compression alphabet,
// selected by a function code in Var1. Var2 to Var6 are in/out tagged values;
// Var3 to Var6 are optional (nullptr: not given, outputs to it are dropped).
//
//   code  input                               output
//   10    Var2 = 0, Var3 a 4-character text   the first four characters of the
//                                             compression alphabet become Var3
//                                             (anything else: nothing happens)
//   11    Var2 = day number                   Var6 the date, Var3 its month,
//                                             Var4 its day, Var5 its two-digit year
//   12    Var3 month, Var4 day, Var5 year     Var2 the day number
//   other                                     nothing
//
// Code 12 takes years 0-99 in the window 1930-2029 and years from 100 as they
// are; values that do not make a date (also an empty one) raise 13 "Type mismatch". Code 11 raises
// 6 "Overflow" for a day number whose date lies beyond the year 9999 (or before 100).
//
//   Value n = 366, month, day, year, date;
//   Stma(11, n, &month, &day, &year, &date);   // 12, 31, 68, 31 December 1968
//   Value m = 1, d = 2, y = 68, dayNumber;
//   Stma(12, dayNumber, &m, &d, &y);           // dayNumber == 2
#pragma once

#include <cstdint>

#include "base/Value.h"

namespace velta {

void Stma(const Value& var1, Value& var2, Value* var3 = nullptr, Value* var4 = nullptr,
          Value* var5 = nullptr, Value* var6 = nullptr);

}  // namespace velta
