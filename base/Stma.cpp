#include "base/Stma.h"

#include "base/BaseState.h"
#include "base/Calendar.h"
#include "base/EngineError.h"

namespace velta {

namespace {

constexpr const char* kSource = "Stma";
constexpr int32_t kSetAlphabet = 10;
constexpr int32_t kDateOfDayNumber = 11;
constexpr int32_t kDayNumberOfDate = 12;
constexpr std::size_t kReplaceableCharacters = 4;

EngineError notADate() { return EngineError::general(err::TypeMismatch, kSource); }

// Var2 = 0 holds for an empty value and for anything that reads as the number 0.
bool isZero(const Value& value) {
  try {
    return value.toDouble(kSource) == 0;
  } catch (const EngineError&) {
    return false;
  }
}

void setAlphabet(const Value& var2, const Value* var3) {
  if (!isZero(var2) || !var3 || !var3->isText() || var3->text().size() != kReplaceableCharacters) return;
  baseState().compressionAlphabet.replace(0, kReplaceableCharacters, var3->text());
}

void dateOfDayNumber(const Value& var2, Value* month, Value* day, Value* year, Value* date) {
  const Date d = dateFromDayNumber(var2.toInt32(kSource), kSource);
  if (month) *month = Value(monthOf(d));
  if (day) *day = Value(dayOf(d));
  if (year) *year = Value(yearOf(d) % 100);
  if (date) *date = Value(d);
}

int32_t asDatePart(const Value& value) {
  if (value.isEmpty()) throw notADate();
  try {
    return value.toInt32(kSource);
  } catch (const EngineError&) {
    throw notADate();  // an overflowing or non-numeric part makes no date either
  }
}

int32_t dayNumberOfMonthDayYear(const Value& month, const Value& day, const Value& year) {
  const int32_t m = asDatePart(month), d = asDatePart(day), y = asDatePart(year);
  if (y < 0) throw notADate();
  const auto date = makeDate(y < 100 ? windowYear(y) : y, m, d);
  if (!date) throw notADate();
  return dayNumberOf(*date);
}

}  // namespace

void Stma(const Value& var1, Value& var2, Value* var3, Value* var4, Value* var5, Value* var6) {
  switch (var1.toInt32(kSource)) {
    case kSetAlphabet:
      setAlphabet(var2, var3);
      break;
    case kDateOfDayNumber:
      dateOfDayNumber(var2, var3, var4, var5, var6);
      break;
    case kDayNumberOfDate:
      if (!var3 || !var4 || !var5) throw notADate();
      var2 = Value(dayNumberOfMonthDayYear(*var3, *var4, *var5));
      break;
    default:
      break;
  }
}

}  // namespace velta
