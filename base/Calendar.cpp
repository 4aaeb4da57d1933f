#include "base/Calendar.h"

#include <cstdio>

#include "base/EngineError.h"

namespace velta {

namespace {
constexpr std::chrono::sys_days kDayZero{
    std::chrono::year_month_day{std::chrono::year{1967}, std::chrono::December, std::chrono::day{31}}};
constexpr std::chrono::sys_days kFirstDay{
    std::chrono::year_month_day{std::chrono::year{kFirstYear}, std::chrono::January, std::chrono::day{1}}};
constexpr std::chrono::sys_days kLastDay{
    std::chrono::year_month_day{std::chrono::year{kLastYear}, std::chrono::December, std::chrono::day{31}}};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

Date dateFromDayNumber(int32_t dayNumber, std::string_view source) {
  if (dayNumber == 0) return kNullDate;
  // Count in 64 bits: kDayZero + INT32_MIN days must not wrap before the range check.
  const int64_t days = static_cast<int64_t>((kDayZero - std::chrono::sys_days{}).count()) + dayNumber;
  if (days < kFirstDay.time_since_epoch().count() || days > kLastDay.time_since_epoch().count()) {
    throw EngineError::general(err::Overflow, std::string(source));
  }
  return Date{std::chrono::sys_days{std::chrono::days{days}}};
}

int32_t dayNumberOf(Date date) {
  if (date == kNullDate) return 0;
  return static_cast<int32_t>((std::chrono::sys_days{date} - kDayZero).count());
}

int windowYear(int twoDigitYear) {
  return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

std::optional<Date> makeDate(int year, int month, int day) {
  // std::chrono::year holds 16 bits: check the range before constructing it.
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31) {
    return std::nullopt;
  }
  Date date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
            std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

int yearOf(Date date) { return static_cast<int>(date.year()); }
int monthOf(Date date) { return static_cast<int>(static_cast<unsigned>(date.month())); }
int dayOf(Date date) { return static_cast<int>(static_cast<unsigned>(date.day())); }

std::string formatIsoDate(Date date) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", yearOf(date), monthOf(date), dayOf(date));
  return text;
}

std::optional<Date> parseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  auto number = [&](std::size_t from, std::size_t count) -> int {
    int n = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (!isDigit(text[i])) return -1;
      n = n * 10 + (text[i] - '0');
    }
    return n;
  };
  const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
  if (year < 0 || month < 0 || day < 0) return std::nullopt;
  return makeDate(year, month, day);
}

}  // namespace velta
