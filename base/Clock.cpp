#include "base/Clock.h"

#include <time.h>

#include <cstdio>

#include "base/BaseState.h"

namespace velta {

std::string DateTime::text() const {
  const auto t = time();
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", static_cast<int>(t.hours().count()),
                static_cast<int>(t.minutes().count()), static_cast<int>(t.seconds().count()));
  return formatIsoDate(date) + buffer;
}

DateTime systemLocalNow() {
  const time_t now = ::time(nullptr);
  struct tm local {};
  localtime_r(&now, &local);
  DateTime result;
  result.date = Date{std::chrono::year{local.tm_year + 1900},
                     std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                     std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
  // A leap second (tm_sec 60) counts as the last second of its minute.
  const int seconds = local.tm_sec > 59 ? 59 : local.tm_sec;
  result.timeOfDay = std::chrono::hours{local.tm_hour} + std::chrono::minutes{local.tm_min} +
                     std::chrono::seconds{seconds};
  return result;
}

DateTime Now() {
  const auto& clock = baseState().clock;
  return clock ? clock() : systemLocalNow();
}

}  // namespace velta
