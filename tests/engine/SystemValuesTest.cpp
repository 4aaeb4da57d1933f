// Sys, Now, Max and Min, on a clock fixed through the base state's seam.
#include <gtest/gtest.h>

#include "base/BaseState.h"
#include "base/Clock.h"
#include "base/MinMax.h"
#include "engine/EngineState.h"
#include "engine/SystemValues.h"
#include "engine/cSystem.h"
#include "support/Raised.h"

namespace velta {
namespace {

using namespace std::chrono_literals;
using test::raised;

class SystemValues : public ::testing::Test {
 protected:
  void SetUp() override {
    savedSystem_ = engineState().system;
    engineState().system = std::make_shared<cSystem>();
  }
  void TearDown() override {
    baseState().clock = nullptr;
    engineState().system = savedSystem_;
  }
  void today(int y, int m, int d, std::chrono::seconds time = 0s) {
    const DateTime fixed{*makeDate(y, m, d), time};
    baseState().clock = [fixed] { return fixed; };
  }

 private:
  std::shared_ptr<cSystem> savedSystem_;
};

TEST_F(SystemValues, TodayInItsForms) {
  today(2026, 12, 8);
  EXPECT_EQ(Sys(1), 8);
  EXPECT_EQ(Sys(2), 12);
  EXPECT_EQ(Sys(3), 2026);
  EXPECT_EQ(Sys(28), 120826);
  EXPECT_EQ(Sys(128), 261208);
  EXPECT_EQ(Sys(152), 21527);

  today(2005, 1, 31);
  EXPECT_EQ(Sys(28), 13105);
  EXPECT_EQ(Sys(128), 50131);
  today(1968, 1, 1);
  EXPECT_EQ(Sys(152), 0);
  today(1968, 1, 2);
  EXPECT_EQ(Sys(152), 2);
}

TEST_F(SystemValues, DayNumberOfTodayKeepsCountingAfter2029) {
  today(2031, 3, 1);
  EXPECT_EQ(Sys(152), dayNumberOf(*makeDate(2031, 3, 1)));
  EXPECT_GT(Sys(152), 22000);
  EXPECT_EQ(Sys(128), 310301);
}

TEST_F(SystemValues, OtherValuesAreZero) {
  today(2026, 12, 8);
  for (int value : {0, 5, 27, 29, 127, 151, 153, -1}) EXPECT_EQ(Sys(value), 0) << value;
}

TEST_F(SystemValues, TerminalIdentifierAsANumber) {
  engineState().system->TerminalID = "7";
  EXPECT_EQ(Sys(4), 7);
  engineState().system->TerminalID = " 12 ";
  EXPECT_EQ(Sys(4), 12);
  engineState().system->TerminalID = "0";
  EXPECT_EQ(Sys(4), 0);

  for (const char* id : {"T7", "", "7,x", "1e3"}) {
    engineState().system->TerminalID = id;
    const EngineError e = raised([] { Sys(4); });
    EXPECT_EQ(e.number(), 13) << id;
    EXPECT_EQ(e.source(), "Sys");
    EXPECT_EQ(e.description(), "Type mismatch");
  }
  engineState().system->TerminalID = "99999999999";
  EXPECT_EQ(raised([] { Sys(4); }).number(), 6);
  engineState().system = nullptr;
  EXPECT_EQ(raised([] { Sys(4); }).number(), 91);
}

TEST_F(SystemValues, NowReadsTheClockSeamAndOtherwiseTheLocalClock) {
  today(2026, 12, 8, 10h + 20min + 7s);
  const DateTime now = Now();
  EXPECT_EQ(now.date, *makeDate(2026, 12, 8));
  EXPECT_EQ(now.time().hours(), 10h);
  EXPECT_EQ(now.time().minutes(), 20min);
  EXPECT_EQ(now.time().seconds(), 7s);
  EXPECT_EQ(now.text(), "2026-12-08 10:20:07");
  EXPECT_EQ(now.localSeconds().time_since_epoch(), std::chrono::sys_days{*makeDate(2026, 12, 8)}.time_since_epoch() +
                                                       std::chrono::seconds{10 * 3600 + 20 * 60 + 7});

  baseState().clock = nullptr;
  // The real clock: compare with localtime of the same moment, allowing a tick.
  const time_t before = ::time(nullptr);
  const DateTime real = Now();
  struct tm local {};
  localtime_r(&before, &local);
  EXPECT_EQ(yearOf(real.date), local.tm_year + 1900);
  const auto sinceMidnight =
      std::chrono::seconds{local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec};
  EXPECT_LE(((real.timeOfDay - sinceMidnight).count() + 86400) % 86400, 2);
  EXPECT_GE(real.timeOfDay.count(), 0);
  EXPECT_LT(real.timeOfDay.count(), 86400);
}

TEST(MinMax, LargerAndSmaller) {
  EXPECT_EQ(Max(3, -7), 3);
  EXPECT_EQ(Min(3, -7), -7);
  EXPECT_EQ(Max(INT32_MIN, INT32_MAX), INT32_MAX);
  EXPECT_EQ(Min(INT32_MIN, INT32_MAX), INT32_MIN);
  EXPECT_EQ(Max(5, 5), 5);
  static_assert(Max(-1, 0) == 0 && Min(-1, 0) == -1);
}

}  // namespace
}  // namespace velta
