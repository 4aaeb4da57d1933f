#include <gtest/gtest.h>

#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/TestTokenTable.h"

namespace velta {
namespace {

using test::runCommand;

const std::string kVeltaData = std::string(VELTA_BIN_DIR) + "/velta-data";

class TokenCommand : public ::testing::Test {
 protected:
  test::CommandResult token(std::vector<std::string> args, std::vector<test::EnvironmentChange> env = {}) {
    args.insert(args.begin(), {kVeltaData, "token"});
    env.push_back({"XDG_CONFIG_HOME", (dir.path() / "config").string()});
    return runCommand(args, env);
  }
  test::TempDir dir;
  std::filesystem::path table = dir.write("table", test::orderedTokenTable() + "\n");
};

TEST_F(TokenCommand, PrintsTheTokenOfTheGivenTable) {
  const auto result = token({"20240315", "10:20:07", "--table", table.string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "+3b39\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(TokenCommand, ConfiguredTableAndTheBuiltInOne) {
  EXPECT_EQ(token({"20240315", "10:20:07"}, {{"VELTA_TOKEN_TABLE", table.string()}}).out, "+3b39\n");
  const auto builtIn = token({"20240315", "10:20:00"}, {{"VELTA_TOKEN_TABLE", std::nullopt}});
  EXPECT_EQ(builtIn.status, 0);
  EXPECT_EQ(builtIn.out, "+8/8i\n");
}

TEST_F(TokenCommand, TableOptionOverridesTheEnvironment) {
  const auto result = token({"20240315", "10:20:07", "--table", table.string()}, {{"VELTA_TOKEN_TABLE", "/absent"}});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "+3b39\n");
}

TEST_F(TokenCommand, EmptyTokenIsAnEmptyLine) {
  EXPECT_EQ(token({"00000000", "12:00:00", "--table", table.string()}).out, "\n");
}

TEST_F(TokenCommand, BadDateOrTimeIsUsage) {
  auto result = token({"2024-03-15", "10:20:07"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "velta-data: date \"2024-03-15\" is not eight digits yyyymmdd\n");
  result = token({"20240315", "10:20:60"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "velta-data: time \"10:20:60\" is not hh:mm:ss: seconds run from 00 to 59\n");
  EXPECT_EQ(token({"20240315"}).status, 2);
  EXPECT_EQ(token({"20240315", "10:20:07", "extra"}).status, 2);
}

TEST_F(TokenCommand, RefusedTableIsAnEngineError) {
  const auto bad = dir.write("bad", test::orderedTokenTable().substr(0, 90));
  const auto result = token({"20240315", "10:20:07", "--table", bad.string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "error -22 makeToken: token table file \"" + bad.string() + "\": holds 90 characters, not 91\n");
}

TEST_F(TokenCommand, Help) {
  const auto result = token({"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("DATE"), std::string::npos);
  EXPECT_NE(result.out.find("--table"), std::string::npos);
}

}  // namespace
}  // namespace velta
