// The temporary folder and the on-disk form of workstation paths.
#include <gtest/gtest.h>

#include "records/SitePaths.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace velta {
namespace {

using test::ScopedEnvironment;
using test::TempDir;

TEST(GetTempDir, TmpdirElseTmpWithOneTrailingSlash) {
  {
    ScopedEnvironment env({{"TMPDIR", "/var/tmp/u1"}});
    EXPECT_EQ(GetTempDir(), "/var/tmp/u1/");
  }
  {
    ScopedEnvironment env({{"TMPDIR", "/var/tmp/u1///"}});
    EXPECT_EQ(GetTempDir(), "/var/tmp/u1/");
  }
  {
    ScopedEnvironment env({{"TMPDIR", "/"}});
    EXPECT_EQ(GetTempDir(), "/");
  }
  {
    ScopedEnvironment env({{"TMPDIR", ""}});
    EXPECT_EQ(GetTempDir(), "/tmp/");
  }
  ScopedEnvironment env({{"TMPDIR", std::nullopt}});
  EXPECT_EQ(GetTempDir(), "/tmp/");
}

TEST(GetLongPath, EachComponentTakesItsOnDiskName) {
  TempDir dir;
  dir.write("Work Folder/Velta/hBTCatalog.ini", "");
  const std::string base = dir.str();  // mkdtemp's own name, exact
  EXPECT_EQ(GetLongPath(base + "/WORK FOLDER/velta/HBTCATALOG.INI"), base + "/Work Folder/Velta/hBTCatalog.ini");
  EXPECT_EQ(GetLongPath(base + "//work folder///VELTA/"), base + "/Work Folder/Velta/");
}

TEST(GetLongPath, ExactNameWinsThenFirstInByteOrder) {
  TempDir dir;
  dir.write("abc/x", "");
  dir.write("ABC/x", "");
  dir.write("aBc/x", "");
  const std::string base = dir.str();
  EXPECT_EQ(GetLongPath(base + "/aBc"), base + "/aBc");
  EXPECT_EQ(GetLongPath(base + "/Abc"), base + "/ABC");
}

TEST(GetLongPath, UnmatchedComponentsStayAsWritten) {
  TempDir dir;
  dir.write("Real/file", "");
  const std::string base = dir.str();
  EXPECT_EQ(GetLongPath(base + "/REAL/Missing/REAL/x"), base + "/Real/Missing/REAL/x");
  EXPECT_EQ(GetLongPath(base + "/real/./../REAL"), base + "/Real/./../Real");
  EXPECT_EQ(GetLongPath(""), "");
  EXPECT_EQ(GetLongPath("/"), "/");
}

}  // namespace
}  // namespace velta
