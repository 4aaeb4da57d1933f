// velta-data sample: what it writes, what it prints, what it refuses.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out, err;
};

// Runs velta-data with `arguments` (shell words) and collects what it printed.
Outcome veltaData(const test::TempDir& dir, const std::string& arguments) {
  const std::string command = std::string(VELTA_BIN_DIR) + "/velta-data " + arguments + " >'" + dir.str() +
                              "/out' 2>'" + dir.str() + "/err'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, dir.read("out"), dir.read("err")};
}

TEST(SampleCommand, WritesTheSampleAndPrintsHowToUseIt) {
  test::TempDir dir;
  const std::string target = dir.str() + "/biz";
  const Outcome run = veltaData(dir, "sample '" + target + "' --parts 100 --server BIZ");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\nVELTA_UNC_ROOT=" + target + "\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\n\\\\BIZ\\HBTSLNK = " + target + "/BIZ/HBTSLNK\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\n\\\\BIZ\\CatCon = " + target + "/BIZ/CatCon\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nTMPDIR=" + target + "/workstation/tmp\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nXDG_CONFIG_HOME=" + target + "/workstation/config\n"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(target + "/BIZ/HBTSLNK/D1/INDB"));
  EXPECT_EQ(run.err, "");  // no progress for a small sample

  const Outcome again = veltaData(dir, "sample '" + target + "'");
  EXPECT_EQ(again.status, 2);
  EXPECT_EQ(again.err, "velta-data: \"" + target + "\" exists and is not empty (--force writes over it)\n");
  EXPECT_EQ(veltaData(dir, "sample '" + target + "' --parts 100 --force").status, 0);
}

TEST(SampleCommand, GlobalDirectoryAndServerServeToo) {
  test::TempDir dir;
  const Outcome run = veltaData(dir, "--server OTHER --directory D9 sample '" + dir.str() + "/biz' --parts 50");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::is_regular_file(dir.path() / "biz/OTHER/HBTSLNK/D9/LNDR"));
}

TEST(SampleCommand, RefusesWhatItCannotWrite) {
  test::TempDir dir;
  EXPECT_EQ(veltaData(dir, "sample '\\\\SRV\\HBTSLNK'").err,
            "velta-data: \"\\\\SRV\\HBTSLNK\" is not a local folder; the sample is written to local folders only\n");
  EXPECT_EQ(veltaData(dir, "sample '" + dir.str() + "/x' --parts 10").status, 2);
  const Outcome big = veltaData(dir, "sample '" + dir.str() + "/x' --parts 1800000");
  EXPECT_EQ(big.status, 2);
  EXPECT_NE(big.err.find("16-bit block numbers allow at most 65534"), std::string::npos) << big.err;
  EXPECT_FALSE(fs::exists(dir.path() / "x"));
  const Outcome name = veltaData(dir, "sample '" + dir.str() + "/x' --directory 'A:B'");
  EXPECT_EQ(name.err, "velta-data: directory \"A:B\" cannot be used as a name\n");
  dir.write("file", "x");
  EXPECT_EQ(veltaData(dir, "sample '" + dir.str() + "/file'").err,
            "velta-data: \"" + dir.str() + "/file\" exists and is not a folder\n");
}

TEST(SampleCommand, ShowsProgressForLargeSamplesAndHelpForEveryOption) {
  test::TempDir dir;
  const Outcome run = veltaData(dir, "sample '" + dir.str() + "/big' --parts 100000 --index-only");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("velta-data: PARTI 65536 of 100000\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("velta-data: PARTI 100000 of 100000\n"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("100000 parts (index only)"), std::string::npos);

  const Outcome help = veltaData(dir, "sample --help");
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--parts", "--server", "--directory", "--index-only", "--distributor-host",
                             "--order-port", "--status-port", "--inquiry-port", "--workstation", "--terminal-id",
                             "--force"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace velta
