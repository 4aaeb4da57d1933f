#include "engine/SystemValues.h"

#include "base/Calendar.h"
#include "base/Clock.h"
#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "base/Value.h"
#include "engine/cSystem.h"

namespace velta {

namespace {
constexpr const char* kSource = "Sys";

int32_t terminalNumber() {
  const auto& system = engineState().system;
  if (!system) throw EngineError::general(err::ObjectNotSet, kSource);
  return parseInt32(system->TerminalID, kSource);
}
}  // namespace

int32_t Sys(int32_t value) {
  if (value == 4) return terminalNumber();
  const Date today = Now().date;
  const int32_t year = yearOf(today), month = monthOf(today), day = dayOf(today);
  switch (value) {
    case 1: return day;
    case 2: return month;
    case 3: return year;
    case 28: return month * 10000 + day * 100 + year % 100;
    case 128: return (year % 100) * 10000 + month * 100 + day;
    // The full year, not its last two digits: those would read back in the
    // 1930-2029 window and give a day of the 1930s from 2030 on.
    case 152: return dayNumberOf(today);
    default: return 0;
  }
}

}  // namespace velta
