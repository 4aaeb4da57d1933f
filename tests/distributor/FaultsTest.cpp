// The fault modes: what the options mean per port, and how an answer is cut
// into pieces or announced wrongly.
#include <gtest/gtest.h>

#include <stdexcept>
#include <ostream>
#include <string>
#include <vector>

#include "tools/velta-distributor/Faults.h"

namespace velta::distributor {
namespace {

struct Plan {
  const char* name;
  std::vector<std::string> options;
  std::array<std::string, 3> described;  // order, status, inquiry
};
void PrintTo(const Plan& c, std::ostream* os) { *os << c.name; }

const std::vector<Plan> kPlans = {
    {"None", {}, {"", "", ""}},
    {"EveryPort", {"pieces=3"}, {"pieces=3", "pieces=3", "pieces=3"}},
    {"OnePort", {"silent@status"}, {"", "silent", ""}},
    {"PortReplacesEveryPort", {"pieces=9@order", "pieces=2"}, {"pieces=9", "pieces=2", "pieces=2"}},
    {"Combined", {"delay=0.25", "close-early@inquiry", "malformed@order", "exception@order"},
     {"delay=0.25 exception malformed", "delay=0.25", "delay=0.25 close-early"}},
    {"TooLongAndRefuse", {"too-long@order", "refuse@inquiry"}, {"too-long", "", "refuse"}},
    {"LaterValueWins", {"delay=1", "delay=2"}, {"delay=2", "delay=2", "delay=2"}},
};

class Plans : public testing::TestWithParam<Plan> {};

TEST_P(Plans, HoldPerPort) {
  const FaultPlan plan = parseFaults(GetParam().options);
  for (Service s : kServices) EXPECT_EQ(plan[serviceIndex(s)].describe(), GetParam().described[serviceIndex(s)]);
}

INSTANTIATE_TEST_SUITE_P(Options, Plans, testing::ValuesIn(kPlans),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadFault {
  const char* name;
  std::vector<std::string> options;
  std::string error;
};
void PrintTo(const BadFault& c, std::ostream* os) { *os << c.name; }

const std::vector<BadFault> kBadFaults = {
    {"UnknownMode", {"slow"},
     "--fault \"slow\": there is no mode \"slow\"; the modes are pieces=N, delay=SECONDS, silent, close-early, "
     "exception, malformed, too-long and refuse"},
    {"UnknownPort", {"silent@orders"}, "--fault \"silent@orders\": the port is \"orders\", not order, status or inquiry"},
    {"PiecesWithoutValue", {"pieces"}, "--fault \"pieces\": pieces needs a whole number from 2 to 1000: pieces=N"},
    {"OnePiece", {"pieces=1"}, "--fault \"pieces=1\": pieces needs a whole number from 2 to 1000: pieces=N"},
    {"PiecesText", {"pieces=3x"}, "--fault \"pieces=3x\": pieces needs a whole number from 2 to 1000: pieces=N"},
    {"DelayZero", {"delay=0"}, "--fault \"delay=0\": delay needs seconds above 0 and at most 3600: delay=SECONDS"},
    {"DelayTooLong", {"delay=3601"}, "--fault \"delay=3601\": delay needs seconds above 0 and at most 3600: delay=SECONDS"},
    {"ValueForAFlag", {"silent=1"}, "--fault \"silent=1\": the mode \"silent\" takes no value"},
    {"SilentWithMore", {"silent@order", "pieces=3"},
     "--fault: on the order port \"silent\" goes with no other mode, not with \"pieces=3\""},
    {"SilentAndRefuse", {"silent", "refuse@inquiry"},
     "--fault: on the inquiry port \"silent\" goes with no other mode, not with \"refuse\""},
};

class BadFaults : public testing::TestWithParam<BadFault> {};

TEST_P(BadFaults, AreRefused) {
  try {
    parseFaults(GetParam().options);
    FAIL() << "accepted";
  } catch (const std::invalid_argument& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Options, BadFaults, testing::ValuesIn(kBadFaults),
                         [](const auto& info) { return std::string(info.param.name); });

struct Split {
  const char* name;
  std::string bytes;
  int pieces;
  std::vector<std::string> expected;
};
void PrintTo(const Split& c, std::ostream* os) { *os << c.name; }

const std::vector<Split> kSplits = {
    {"Two", "12\n00|//VELTA\nab\n", 2, {"1", "2\n00|//VELTA\nab\n"}},
    {"Four", "12\n00|//VELTA\nab\n", 4, {"1", "2\n00|", "//VEL", "TA\nab\n"}},
    {"FiveDigits", "12345\nx", 3, {"12", "34", "5\nx"}},
    {"OneDigit", "9\n00|//VELTA\n", 3, {"9", "\n00|//", "VELTA\n"}},
    {"MoreThanBytes", "3\nab\n", 9, {"3", "\n", "a", "b", "\n"}},
    {"Below2", "3\nab\n", 0, {"3\nab\n"}},
};

class Splits : public testing::TestWithParam<Split> {};

TEST_P(Splits, BreakTheLengthLine) { EXPECT_EQ(splitIntoPieces(GetParam().bytes, GetParam().pieces), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Answers, Splits, testing::ValuesIn(kSplits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Faults, DeliveredBytesAnnounceAndCut) {
  const std::string message = "00|//VELTA//855\n01|1\n";
  FaultSet none;
  EXPECT_EQ(deliveredBytes(message, none), "21\n" + message);
  FaultSet tooLong;
  tooLong.tooLong = true;
  EXPECT_EQ(deliveredBytes(message, tooLong), "16777217\n" + message);
  FaultSet early;
  early.closeEarly = true;
  EXPECT_EQ(deliveredBytes(message, early), ("21\n" + message).substr(0, 12));
}

}  // namespace
}  // namespace velta::distributor
