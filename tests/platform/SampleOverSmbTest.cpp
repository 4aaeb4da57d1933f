// The sample business system read through share access from its folders and
// from a Samba server serving the same folders: every file agrees byte for
// byte, however the letter case of its UNC path is written.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/TextUtilities.h"
#include "platform/ShareAccess.h"
#include "support/SambaSample.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

// Every file below the sample's server folder, as UNC paths in lower case.
std::vector<std::string> everyFile(const sample::SampleBusinessSystem& s) {
  std::vector<std::string> paths;
  const fs::path serverFolder = s.root / s.server;
  for (const auto& entry : fs::recursive_directory_iterator(serverFolder)) {
    if (!entry.is_regular_file()) continue;
    std::string unc = "\\\\" + s.server;
    for (const auto& part : fs::relative(entry.path(), serverFolder)) unc += "\\" + part.string();
    paths.push_back(lowerAscii(unc));
  }
  return paths;
}

TEST(SampleOverSmb, EveryFileAgreesByteForByte) {
  if (auto why = test::SambaServer::unavailable()) GTEST_SKIP() << *why;
  test::SambaSample served;
  ShareAccess local, smb;
  local.configure({served.localMap(), std::string()});
  smb.configure({served.smbMap(), std::string()});

  const auto paths = everyFile(served.sample());
  ASSERT_GT(paths.size(), 10u);
  for (const auto& path : paths) {
    SCOPED_TRACE(path);
    const auto expected = local.readAll(path);
    ASSERT_TRUE(expected);
    EXPECT_EQ(smb.readAll(path), expected);

    // Positioned reads of 512-byte blocks, the last one short.
    auto file = smb.open(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), expected->size());
    std::string block(512, '\0');
    for (std::size_t at = 0; at < expected->size(); at += 7 * 512) {
      block.resize(file->readAt(at, block.data(), 512));
      EXPECT_EQ(block, expected->substr(at, 512));
      block.resize(512);
    }
  }
}

}  // namespace
}  // namespace velta
