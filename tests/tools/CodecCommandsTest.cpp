// velta-data pack, unpack, packdate, unpackdate, crm, ucm run as a program:
// output, exit status 0/1/2, the one-line engine error, and --help.
#include <gtest/gtest.h>

#include "support/RunCommand.h"

namespace velta {
namespace {

using test::CommandResult;

const std::string kVeltaData = std::string(VELTA_BIN_DIR) + "/velta-data";

CommandResult veltaData(std::vector<std::string> args) {
  args.insert(args.begin(), kVeltaData);
  return test::runCommand(args);
}

// Succeeds with exactly `out` and nothing on standard error.
void expectOutput(const std::vector<std::string>& args, const std::string& out) {
  const CommandResult result = veltaData(args);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, out);
  EXPECT_EQ(result.err, "");
}

// Fails with status 1 and exactly one error line on standard error.
void expectEngineError(const std::vector<std::string>& args, const std::string& line) {
  const CommandResult result = veltaData(args);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, line + "\n");
}

// Fails with status 2, saying something on standard error and nothing on standard output.
void expectUsage(const std::vector<std::string>& args, const std::string& mention) {
  const CommandResult result = veltaData(args);
  EXPECT_EQ(result.status, 2) << result.out << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find(mention), std::string::npos) << result.err;
}

TEST(CodecCommands, PackPrintsTheChangedRecordInLowerCaseHex) {
  expectOutput({"pack", "C", "000000", "-1", "2"}, "00ffff\n");
  expectOutput({"pack", "l", "AAAAAAAAAAAA", "1", "2"}, "aa00000001aa\n");
  expectOutput({"pack", "B", "00", "300", "1"}, "2c\n");
  expectOutput({"pack", "C", std::string(96, '0'), "4660", "47"}, std::string(92, '0') + "1234\n");
  expectOutput({"pack", "D", "000000", " 2.5 ", "1"}, "000002\n");  // text to number: half to even
}

TEST(CodecCommands, UnpackPrintsDecimal) {
  expectOutput({"unpack", "K", "fffffe", "1"}, "-2\n");
  expectOutput({"unpack", "D", "FFFFFE", "1"}, "16777214\n");
  expectOutput({"unpack", "i", "0080", "2"}, "-128\n");
  expectOutput({"unpack", "L", "80000000", "1"}, "-2147483648\n");
}

TEST(CodecCommands, PackDateAndUnpackDate) {
  expectOutput({"packdate", "C", "ffff", "1", "1968-01-01"}, "0000\n");
  expectOutput({"packdate", "C", "ffff", "1", "1967-12-31"}, "0000\n");
  expectOutput({"packdate", "D", "000000", "1", "1999-01-05"}, "002967\n");
  expectOutput({"packdate", "R", "00000000", "2", "2005-12-31"}, "0000c81f\n");
  expectOutput({"packdate", "c", "1234", "1", "2005-12-31"}, "1234\n");  // lower case: nothing written
  expectOutput({"unpackdate", "D", "002967", "1"}, "1999-01-05\n");
  expectOutput({"unpackdate", "R", "00c81f", "1"}, "2005-12-31\n");
  expectOutput({"unpackdate", "C", "0001", "1"}, "1968-01-01\n");
  expectOutput({"unpackdate", "J", "016e", "1"}, "1968-12-31\n");
  expectOutput({"unpackdate", "D", "13", "1"}, "1968-01-01\n");  // too short: the null date, no error
}

TEST(CodecCommands, CrmAndUcm) {
  expectOutput({"crm", "ABC"}, "59e8\n");
  expectOutput({"crm", "AB"}, "59d8\n");
  expectOutput({"crm", "abc"}, "0000\n");
  expectOutput({"crm", "--", "-A"}, "0230\n");  // "-" is no alphabet character: a blank
  expectOutput({"ucm", "59e8"}, "ABC\n");
  expectOutput({"ucm", "FFFF"}, "YB\n");
  expectOutput({"ucm", "0000"}, "   \n");
  expectOutput({"ucm", ""}, "\n");
}

TEST(CodecCommands, EngineErrorsAreOneLineWithStatusOne) {
  expectEngineError({"pack", "x", "00", "1", "1"}, "error 100 Pack: Unknown OpCode = \"X\"");
  expectEngineError({"unpack", "q", "00", "1"}, "error 100 UnPack: Unknown OpCode = \"Q\"");
  expectEngineError({"pack", "C", std::string(96, '0'), "1", "48"},
                    "error 31 Pack: Invalid Subscript.  Pack \"C\", Data$, 48   Len(Data$) = 48");
  expectEngineError({"unpack", "L", "000000", "1"},
                    "error 31 UnPack: Invalid Subscript.  UnPack(\"L\", Data$, 1)   Len(Data$) = 3");
  expectEngineError({"unpack", "B", "00", "0"}, "error 5 UnPack: Invalid procedure call or argument");
  expectEngineError({"packdate", "C", "00", "1", "2005-12-31"},
                    "error 31 Pack: Invalid Subscript.  Pack \"C\", Data$, 1   Len(Data$) = 1");
}

TEST(CodecCommands, BadArgumentsAreUsageWithStatusTwo) {
  expectUsage({"unpack", "L", "0g000000", "1"}, "not hex");
  expectUsage({"unpack", "L", "0000000", "1"}, "odd number");
  expectUsage({"unpack", "L", "00000000", "1x"}, "POS \"1x\"");
  expectUsage({"pack", "L", "00000000", "2147483648", "1"}, "VALUE \"2147483648\"");
  expectUsage({"packdate", "C", "0000", "1", "2005-02-30"}, "DATE \"2005-02-30\"");
  expectUsage({"packdate", "C", "0000", "1", "20051231"}, "YYYY-MM-DD");
  expectUsage({"pack", "C", "0000", "1"}, "POS");
  expectUsage({"ucm"}, "HEX");
  expectUsage({"crm", "A", "B"}, "B");
  expectUsage({"unknown"}, "subcommand");
}

TEST(CodecCommands, EverySubcommandHasHelp) {
  for (const char* command : {"pack", "unpack", "packdate", "unpackdate", "crm", "ucm"}) {
    const CommandResult result = veltaData({command, "--help"});
    EXPECT_EQ(result.status, 0) << command;
    EXPECT_NE(result.out.find(std::string("velta-data ") + command), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Example:"), std::string::npos) << result.out;
  }
  const CommandResult top = veltaData({"--help"});
  for (const char* command : {"pack", "unpack", "packdate", "unpackdate", "crm", "ucm"}) {
    EXPECT_NE(top.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
  }
}

}  // namespace
}  // namespace velta
