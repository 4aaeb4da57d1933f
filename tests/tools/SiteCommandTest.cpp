// velta-data site and the settings file as the tool's default way in.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

using test::runCommand;

const std::string kVeltaData = std::string(VELTA_BIN_DIR) + "/velta-data";

class SiteCommand : public ::testing::Test {
 protected:
  test::CommandResult run(std::vector<std::string> args) {
    args.insert(args.begin(), kVeltaData);
    return runCommand(args, {{"TMPDIR", (dir.path() / "workstation/tmp").string()},
                             {"XDG_CONFIG_HOME", (dir.path() / "workstation/config").string()},
                             {"VELTA_SHARES", std::nullopt},
                             {"VELTA_UNC_ROOT", std::nullopt}});
  }
  test::TempDir dir;
  const sample::SampleBusinessSystem sample = sample::writeSampleBusinessSystem(dir.path(), {});
};

TEST_F(SiteCommand, PrintsTheSiteConfigurationAndTheSystemObject) {
  const auto result = run({"site"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string out = result.out;
  const auto starts = [&](const std::string& line) { return out.find(line) != std::string::npos; };
  EXPECT_EQ(out.rfind("cEpcInfo.Server=SRV\ncEpcInfo.DataShare=", 0), 0u) << out;
  EXPECT_TRUE(starts("\ncEpcInfo.Directory=D1\n"));
  EXPECT_TRUE(starts("\ncSystem.mUNCDrive=SRV\ncSystem.mDirectory=D1\ncSystem.TerminalID="));
  EXPECT_TRUE(starts("\ncSystem.HBTSLNK=\\\\SRV\\HBTSLNK\\D1\ncSystem.CATCON=\\\\SRV\\CATCON\\\n"));
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 14);
}

TEST_F(SiteCommand, ServerAndDirectoryOverrideTheSettingsFile) {
  const auto result = run({"--directory", "D7", "site"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("cEpcInfo.Directory=D1\n"), std::string::npos);
  EXPECT_NE(result.out.find("cSystem.mDirectory=D7\n"), std::string::npos);

  const auto elsewhere = run({"--server", "NOSUCH", "site"});
  EXPECT_EQ(elsewhere.status, 1);
  EXPECT_NE(elsewhere.out.find("cSystem.mUNCDrive=NOSUCH\n"), std::string::npos);
  EXPECT_NE(elsewhere.err.find("error 91 cBusinessBasic: the link share \\\\NOSUCH\\HBTSLNK\\ cannot be reached"),
            std::string::npos)
      << elsewhere.err;
}

TEST_F(SiteCommand, TheOtherCommandsReadTheBusinessSystemTheSettingsFileNames) {
  const auto result = run({"count", "VNDRI"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, std::to_string(sample.catalog.vendors.size()) + "\n");
}

TEST_F(SiteCommand, WithoutASettingsFileTheToolSaysWhere) {
  std::filesystem::remove(dir.path() / "workstation/tmp/hBTCatalog.ini");
  const auto result = run({"count", "VNDRI"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("error 91 LoadSiteSettings: no settings file " + dir.str() +
                            "/workstation/tmp/hBTCatalog.ini"),
            std::string::npos)
      << result.err;
}

TEST_F(SiteCommand, MissingTerminalMapStopsTheEngine) {
  std::filesystem::remove(dir.path() / "SRV/HBTSLNK/ttymap");
  const auto result = run({"count", "VNDRI"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("error 91 cBusinessBasic: the engine did not start: no terminal map"), std::string::npos)
      << result.err;
}

}  // namespace
}  // namespace velta
