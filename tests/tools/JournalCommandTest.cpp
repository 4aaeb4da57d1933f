#include <gtest/gtest.h>

#include "link/ExchangeJournal.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace velta {
namespace {

using test::runCommand;

const std::string kVeltaData = std::string(VELTA_BIN_DIR) + "/velta-data";

const std::string kRequest = std::string("12\n00|//VELTA//\n\0\xfe", 19);
const std::string kAnswer = std::string("9\n00|//A|\x01\n", 12);

class JournalCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ExchangeJournal journal = ExchangeJournal::open(folder);
    const std::int64_t late = 1710545400;  // 2024-03-15 23:30:00 UTC
    journal.finish(journal.begin({"127.0.0.1", 12000, MessageSet::Order850, "1234", kRequest}, {late, 3600}),
                   JournalOutcome::Acknowledged, kAnswer);
    journal.begin({"dist\texample", 12003, MessageSet::Status869, "12 34", "r"}, {late, -5 * 3600});
    journal.finish(journal.begin({"h", 12001, MessageSet::Inquiry846, "1234", "q"}, {late - 86400 * 2, 0}),
                   JournalOutcome::ConnectionFailed, "");
  }
  test::CommandResult journal(std::vector<std::string> args) {
    args.insert(args.begin(), {kVeltaData, "journal"});
    return runCommand(args);
  }
  test::TempDir dir;
  std::string folder = (dir.path() / "journal").string();
};

const std::string kLine1 = "1 2024-03-16 00:30:00 +01:00 850 127.0.0.1:12000 acknowledged request=19 answer=12 ref=1234\n";
const std::string kLine2 = "2 2024-03-15 18:30:00 -05:00 869 dist\\x09example:12003 pending request=1 answer=none ref=12 34\n";
const std::string kLine3 = "3 2024-03-13 23:30:00 +00:00 846 h:12001 connection-failed request=1 answer=0 ref=1234\n";

TEST_F(JournalCommand, ListsOneExchangeALine) {
  struct Case {
    std::vector<std::string> options;
    std::string out;
  };
  const Case cases[] = {
      {{}, kLine1 + kLine2 + kLine3},
      {{"--po", "1234"}, kLine1 + kLine3},
      {{"--po", "12 34"}, kLine2},
      {{"--po", "999"}, ""},
      {{"--since", "2024-03-15"}, kLine1 + kLine2},
      {{"--since", "2024-03-16"}, kLine1},
      {{"--since", "2024-03-14", "--po", "1234"}, kLine1},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{folder};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto result = journal(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(JournalCommand, ShowPrintsTheBytesExactly) {
  struct Case {
    std::string id, out;
  };
  const Case cases[] = {{"1", kRequest + kAnswer}, {"2", "r"}, {"3", "q"}};
  for (const Case& c : cases) {
    const auto result = journal({folder, "--show", c.id});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out) << c.id;
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(JournalCommand, UnknownExchangeOrFolder) {
  auto result = journal({folder, "--show", "9"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "velta-data: no exchange 9 in the journal\n");
  const std::string absent = (dir.path() / "absent").string();
  result = journal({absent});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "error -23 Journal: no journal in \"" + absent + "\" (\"" + absent +
                            "/journal.sqlite\" is not there)\n");
  EXPECT_FALSE(std::filesystem::exists(absent));
}

TEST_F(JournalCommand, BadUsage) {
  const std::vector<std::string> cases[] = {
      {},
      {folder, "--since", "2024-3-15"},
      {folder, "--since", "2024-02-30"},
      {folder, "--show", "x"},
      {folder, "--show", "1", "--po", "1234"},
      {folder, "--show", "1", "--since", "2024-03-15"},
      {folder, "extra"},
  };
  for (const auto& args : cases) {
    const auto result = journal(args);
    EXPECT_EQ(result.status, 2) << (args.size() > 1 ? args[1] : "");
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(journal({folder, "--since", "2024-02-30"}).err,
            "velta-data: --since \"2024-02-30\" is not a date YYYY-MM-DD\n");
}

TEST_F(JournalCommand, Help) {
  const auto result = journal({"--help"});
  EXPECT_EQ(result.status, 0);
  for (const char* word : {"FOLDER", "--po", "--since", "--show"}) {
    EXPECT_NE(result.out.find(word), std::string::npos) << word;
  }
}

}  // namespace
}  // namespace velta
