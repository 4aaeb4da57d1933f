// The credentials file of an smb:// share: its keys and values, and the
// refusal of files that others than the owner may read or write.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/SmbContext.h"
#include "platform/SmbCredentials.h"
#include "support/TempDir.h"

namespace velta {
namespace {

using test::TempDir;
using namespace std::string_literals;

TEST(SmbCredentials, ReadsEveryKeyAndItsShortForm) {
  const auto longForm = parseSmbCredentials("username=clerk\npassword=pw\ndomain=SHOP\n");
  ASSERT_TRUE(longForm.credentials) << longForm.problem;
  EXPECT_EQ(longForm.credentials->username, "clerk");
  EXPECT_EQ(longForm.credentials->password, "pw");
  EXPECT_EQ(longForm.credentials->domain, "SHOP");

  const auto shortForm = parseSmbCredentials("user=a\r\npass=b\r\nworkgroup=C\r\n");
  ASSERT_TRUE(shortForm.credentials) << shortForm.problem;
  EXPECT_EQ(shortForm.credentials->username, "a");
  EXPECT_EQ(shortForm.credentials->password, "b");  // the CR of a CRLF line is not the password's
  EXPECT_EQ(shortForm.credentials->domain, "C");
}

TEST(SmbCredentials, TheValueIsEverythingAfterTheFirstEquals) {
  const auto read = parseSmbCredentials(
      "# a comment=ignored\n"
      "  UserName =clerk\n"      // blanks before the key and before "=" belong to the key
      "password= p=w d \n"       // blanks and "=" inside the value stay
      "colour=blue\n"            // unknown keys are ignored
      "no equals sign\n"
      "\n"
      "domain=FIRST\n"
      "workgroup=SECOND");       // the later line wins; no final newline
  ASSERT_TRUE(read.credentials) << read.problem;
  EXPECT_EQ(read.credentials->username, "clerk");
  EXPECT_EQ(read.credentials->password, " p=w d ");
  EXPECT_EQ(read.credentials->domain, "SECOND");
}

TEST(SmbCredentials, RefusesWhatLibsmbclientCannotTakeWithoutShowingTheValue) {
  const auto noUser = parseSmbCredentials("password=secret\n");
  EXPECT_FALSE(noUser.credentials);
  EXPECT_EQ(noUser.problem, "it names no user (username=NAME)");

  const auto nul = parseSmbCredentials("username=u\npassword=sec\0ret\n"s);
  EXPECT_FALSE(nul.credentials);
  EXPECT_EQ(nul.problem, "line 2: the value of password holds a NUL byte");

  const auto longest = parseSmbCredentials("username=u\npassword=" + std::string(255, 'x') + "\n");
  EXPECT_TRUE(longest.credentials);
  const auto tooLong = parseSmbCredentials("username=u\npass=" + std::string(256, 'x') + "\n");
  EXPECT_FALSE(tooLong.credentials);
  EXPECT_EQ(tooLong.problem, "line 2: the value of pass is longer than 255 bytes");
}

class SmbCredentialsFile : public ::testing::Test {
 protected:
  std::string withMode(mode_t mode) {
    const auto path = dir.write("cred", "username=clerk\npassword=pw\n");
    ::chmod(path.c_str(), mode);
    return path.string();
  }
  TempDir dir;
};

TEST_F(SmbCredentialsFile, OnlyTheOwnerMayReadOrWriteIt) {
  for (mode_t mode : {0600, 0400, 0700, 0611}) {  // execute bits let no one read the password
    const auto read = readSmbCredentialsFile(withMode(mode));
    EXPECT_TRUE(read.credentials) << std::oct << mode << ": " << read.problem;
  }
  for (mode_t mode : {0640, 0620, 0604, 0602, 0666}) {
    const auto read = readSmbCredentialsFile(withMode(mode));
    EXPECT_FALSE(read.credentials) << std::oct << mode;
    char expected[8];
    std::snprintf(expected, sizeof expected, "%04o", static_cast<unsigned>(mode));
    EXPECT_EQ(read.problem, std::string("its group or others may read or write it (mode ") + expected +
                                "); a file holding a password must be private to its owner (chmod 600)");
  }
}

TEST_F(SmbCredentialsFile, RefusesWhatIsNotASmallRegularFile) {
  EXPECT_EQ(readSmbCredentialsFile(dir.str() + "/missing").problem,
            "it cannot be read (No such file or directory)");
  EXPECT_EQ(readSmbCredentialsFile(dir.str()).problem, "it is not a regular file");
  const std::string fifo = dir.str() + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(readSmbCredentialsFile(fifo).problem, "it is not a regular file");  // and it does not block
  const auto large = dir.write("large", "username=u\n" + std::string(kMaxCredentialsFileSize, '#'));
  ::chmod(large.c_str(), 0600);
  EXPECT_EQ(readSmbCredentialsFile(large.string()).problem, "it is larger than 64 KiB");
}

TEST(SmbContextUrl, EncodesEveryNameAndDropsEmptyComponents) {
  ShareTarget target;
  target.kind = ShareTarget::Kind::Smb;
  target.host = "10.0.0.5";
  target.port = 4450;
  target.share = "C$";
  const SmbContext smb(target, std::nullopt);
  EXPECT_EQ(smb.url(""), "smb://10.0.0.5:4450/C%24");
  EXPECT_EQ(smb.url("D1/a b%c#d?e@f"), "smb://10.0.0.5:4450/C%24/D1/a%20b%25c%23d%3Fe%40f");
  EXPECT_EQ(smb.url("D1//X/"), "smb://10.0.0.5:4450/C%24/D1/X");
  target.port = 0;
  EXPECT_EQ(SmbContext(target, std::nullopt).url("\xE9t\xE9"), "smb://10.0.0.5/C%24/%E9t%E9");
}

}  // namespace
}  // namespace velta
