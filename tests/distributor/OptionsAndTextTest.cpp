// The command line, and the small text routines the answers are made with.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tools/velta-distributor/Options.h"
#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {
namespace {

OptionsOutcome parse(std::vector<std::string> args) {
  args.insert(args.begin(), "velta-distributor");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  return parseOptions(static_cast<int>(argv.size()), argv.data());
}

TEST(Options, DefaultsAndEveryOption) {
  const OptionsOutcome defaults = parse({"--catalog", "c.json"});
  ASSERT_TRUE(defaults.options) << defaults.err;
  EXPECT_EQ(defaults.options->ports, (std::array<int, 3>{12000, 12003, 12001}));
  EXPECT_EQ(defaults.options->listen, "127.0.0.1");
  EXPECT_EQ(defaults.options->idleSeconds, 10);
  EXPECT_EQ(defaults.options->requestSeconds, 30);
  EXPECT_FALSE(defaults.options->tokenTable);
  EXPECT_FALSE(defaults.options->state);
  EXPECT_FALSE(defaults.options->clock);

  const OptionsOutcome all = parse({"--catalog", "c.json", "--order-port", "0", "--status-port", "0", "--inquiry-port",
                                    "0", "--listen", "::1", "--token-table", "t", "--state", "s.json", "--fault",
                                    "pieces=3@order", "--fault", "silent@status", "--idle-timeout", "0.5", "--clock",
                                    "2024-06-03T10:20:07", "--request-timeout", "2.5"});
  ASSERT_TRUE(all.options) << all.err;
  EXPECT_EQ(all.options->ports, (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(all.options->listen, "::1");
  EXPECT_EQ(*all.options->tokenTable, "t");
  EXPECT_EQ(*all.options->state, "s.json");
  EXPECT_EQ(all.options->faults[0].pieces, 3);
  EXPECT_TRUE(all.options->faults[1].silent);
  EXPECT_EQ(all.options->faults[2].describe(), "");
  EXPECT_EQ(all.options->idleSeconds, 0.5);
  EXPECT_EQ(all.options->requestSeconds, 2.5);
  EXPECT_EQ(all.options->clock->date, "20240603");
  EXPECT_EQ(all.options->clock->time, "10:20:07");
}

struct Usage {
  const char* name;
  std::vector<std::string> args;
  std::string err;
};
void PrintTo(const Usage& c, std::ostream* os) { *os << c.name; }

const std::vector<Usage> kUsage = {
    {"NoCatalog", {}, "velta-distributor: --catalog is required\nRun with --help for more information.\n"},
    {"PortRange", {"--catalog", "c", "--order-port", "65536"},
     "velta-distributor: --order-port: Value 65536 not in range 0 to 65535\nRun with --help for more information.\n"},
    {"SamePorts", {"--catalog", "c", "--order-port", "7000", "--inquiry-port", "7000"},
     "velta-distributor: --order-port and --inquiry-port are both 7000; each service needs a port of its own\n"},
    {"Address", {"--catalog", "c", "--listen", "localhost"},
     "velta-distributor: --listen: \"localhost\" is not an IPv4 or IPv6 address\n"},
    {"Idle", {"--catalog", "c", "--idle-timeout", "0"},
     "velta-distributor: --idle-timeout: give seconds from 0.05 to 3600\n"},
    {"Request", {"--catalog", "c", "--request-timeout", "3601"},
     "velta-distributor: --request-timeout: give seconds from 0.05 to 3600\n"},
    {"Clock", {"--catalog", "c", "--clock", "2024-06-03 10:20:07"},
     "velta-distributor: --clock: \"2024-06-03 10:20:07\" is not a date and time YYYY-MM-DDThh:mm:ss\n"},
    {"Fault", {"--catalog", "c", "--fault", "pieces=1"},
     "velta-distributor: --fault \"pieces=1\": pieces needs a whole number from 2 to 1000: pieces=N\n"},
    {"Extra", {"--catalog", "c", "more"},
     "velta-distributor: The following argument was not expected: more\nRun with --help for more information.\n"},
};

class UsageCases : public testing::TestWithParam<Usage> {};

TEST_P(UsageCases, AreBadUsage) {
  const OptionsOutcome outcome = parse(GetParam().args);
  EXPECT_FALSE(outcome.options);
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_EQ(outcome.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, UsageCases, testing::ValuesIn(kUsage),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Options, HelpDescribesEveryOptionAndMode) {
  const OptionsOutcome help = parse({"--help"});
  EXPECT_FALSE(help.options);
  EXPECT_EQ(help.exitCode, 0);
  for (const char* word : {"--catalog", "--order-port", "--status-port", "--inquiry-port", "--listen", "--token-table",
                           "--state", "--fault", "--idle-timeout", "--request-timeout", "--clock", "pieces=N", "delay=S", "silent",
                           "close-early", "exception", "malformed", "too-long", "refuse", "SIGTERM"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
}

TEST(WireText, ShownValuesAreQuotedAndSafe) {
  EXPECT_EQ(shown("abc"), "\"abc\"");
  EXPECT_EQ(shown("a|b\n\\"), "\"a\\x7Cb\\x0A\\x5C\"");
  EXPECT_EQ(shown(std::string(41, 'x')), "\"" + std::string(40, 'x') + "...\"");
  EXPECT_TRUE(fieldSafe(shown("\r\t|\n\x7F")));
}

TEST(WireText, MoneyDatesAndFields) {
  EXPECT_EQ(parseMoney("12.49"), 1249);
  EXPECT_EQ(parseMoney("12.5"), 1250);
  EXPECT_EQ(parseMoney("0"), 0);
  EXPECT_EQ(parseMoney("12."), std::nullopt);
  EXPECT_EQ(parseMoney(".5"), std::nullopt);
  EXPECT_EQ(parseMoney("-1"), std::nullopt);
  EXPECT_EQ(parseMoney("1e3"), std::nullopt);
  EXPECT_EQ(formatMoney(5), "0.05");
  EXPECT_EQ(formatMoney(123450), "1234.50");
  EXPECT_EQ(compactDate(*parseIsoDate("2024-02-29")), "20240229");
  EXPECT_FALSE(parseIsoDate("2023-02-29"));
  EXPECT_FALSE(parseCompactDate("2024013"));
  EXPECT_EQ(compactDate(addDays(*parseCompactDate("20241230"), 4)), "20250103");
  EXPECT_EQ(splitFields("a||b|"), (std::vector<std::string_view>{"a", "", "b", ""}));
  EXPECT_EQ(wholeNumber(" 1", 9), std::nullopt);
  EXPECT_EQ(wholeNumber("10", 9), std::nullopt);
  EXPECT_EQ(wholeNumber("009", 9), 9);
  EXPECT_EQ(trimBlanks("  a b  "), "a b");
  EXPECT_EQ(utf8ToLatin1("\xC3\xA9"), "\xE9");
  EXPECT_EQ(utf8ToLatin1("\xE2\x82\xAC"), std::nullopt);
  EXPECT_EQ(utf8ToLatin1("\xC3"), std::nullopt);
  EXPECT_EQ(latin1ToUtf8("\xE9\xFF"), "\xC3\xA9\xC3\xBF");
}

}  // namespace
}  // namespace velta::distributor
