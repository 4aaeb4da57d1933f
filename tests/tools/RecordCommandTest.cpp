// velta-data vendor, line, lines, linecode and mac, run as a program.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

using test::runCommand;

const std::string kVeltaData = std::string(VELTA_BIN_DIR) + "/velta-data";

class LineCodeCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("config/r-kt/settings.ini", "[Dealer\\Settings\\Connection]\r\nHost=CATSRV\r\n");
    dir.write("unc/CATSRV/CatCon/HBT2RKT.TXT", "XYZ 123 'order control's map\r\n");
    dir.write("unc/SRV/CATCON/HBT2RKT.TXT", "ABC 456 'inquiry control's map\r\n");
  }
  test::CommandResult linecode(std::vector<std::string> args) {
    args.insert(args.begin(), {kVeltaData, "--root", (dir.path() / "unc").string(), "--server", "SRV", "linecode"});
    return runCommand(args, {{"XDG_CONFIG_HOME", (dir.path() / "config").string()}, {"VELTA_SHARES", std::nullopt}});
  }
  test::TempDir dir;
};

TEST_F(LineCodeCommand, BothWaysOfFindingTheMap) {
  auto result = linecode({"rkt", "xyz"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "123\n");
  EXPECT_EQ(linecode({"--order", "hbt", "123"}).out, "XYZ\n");
  EXPECT_EQ(linecode({"--inquiry", "hbt", "456"}).out, "ABC\n");
  EXPECT_EQ(linecode({"--inquiry", "rkt", "XYZ"}).out, "\n") << "the order control's map is not read";
}

TEST_F(LineCodeCommand, UnknownCodeIsAnEmptyLineAndBadUsageIsStatus2) {
  const auto unknown = linecode({"rkt", "NOPE"});
  EXPECT_EQ(unknown.status, 0);
  EXPECT_EQ(unknown.out, "\n");
  EXPECT_EQ(linecode({"both", "XYZ"}).status, 2);
  EXPECT_EQ(linecode({"--order", "--inquiry", "rkt", "XYZ"}).status, 2);
  EXPECT_EQ(linecode({"rkt"}).status, 2);
}

// A code holding bytes outside printable ASCII is printed escaped, so no raw
// byte reaches the terminal; letter case follows the code page (é is É).
TEST_F(LineCodeCommand, BytesOutsidePrintableAsciiArePrintedEscaped) {
  dir.write("unc/CATSRV/CatCon/HBT2RKT.TXT", "\xE9\x1B\\ 12\x7F 'odd bytes\r\n");
  const auto toDealer = linecode({"rkt", "\xC9\x1B\\"});
  EXPECT_EQ(toDealer.status, 0) << toDealer.err;
  EXPECT_EQ(toDealer.out, "12\\x7f\n");
  EXPECT_EQ(linecode({"hbt", "12\x7F"}).out, "\\xc9\\x1b\\\n");
}

class RecordCommand : public ::testing::Test {
 protected:
  test::CommandResult run(std::vector<std::string> args) {
    args.insert(args.begin(), {kVeltaData, "--root", dir.str(), "--server", "SRV", "--directory", "D1"});
    return runCommand(args, {{"XDG_CONFIG_HOME", sample.configHome().string()}, {"VELTA_SHARES", std::nullopt}});
  }
  static std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }
  static bool has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  test::TempDir dir;
  const sample::SampleBusinessSystem sample = sample::writeSampleBusinessSystem(dir.path(), {});
};

TEST_F(RecordCommand, VendorPrintsEveryFieldInDeclarationOrder) {
  const auto result = run({"vendor", "1207"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 52u);
  EXPECT_EQ(out.front(), "VENDOR_NUMBER=1207");
  EXPECT_EQ(out[1], "COMMENT_FILE_EXISTS=0");
  EXPECT_EQ(out[2], "PRINT_COST_ON_PO=1");  // option bits 0x12
  EXPECT_EQ(out[8], "VENDOR_NAME=NORTHERN PARTS DISTRIBUTION");
  EXPECT_EQ(out[20], "Order_Sunday=0");
  EXPECT_EQ(out.back(), "AP_VENDOR=101207");
  const auto& v = *sample.catalog.vendor(1207);
  EXPECT_TRUE(has(out, "DEALER_ACCOUNT=104233"));
  EXPECT_TRUE(has(out, "YTD_DOLLARS_PURCHASED=" + std::to_string(v.ytdDollarsCents / 100) + "." +
                           std::to_string(v.ytdDollarsCents % 100 + 100).substr(1)));
  EXPECT_TRUE(has(out, "DATE_LAST_EOD_PO=2024-03-03"));
  EXPECT_TRUE(has(out, "TRNET_SUPPLIER_CODE=NPD"));
  EXPECT_TRUE(has(out, "POWER_EDI_ID_NUMBER=127.0.0.1"));
  EXPECT_TRUE(has(out, "LOGIN_PASSWORD=***"));
  EXPECT_TRUE(has(lines(run({"vendor", "1207", "--show-secrets"}).out), "LOGIN_PASSWORD=NPD01"));
}

TEST_F(RecordCommand, LinePrintsEveryFieldAndTheCommodityList) {
  const auto result = run({"line", "12"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 83u);  // 82 fields of the class, then RecNo
  EXPECT_EQ(out.front(), "Line=12");
  EXPECT_EQ(out[1], "Alpha_Line=FLT");
  EXPECT_EQ(out[2], "AlternateAlpha=");
  EXPECT_EQ(out[6], "Comodities=F,O,Z");
  EXPECT_EQ(out[13], "Price_Def_1_Level=" + std::to_string(sample.catalog.line(12)->priceDefs[0].level));
  EXPECT_EQ(out[14], "Price_Def_1_Use=1");
  EXPECT_EQ(out[15], "Price_Def_1_Perc=" + std::to_string(sample.catalog.line(12)->priceDefs[0].perc));
  EXPECT_TRUE(has(out, "ReCalculateMax=1"));
  EXPECT_TRUE(has(out, "Seas_Date_Last_Gen=2023-10-01"));
  EXPECT_EQ(out.back(), "RecNo=" + std::to_string(sample.catalog.line(12)->record));
}

TEST_F(RecordCommand, LinesListsTheCollectionKeys) {
  const auto result = run({"lines"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "27\n12\n103\n40\n55\n220\n950\n301\n");
}

TEST_F(RecordCommand, WhatIsNotThereIsOneLineOnStandardError) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"vendor", "1208"}, {"line", "13"}}) {
    const auto result = run(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
  EXPECT_EQ(run({"line", "70000"}).status, 2);
  EXPECT_EQ(run({"vendor", "abc"}).status, 2);
}

TEST_F(RecordCommand, LineCodesOfTheSampleMap) {
  const auto result = run({"linecode", "rkt", "FIL"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "FLT\n");
  EXPECT_EQ(run({"linecode", "hbt", "flt"}).out, "FIL\n");
}

TEST(MacCommand, OneAnswerEndedByALineEnd) {
  const auto result = runCommand({kVeltaData, "mac"});
  EXPECT_EQ(result.status, 0) << result.err;
  ASSERT_FALSE(result.out.empty());
  EXPECT_EQ(result.out.back(), '\n');
  EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace velta
