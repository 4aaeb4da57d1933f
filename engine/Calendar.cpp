#include "engine/Calendar.h"

namespace velta {

namespace {
constexpr std::chrono::sys_days kDayZero{
    std::chrono::year_month_day{std::chrono::year{1967}, std::chrono::December, std::chrono::day{31}}};
}

Date dateFromDayNumber(int32_t dayNumber) {
  if (dayNumber == 0) return kNullDate;
  return Date{kDayZero + std::chrono::days{dayNumber}};
}

int32_t dayNumberOf(Date date) {
  if (date == kNullDate) return 0;
  return static_cast<int32_t>((std::chrono::sys_days{date} - kDayZero).count());
}

int windowYear(int twoDigitYear) {
  return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

std::optional<Date> makeDate(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  Date date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
            std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

int yearOf(Date date) { return static_cast<int>(date.year()); }
int monthOf(Date date) { return static_cast<int>(static_cast<unsigned>(date.month())); }
int dayOf(Date date) { return static_cast<int>(static_cast<unsigned>(date.day())); }

}  // namespace velta
