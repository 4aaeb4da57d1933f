// Share access over local folders: UNC parsing, the share map, letter case,
// root mode, and the "no file" rule for everything that does not resolve.
#include <gtest/gtest.h>

#include "base/EngineError.h"
#include "platform/ShareAccess.h"
#include "support/TempDir.h"

namespace velta {
namespace {

using test::TempDir;

TEST(UncPath, SeparatorsAndRunsNormalise) {
  const auto unc = parseUncPath("\\\\SRV\\HBTSLNK\\\\D1/VNDRDI");
  ASSERT_TRUE(unc);
  EXPECT_EQ(unc->server, "SRV");
  EXPECT_EQ(unc->share, "HBTSLNK");
  EXPECT_EQ(unc->components, (std::vector<std::string>{"D1", "VNDRDI"}));
  EXPECT_EQ(unc->text(), "\\\\SRV\\HBTSLNK\\D1\\VNDRDI");
}

TEST(UncPath, RefusesDotComponentsAndNonUncText) {
  EXPECT_FALSE(parseUncPath("\\\\SRV\\HBTSLNK\\D1\\..\\..\\etc\\passwd"));
  EXPECT_FALSE(parseUncPath("\\\\SRV\\HBTSLNK\\.\\X"));
  EXPECT_FALSE(parseUncPath("\\\\SRV"));
  EXPECT_FALSE(parseUncPath("C:\\data\\x"));
  EXPECT_FALSE(parseUncPath("VNDRI"));
  EXPECT_TRUE(parseUncPath("\\\\SRV\\HBTSLNK\\..x"));  // only whole "." and ".." components
}

TEST(ShareMap, ReadsLocalAndSmbLinesAndReportsBadOnes) {
  const auto map = ShareMap::parse(
      "# comment\n"
      "\\\\SRV\\HBTSLNK = /data/link\r\n"
      "  \\\\srv\\CatCon=relative/cat  \n"
      "\\\\SRV\\DATA = smb://10.0.0.5:4450/DATA credentials=cred.txt timeout=3\n"
      "\\\\SRV\\HBTSLNK = /elsewhere\n"
      "no equals sign\n"
      "\\\\SRV\\X\\Y = /too/deep\n"
      "\\\\SRV\\BAD = smb://host:99999/S\n"
      "\\\\SRV\\BAD2 = smb://host/S bogus=1\n",
      "/etc/map.conf", "/etc");
  ASSERT_EQ(map.entries().size(), 3u);
  EXPECT_EQ(map.entries()[0].target.localDirectory, "/data/link");
  EXPECT_EQ(map.entries()[1].target.localDirectory, "/etc/relative/cat");
  const auto* smb = map.find("srv", "data");
  ASSERT_NE(smb, nullptr);
  EXPECT_EQ(smb->target.kind, ShareTarget::Kind::Smb);
  EXPECT_EQ(smb->target.host, "10.0.0.5");
  EXPECT_EQ(smb->target.port, 4450);
  EXPECT_EQ(smb->target.share, "DATA");
  EXPECT_EQ(smb->target.credentialsFile, "/etc/cred.txt");
  EXPECT_EQ(smb->target.timeoutSeconds, 3);
  ASSERT_EQ(map.problems().size(), 5u);
  EXPECT_EQ(map.problems()[0].rfind("/etc/map.conf:5: ", 0), 0u) << map.problems()[0];
  EXPECT_NE(map.problems()[3].find("port"), std::string::npos);
  EXPECT_NE(map.problems()[4].find("\"bogus\""), std::string::npos);
}

class ShareAccessLocal : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("link/D1/VNDRDI", "directory");
    dir.write("link/D1/vndrdb", "lower");
    dir.write("link/D1/Twin", "exact");
    dir.write("link/D1/TWIN", "upper");
    dir.write("root/SRV/CATCON/HBT2RKT.TXT", "map");
    dir.write("shares.conf", "\\\\SRV\\HBTSLNK = " + dir.str() + "/link\n");
    shares.configure({dir.str() + "/shares.conf", dir.str() + "/root"});
  }
  TempDir dir;
  ShareAccess shares;
};

TEST_F(ShareAccessLocal, MatchesComponentsWithoutRegardToCase) {
  EXPECT_EQ(shares.readAll("\\\\srv\\hbtslnk\\d1\\VNDRDB").value_or("?"), "lower");
  EXPECT_EQ(shares.readAll("\\\\SRV\\HBTSLNK\\D1\\vndrdi").value_or("?"), "directory");
  EXPECT_EQ(shares.lookup("\\\\SRV\\HBTSLNK\\D1"), EntryKind::Directory);
}

TEST_F(ShareAccessLocal, ExactCaseWinsThenFirstInByteOrder) {
  EXPECT_EQ(shares.readAll("\\\\SRV\\HBTSLNK\\D1\\Twin").value_or("?"), "exact");
  EXPECT_EQ(shares.readAll("\\\\SRV\\HBTSLNK\\D1\\TWIN").value_or("?"), "upper");
  EXPECT_EQ(shares.readAll("\\\\SRV\\HBTSLNK\\D1\\twin").value_or("?"), "upper");  // "TWIN" < "Twin"
}

TEST_F(ShareAccessLocal, RootServesSharesTheMapLacks) {
  EXPECT_EQ(shares.readAll("\\\\srv\\CatCon\\hbt2rkt.txt").value_or("?"), "map");
}

TEST_F(ShareAccessLocal, WhatDoesNotResolveIsNoFile) {
  EXPECT_EQ(shares.open("\\\\SRV\\HBTSLNK\\D1\\MISSING"), nullptr);
  EXPECT_EQ(shares.open("\\\\OTHER\\SHARE\\X"), nullptr);
  EXPECT_EQ(shares.open("\\\\SRV\\HBTSLNK\\D1"), nullptr);  // a folder is not a file
  EXPECT_EQ(shares.open("\\\\SRV\\HBTSLNK\\D1\\VNDRDI\\X"), nullptr);
  EXPECT_EQ(shares.open("\\\\SRV\\HBTSLNK\\D1\\..\\D1\\VNDRDI"), nullptr);
  const std::string missing = shares.explain("\\\\SRV\\HBTSLNK\\D1\\MISSING");
  EXPECT_NE(missing.find("no such file or folder in " + dir.str() + "/link"), std::string::npos) << missing;

  ShareAccess mapOnly;
  mapOnly.configure({dir.str() + "/shares.conf", ""});
  EXPECT_EQ(mapOnly.open("\\\\OTHER\\SHARE\\X"), nullptr);
  const std::string why = mapOnly.explain("\\\\OTHER\\SHARE\\X");
  EXPECT_NE(why.find("nothing maps \\\\OTHER\\SHARE"), std::string::npos) << why;
  EXPECT_NE(why.find("share map " + dir.str() + "/shares.conf"), std::string::npos) << why;
}

TEST_F(ShareAccessLocal, PositionedReadsAndWrites) {
  auto file = shares.open("\\\\SRV\\HBTSLNK\\D1\\VNDRDI");
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->readOnly());
  file->writeAt(12, "XY", 2);
  EXPECT_EQ(file->size(), 14u);
  char buffer[8] = {};
  EXPECT_EQ(file->readAt(10, buffer, 8), 4u);
  EXPECT_EQ(std::string(buffer, 4), std::string("\0\0XY", 4));
  EXPECT_EQ(file->path(), "\\\\SRV\\HBTSLNK\\D1\\VNDRDI");
}

}  // namespace
}  // namespace velta
