// velta-data info, read and delete over a hand-made business system.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/PlainBytes.h"
#include "support/RunCommand.h"
#include "support/TempBusinessSystem.h"
#include "tools/sample/SampleBusinessSystem.h"
#include "tools/sample/SampleRecords.h"

namespace velta {
namespace {

using test::directoryEntry;
using test::linksEntry;
using test::runCommand;

const std::string kVeltaData = std::string(VELTA_BIN_DIR) + "/velta-data";

// velta-data with these arguments, the environment saying nothing of shares.
test::CommandResult veltaData(std::vector<std::string> args) {
  args.insert(args.begin(), kVeltaData);
  return runCommand(
      args, {{"VELTA_SHARES", std::nullopt}, {"VELTA_UNC_ROOT", std::nullopt}, {"XDG_CONFIG_HOME", std::nullopt}});
}

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bs.write("HBTSLNK/LINKSFILE", linksEntry(":D1:VNDRL", ":D1:VNDRDI") + linksEntry(":D1:GONE", ":D1:GONEDI") +
                                      linksEntry(":D1:NODATA", ":D1:XDI"));
    bs.write("HBTSLNK/D1/VNDRDI", directoryEntry("VNDRL", 'L', 1, 8, 3, 0x0020));
    bs.write("HBTSLNK/D1/XDI", directoryEntry("NODATA", 'L', 0, 8, 3));
    const std::string header = std::string("\xFF\xFE\xFF\xFF\xFF\xFF", 6) + std::string(2, '\0');
    bs.write("HBTSLNK/D1/VNDRDB", std::string(512, '\0') + header + "ABCDEFGH" + "1234\x01\xAB\xCD\xEF");
  }
  test::CommandResult run(std::vector<std::string> args) const {
    std::vector<std::string> all = {"--root", bs.dir().str(), "--server", "SRV", "--directory", "D1"};
    all.insert(all.end(), args.begin(), args.end());
    return veltaData(all);
  }
  test::TempBusinessSystem bs;
};

TEST_F(FileCommandsTest, InfoPrintsTheGeometry) {
  const auto r = run({"info", "VNDRL"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "type=L position=1 reclen=8 lastrec=3 flags=32\n");
  EXPECT_EQ(run({"info", ":D1:vndrl"}).status, 1);  // the directory compares letter case
}

TEST_F(FileCommandsTest, ReadPrintsLowerCaseHex) {
  EXPECT_EQ(run({"read", "VNDRL", "1"}).out, "4142434445464748\n");
  EXPECT_EQ(run({"read", "VNDRL", "2"}).out, "3132333401abcdef\n");
  EXPECT_EQ(run({"read", "VNDRL", "3"}).out, "2020202020202020\n");  // past the end: blanks
  const auto bad = run({"read", "VNDRL", "4"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "error 81 iLreadFile: Illegal Record Number for File: VNDRL and Record:  4\n");
}

TEST_F(FileCommandsTest, DeleteJoinsTheFreeList) {
  const auto r = run({"delete", "VNDRL", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(run({"read", "VNDRL", "2"}).out, "0000ffffffff0000\n");
  EXPECT_EQ(bs.read("HBTSLNK/D1/VNDRDB").substr(512, 8), std::string("\xFF\xFE\x00\x00\x00\x02\x00\x00", 8));
  const auto again = run({"delete", "VNDRL", "2"});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "error 81 DelRec: Attempt to delete a deleted record\n");
}

TEST_F(FileCommandsTest, NamesThatResolveToNothingSayWhereTheyLooked) {
  const auto noLink = run({"info", "NOPE"});
  EXPECT_EQ(noLink.status, 1);
  EXPECT_EQ(noLink.out, "");
  // The first line is the engine's own; the diagnosis follows on a line of its own.
  EXPECT_EQ(noLink.err.rfind("error -10 LogicalOpen: File not Found: \"NOPE\"\n  no link :D1:NOPE in ", 0), 0u)
      << noLink.err;

  const auto noDirectory = run({"read", "GONE", "1"});
  EXPECT_EQ(noDirectory.status, 1);
  EXPECT_NE(noDirectory.err.find("\\\\SRV\\HBTSLNK\\D1\\GONEDI: no such file or folder in " + bs.dir().str()),
            std::string::npos)
      << noDirectory.err;
  EXPECT_NE(noDirectory.err.find("UNC root " + bs.dir().str()), std::string::npos) << noDirectory.err;

  const auto noData = run({"read", "NODATA", "1"});
  EXPECT_EQ(noData.status, 1);
  EXPECT_NE(noData.err.find("no data file: \\\\SRV\\HBTSLNK\\D1\\XDB"), std::string::npos) << noData.err;

  const auto unmapped = veltaData({"--server", "SRV", "--directory", "D1", "info", "VNDRL"});
  EXPECT_EQ(unmapped.status, 1);
  EXPECT_NE(unmapped.err.find("nothing maps \\\\SRV\\HBTSLNK"), std::string::npos) << unmapped.err;
  EXPECT_EQ(std::count(unmapped.err.begin(), unmapped.err.end(), '\n'), 1) << unmapped.err;
}

TEST_F(FileCommandsTest, EverySubcommandHasHelpAndChecksItsArguments) {
  for (const char* command : {"info", "read", "delete"}) {
    const auto help = veltaData({command, "--help"});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.out.find("NAME"), std::string::npos) << command;
  }
  EXPECT_EQ(run({"read", "VNDRL"}).status, 2);
  EXPECT_EQ(run({"read", "VNDRL", "x"}).status, 2);
}

TEST(FileCommandsOnSample, InfoAndReadOfTheBuiltVendorFile) {
  test::TempDir dir;
  sample::SampleOptions options;
  options.parts = sample::PartCatalog::kMinimumParts;
  const auto built = sample::writeSampleBusinessSystem(dir.path(), options);
  const std::vector<std::string> where = {"--root", dir.str(), "--server", "SRV", "--directory", "D1"};
  auto with = [&](std::vector<std::string> args) {
    args.insert(args.begin(), where.begin(), where.end());
    return veltaData(args);
  };
  const auto& vndrl = built.logicalFile("VNDRL").entry;
  EXPECT_EQ(with({"info", "VNDRL"}).out, "type=L position=" + std::to_string(vndrl.position) +
                                             " reclen=200 lastrec=" + std::to_string(vndrl.lastRecord) + " flags=0\n");
  const auto& distributor = built.catalog.distributor();
  const auto read = with({"read", "VNDRL", std::to_string(distributor.record)});
  ASSERT_EQ(read.out.size(), 2u * 200 + 1) << read.err;
  EXPECT_EQ(read.out.find_first_not_of("0123456789abcdef"), 400u);
  EXPECT_EQ(test::hexBytes(read.out.substr(0, 400)), sample::vendorRecord(distributor));
}

}  // namespace
}  // namespace velta
