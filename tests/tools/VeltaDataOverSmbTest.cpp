// velta-data over SMB: every subcommand that reads or changes the business
// system prints the same over a Samba share as over the folder it serves; a
// share it cannot log on to is said once, without the password.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/RunCommand.h"
#include "support/SambaSample.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

class VeltaDataOverSmb : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto why = test::SambaServer::unavailable()) GTEST_SKIP() << *why;
    served = std::make_unique<test::SambaSample>();
  }

  test::CommandResult run(const std::string& mapFile, std::vector<std::string> args) const {
    std::vector<std::string> argv = {VELTA_BIN_DIR "/velta-data", "--shares", mapFile, "--server",
                                     served->sample().server, "--directory", served->sample().directory};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::runCommand(argv, {{"VELTA_SHARES", std::nullopt}, {"VELTA_UNC_ROOT", std::nullopt}});
  }

  // Runs the subcommand through both maps: the same status and output, and nothing on standard error.
  std::string agree(const std::vector<std::string>& args) {
    const auto local = run(served->localMap(), args);
    const auto smb = run(served->smbMap(), args);
    EXPECT_EQ(smb.status, local.status);
    EXPECT_TRUE(smb.out == local.out) << "output differs: " << smb.out.substr(0, 300);
    EXPECT_EQ(local.err, "");
    EXPECT_EQ(smb.err, "");
    return local.out;
  }

  std::unique_ptr<test::SambaSample> served;
};

TEST_F(VeltaDataOverSmb, ReadingSubcommandsPrintTheSame) {
  for (const char* name : {"VNDRL", "PARTL", "LINEL", "ELINEL", "PARTI", "VNDRI", "LINEI", "COMODI"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(agree({"info", name}).rfind("type=", 0), 0u);
  }
  EXPECT_EQ(agree({"read", "VNDRL", "1"}).size(), 2 * 200 + 1);
  EXPECT_EQ(agree({"read", "PARTL", "2999"}).size(), 2 * 200 + 1);
  for (const char* index : {"PARTI", "VNDRI", "LINEI", "COMODI"}) {
    SCOPED_TRACE(index);
    EXPECT_GT(std::stoi(agree({"count", index})), 0);
    agree({"klength", index});
    const std::string forward = agree({"walk", index});
    EXPECT_GT(std::count(forward.begin(), forward.end(), '\n'), 1);
    agree({"walk", index, "--reverse"});
    agree({"find", index, ""});
    agree({"find", index, "43"});
  }
}

TEST_F(VeltaDataOverSmb, DeleteChangesTheFileTheSameWay) {
  const fs::path data = served->sample().logicalFile("VNDRL").localDataFile;
  std::ifstream in(data, std::ios::binary);
  const std::string original(std::istreambuf_iterator<char>(in), {});

  const std::string live = std::to_string(served->sample().catalog.vendors.at(1).record);
  const auto local = run(served->localMap(), {"delete", "VNDRL", live});
  std::ifstream afterLocal(data, std::ios::binary);
  const std::string deletedLocally(std::istreambuf_iterator<char>(afterLocal), {});
  std::ofstream(data, std::ios::binary | std::ios::trunc) << original;

  const auto smb = run(served->smbMap(), {"delete", "VNDRL", live});
  std::ifstream afterSmb(data, std::ios::binary);
  const std::string deletedOverSmb(std::istreambuf_iterator<char>(afterSmb), {});

  EXPECT_EQ(local.status, 0) << local.err;
  EXPECT_EQ(smb.status, local.status);
  EXPECT_EQ(smb.out, local.out);
  EXPECT_FALSE(deletedLocally == original);
  EXPECT_TRUE(deletedOverSmb == deletedLocally);
  // Deleting it again is the same error both ways.
  const auto again = run(served->smbMap(), {"delete", "VNDRL", live});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("error 81 DelRec"), std::string::npos) << again.err;
}

TEST_F(VeltaDataOverSmb, AShareItCannotLogOnToIsSaidOnceWithoutThePassword) {
  const fs::path cred = served->samba().scratchDir() / "cred";
  std::ofstream(cred) << "username=" << test::SambaServer::kUser << "\npassword=Sup3r-secret\n";
  ::chmod(cred.c_str(), 0600);
  // The share lets guests in; a known user with a wrong password is no guest.
  const auto result = run(served->smbMap("credentials=" + cred.string()), {"read", "VNDRL", "1"});
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.find("Sup3r-secret"), std::string::npos) << result.err;
  const std::string said = "\\\\" + served->sample().server + "\\HBTSLNK (" + served->samba().url("HBTSLNK") +
                           ") cannot be reached: the server refuses the logon of user \"" +
                           test::SambaServer::kUser + "\"";
  const auto first = result.err.find(said);
  EXPECT_NE(first, std::string::npos) << result.err;
  EXPECT_EQ(result.err.find(said, first + 1), std::string::npos) << result.err;
}

}  // namespace
}  // namespace velta
