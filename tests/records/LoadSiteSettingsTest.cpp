// LoadSiteSettings: the settings file in the temporary folder, the shared
// objects it fills, and what it does with an engine that cannot start.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "base/BaseState.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "engine/cSystem.h"
#include "records/LoadSiteSettings.h"
#include "records/SiteState.h"
#include "records/cEpcInfo.h"
#include "support/EngineErrorMatch.h"
#include "support/ScopedEnvironment.h"
#include "support/TempBusinessSystem.h"

namespace velta {
namespace {

class SiteSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    baseState().notice = [this](const Notice& n) { notices.push_back(n); };
  }
  void TearDown() override {
    baseState().notice = nullptr;
    engineState().engine.reset();
  }
  void writeSettings(const std::string& body) { bs.dir().write("Tmp/hBTCatalog.ini", "[xQ-Depot]\r\n" + body); }

  test::TempBusinessSystem bs;
  // The folder name on disk differs in case from TMPDIR: the path is taken in its on-disk form.
  test::ScopedEnvironment env{{"TMPDIR", bs.dir().str() + "/tmp"}};
  std::vector<Notice> notices;
};

TEST_F(SiteSettings, FillsTheSharedObjectsAndStartsTheEngine) {
  writeSettings("Server=SRV\r\nDataShare=DATA\r\nCatalogShare=CATALOG\r\nDirectory=D1\r\nTerminalID=12\r\n"
                "CustomerNumber= 4711 \r\n");
  LoadSiteSettings();
  const cEpcInfo& info = *siteState().epcInfo;
  EXPECT_EQ(info.Server, "SRV");
  EXPECT_EQ(info.DataShare, "DATA");
  EXPECT_EQ(info.CatalogShare, "\\\\SRV\\CATALOG\\");
  EXPECT_EQ(info.Directory, "D1");
  EXPECT_EQ(info.TerminalID, "12");
  EXPECT_EQ(info.CustomerNumber, 4711);
  const cSystem& system = *engineState().system;
  EXPECT_EQ(system.mUNCDrive, "SRV");
  EXPECT_EQ(system.mDirectory, "D1");
  EXPECT_EQ(system.xtermid, "12");
  ASSERT_NE(engineState().engine, nullptr);
  EXPECT_NE(engineState().links, nullptr);
  EXPECT_TRUE(notices.empty());
}

TEST_F(SiteSettings, MissingFileIsANoticeAndNothingElse) {
  bs.dir().write("Tmp/other.ini", "");
  auto earlier = std::make_shared<cBusinessBasic>();
  engineState().engine = earlier;
  LoadSiteSettings();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text, "You are missing file: " + bs.dir().str() + "/Tmp/hBTCatalog.ini" +
                                 "    Are you running h-Brontek Workstation?");
  EXPECT_EQ(notices[0].title, "EpcError");
  EXPECT_EQ(notices[0].icon, Notice::Icon::None);
  EXPECT_TRUE(notices[0].systemModal);
  EXPECT_EQ(engineState().system->mUNCDrive, "");  // new, empty objects
  EXPECT_EQ(siteState().epcInfo->Server, "");
  EXPECT_EQ(engineState().engine, earlier);         // the engine keeps its earlier value
}

TEST_F(SiteSettings, ValuesAreCutTo99Characters) {
  writeSettings("Server=SRV\r\nDirectory=" + std::string(150, 'd') + "\r\n");
  LoadSiteSettings();
  EXPECT_EQ(siteState().epcInfo->Directory, std::string(99, 'd'));
}

TEST_F(SiteSettings, ReadOnlyFileIsRead) {
  writeSettings("Server=SRV\r\nDirectory=D1");
  ::chmod((bs.dir().str() + "/Tmp/hBTCatalog.ini").c_str(), 0444);
  LoadSiteSettings();
  EXPECT_EQ(siteState().epcInfo->Directory, "D1");
}

TEST_F(SiteSettings, MissingCustomerNumberStaysZeroAndTheEngineStarts) {
  writeSettings("Server=SRV\r\nCatalogShare=C\r\n");
  LoadSiteSettings();
  EXPECT_EQ(siteState().epcInfo->CustomerNumber, 0);
  EXPECT_EQ(engineState().system->mUNCDrive, "SRV");
  EXPECT_NE(engineState().engine, nullptr);
}

TEST_F(SiteSettings, EmptyServerGivesACatalogShareWithoutServer) {
  writeSettings("CatalogShare=CAT\r\n");
  LoadSiteSettings();
  EXPECT_EQ(siteState().epcInfo->CatalogShare, "\\\\\\CAT\\");
}

TEST_F(SiteSettings, NonNumericCustomerNumberIsATypeMismatchForTheCaller) {
  writeSettings("Server=SRV\r\nDirectory=D1\r\nCustomerNumber=47x1\r\n");
  test::expectEngineError([] { LoadSiteSettings(); }, 13, "LoadSiteSettings", "Type mismatch");
  EXPECT_EQ(siteState().epcInfo->Directory, "D1");   // set before the failure
  EXPECT_EQ(engineState().system->mUNCDrive, "");      // the system object is not filled
  EXPECT_EQ(engineState().engine, nullptr);            // and no engine is made
}

TEST_F(SiteSettings, MissingTerminalMapDropsTheEngine) {
  writeSettings("Server=SRV\r\n");
  LoadSiteSettings();
  ASSERT_NE(engineState().engine, nullptr);
  std::filesystem::remove(bs.serverFolder() / "HBTSLNK" / "ttymap");
  LoadSiteSettings();
  EXPECT_EQ(engineState().engine, nullptr);
  EXPECT_EQ(engineState().links, nullptr);
}

TEST_F(SiteSettings, ASecondCallReplacesAllThreeObjects) {
  writeSettings("Server=SRV\r\nDirectory=D1\r\nTerminalID=5\r\n");
  LoadSiteSettings();
  const auto firstSystem = engineState().system;
  const auto firstEngine = engineState().engine;
  writeSettings("Server=SRV\r\n");
  LoadSiteSettings();
  EXPECT_NE(engineState().system, firstSystem);
  EXPECT_NE(engineState().engine, firstEngine);
  EXPECT_EQ(siteState().epcInfo->Directory, "");
  EXPECT_EQ(engineState().system->xtermid, "");
  EXPECT_NE(engineState().links, nullptr);  // the new engine keeps its registries after the old one ended
}

TEST_F(SiteSettings, ToolsApplyTheirOverridesBeforeTheEngineStarts) {
  writeSettings("Server=ELSEWHERE\r\nDirectory=D9\r\n");
  LoadSiteSettings([](cSystem& system) { system.mUNCDrive = "SRV"; });
  EXPECT_EQ(siteState().epcInfo->Server, "ELSEWHERE");
  EXPECT_NE(engineState().links, nullptr);  // the start-up checked \\SRV\HBTSLNK
}

}  // namespace
}  // namespace velta
