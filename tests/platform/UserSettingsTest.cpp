// The per-user application settings store: where its file lies and how a
// section named with backslashes is read.
#include <gtest/gtest.h>

#include "platform/UserSettings.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace velta {
namespace {

using test::ScopedEnvironment;
using test::TempDir;

TEST(UserSettings, FileLiesUnderXdgConfigHomeElseHomeConfig) {
  ScopedEnvironment env({{"XDG_CONFIG_HOME", "/x/workstation/config"}, {"HOME", "/home/u"}});
  EXPECT_EQ(userSettingsPath("r-kt"), "/x/workstation/config/r-kt/settings.ini");
  {
    ScopedEnvironment empty({{"XDG_CONFIG_HOME", ""}});
    EXPECT_EQ(userSettingsPath("r-kt"), "/home/u/.config/r-kt/settings.ini");
  }
  {
    ScopedEnvironment none({{"XDG_CONFIG_HOME", std::nullopt}, {"HOME", std::nullopt}});
    EXPECT_EQ(userSettingsPath("r-kt"), "");
  }
  EXPECT_EQ(userSettingsPath(""), "");
  EXPECT_EQ(userSettingsPath("../etc"), "");
  EXPECT_EQ(userSettingsPath(".."), "");
}

TEST(UserSettings, SectionNamesHoldBackslashesLiterally) {
  TempDir dir;
  dir.write("config/r-kt/settings.ini",
            "[Dealer\\Settings\\Connection]\r\n"
            "Host = CATSRV\r\n"
            "[Distributor\\Settings\\Connection]\r\n"
            "Host=\"OTHER\"\r\n"
            "[Dealer]\r\n"
            "Host=wrong\r\n");
  ScopedEnvironment env({{"XDG_CONFIG_HOME", (dir.path() / "config").string()}});
  EXPECT_EQ(userSetting("r-kt", "Dealer\\Settings\\Connection", "Host"), "CATSRV");
  EXPECT_EQ(userSetting("r-kt", "dealer\\settings\\connection", "HOST"), "CATSRV");
  EXPECT_EQ(userSetting("r-kt", "Distributor\\Settings\\Connection", "Host"), "OTHER");
  EXPECT_EQ(userSetting("r-kt", "Dealer\\Settings", "Host"), "");
  EXPECT_EQ(userSetting("r-kt", "Dealer\\Settings\\Connection", "Port"), "");
  EXPECT_EQ(userSetting("other-app", "Dealer\\Settings\\Connection", "Host"), "");
}

TEST(UserSettings, ValuesAreNotCut) {
  TempDir dir;
  const std::string longValue(300, 'h');
  dir.write("r-kt/settings.ini", "[S]\nHost=" + longValue + "\n");
  ScopedEnvironment env({{"XDG_CONFIG_HOME", dir.str()}});
  EXPECT_EQ(userSetting("r-kt", "S", "Host"), longValue);
}

}  // namespace
}  // namespace velta
