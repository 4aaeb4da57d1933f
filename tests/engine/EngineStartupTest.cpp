// The engine's start-up and end: the share check, the terminal map, the
// registries, and which instance keeps them when instances overlap.
#include <gtest/gtest.h>

#include "base/BaseState.h"
#include "base/TextUtilities.h"
#include "engine/EngineStartup.h"
#include "engine/EngineState.h"
#include "engine/LogicalFile.h"
#include "engine/PhysicalFile.h"
#include "engine/cBusinessBasic.h"
#include "engine/cLinks.h"
#include "engine/cSystem.h"
#include "platform/LocalShare.h"
#include "platform/ShareAccess.h"
#include "platform/WSKSOCK.h"
#include "support/EngineErrorMatch.h"
#include "support/TempBusinessSystem.h"

namespace velta {
namespace {

using test::expectEngineError;
using test::TempBusinessSystem;

TEST(TerminalMap, MatchesByNameWithoutCaseOrByExactAddress) {
  const std::string map =
      "OTHERPC 3\n"
      "COUNTER1\n"              // only a name: skipped
      "counter1x 4\n"
      "  COUNTER1   7,x  more\r\n"
      "counter1 8\n";
  EXPECT_EQ(terminalIdFromMap(map, "Counter1", "10.0.0.9"), "7");
  EXPECT_EQ(terminalIdFromMap("10.0.0.90 5\n10.0.0.9 6,1\n", "pc", "10.0.0.9"), "6");
  EXPECT_EQ(terminalIdFromMap("010.0.0.9 6\n", "pc", "10.0.0.9"), "0");  // addresses compare as text
  EXPECT_EQ(terminalIdFromMap(map, "nobody", "10.0.0.9"), "0");
  EXPECT_EQ(terminalIdFromMap("PC ,,\nPC 2\n", "pc", "1.2.3.4"), "0");  // the first match wins, empty list or not
  EXPECT_EQ(terminalIdFromMap("PC ,5\n", "pc", "1.2.3.4"), "5");        // empty pieces are dropped
  EXPECT_EQ(terminalIdFromMap("", "pc", "1.2.3.4"), "0");
}

TEST(HostAddress, DottedTextIsTheMemoryBytesInOrder) {
  EXPECT_EQ(DottedAddress(GetHostAddress("192.168.1.20")), "192.168.1.20");
  EXPECT_EQ(DottedAddress(GetHostAddress("10.0.0.255")), "10.0.0.255");
  EXPECT_EQ(DottedAddress(-1), "255.255.255.255");
  EXPECT_EQ(GetHostAddress("no-such-host.invalid"), -1);
  EXPECT_EQ(DottedAddress(GetHostAddress("localhost")), "127.0.0.1");
  EXPECT_EQ(GetComputerName().find('.'), std::string::npos);
}

class EngineStartup : public ::testing::Test {
 protected:
  void TearDown() override { engineState().engine.reset(); }
  TempBusinessSystem bs;
};

TEST_F(EngineStartup, FindsThisComputerInTheTerminalMap) {
  bs.write("HBTSLNK/ttymap", "OTHERPC 3\n" + lowerAscii(GetComputerName()) + " 12,A\n");
  baseState().compressionAlphabet[0] = '#';
  cBusinessBasic engine;
  const cSystem& system = *engine.QuilSys();
  EXPECT_EQ(system.TerminalID, "12");
  EXPECT_EQ(system.ComputerName, GetComputerName());
  EXPECT_EQ(system.IP, DottedAddress(GetHostAddress(GetComputerName())));
  EXPECT_EQ(baseState().compressionAlphabet, " ,/.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  ASSERT_NE(engineState().links, nullptr);
  EXPECT_NE(engineState().openFiles, nullptr);
  EXPECT_NE(engineState().logicalFiles, nullptr);
}

TEST_F(EngineStartup, UnreachableShareGivesAnEngineWithoutRegistries) {
  engineState().system->mUNCDrive = "NOSUCHSERVER";
  cBusinessBasic engine;
  EXPECT_EQ(engineState().links, nullptr);
  expectEngineError([&] { engine.ReadFile("VNDRDB", 4); }, 91, "OpenFile",
                    "Object variable or With block variable not set");
}

TEST_F(EngineStartup, MissingTerminalMapFailsWith91AndKeepsTheRegistriesInUse) {
  std::filesystem::remove(bs.serverFolder() / "HBTSLNK" / "ttymap");
  bs.startEngine();  // registries of an earlier engine
  const auto earlier = engineState().links;
  expectEngineError([] { cBusinessBasic engine; }, 91, "cBusinessBasic",
                    "Object variable or With block variable not set");
  EXPECT_EQ(engineState().links, earlier);
  EXPECT_EQ(engineState().system->TerminalID, "0");
}

// A start-up that raises leaves the engine that was shared before it working:
// LoadSiteSettings keeps sharing that one.
TEST_F(EngineStartup, AFailedSecondStartUpLeavesTheFirstEngineItsRegistries) {
  bs.write("HBTSLNK/LINKSFILE", test::linksEntry(":D1:VNDRL", ":D1:VNDRDI"));
  bs.write("HBTSLNK/D1/VNDRDI", test::directoryEntry("VNDRL", 'L', 0, 8, 1));
  bs.write("HBTSLNK/D1/VNDRDB", std::string(8, '\0') + "VENDOR01");
  auto first = std::make_unique<cBusinessBasic>();
  const auto links = engineState().links;
  const auto logicalFiles = engineState().logicalFiles;

  std::filesystem::remove(bs.serverFolder() / "HBTSLNK" / "ttymap");
  expectEngineError([] { cBusinessBasic second; }, 91, "cBusinessBasic",
                    "Object variable or With block variable not set");
  EXPECT_EQ(engineState().links, links);
  EXPECT_EQ(engineState().logicalFiles, logicalFiles);
  EXPECT_EQ(first->LreadFile("VNDRL", 1), "VENDOR01");

  first.reset();  // the first is still the newest engine: its registries go with it
  EXPECT_EQ(engineState().links, nullptr);
}

TEST_F(EngineStartup, AnUnreachableShareAfterAGoodStartUpStillGives91) {
  cBusinessBasic first;
  engineState().system->mUNCDrive = "NOSUCHSERVER";
  cBusinessBasic second;
  EXPECT_EQ(engineState().links, nullptr);
  expectEngineError([&] { second.ReadFile("VNDRDB", 4); }, 91, "OpenFile",
                    "Object variable or With block variable not set");
}

// A share that serves a folder but fails on chosen files: a links file that
// cannot be opened, or whose read fails.
class FaultyShare : public ShareBackend {
 public:
  enum class Fault { RefuseOpen, FailRead };
  FaultyShare(const std::filesystem::path& folder, Fault fault) : inner_(folder.string()), fault_(fault) {}
  EntryKind kind(const std::string& path) override { return inner_.kind(path); }
  std::vector<DirEntry> list(const std::string& path) override { return inner_.list(path); }
  std::unique_ptr<ShareFile> open(const std::string& path, const std::string& unc) override {
    if (path != "LINKSFILE") return inner_.open(path, unc);
    if (fault_ == Fault::RefuseOpen) return nullptr;
    return std::make_unique<FailingFile>(unc);
  }
  std::string describe() const override { return "faulty " + inner_.describe(); }

 private:
  class FailingFile : public ShareFile {
   public:
    explicit FailingFile(std::string path) : path_(std::move(path)) {}
    std::size_t readAt(uint64_t, char*, std::size_t) override {
      throw EngineError::fileSystem(err::DeviceIoError, "ReadFile", path_);
    }
    void writeAt(uint64_t, const char*, std::size_t) override {}
    uint64_t size() override { return 160; }
    bool readOnly() const override { return true; }
    const std::string& path() const override { return path_; }

   private:
    std::string path_;
  };
  LocalShare inner_;
  Fault fault_;
};

TEST_F(EngineStartup, ALinksFileThatCannotBeReadEndsTheStartUpWithThePlatformsError) {
  const std::string links = "\\\\SRV\\HBTSLNK\\LINKSFILE";
  bs.startEngine();
  const auto earlier = engineState().links;

  std::filesystem::create_directories(bs.serverFolder() / "HBTSLNK" / "LINKSFILE");  // a folder in its place
  expectEngineError([] { cBusinessBasic engine; }, 75, "cLinks", "Path/File access error: " + links);
  EXPECT_EQ(engineState().links, earlier);
  std::filesystem::remove(bs.serverFolder() / "HBTSLNK" / "LINKSFILE");

  bs.write("HBTSLNK/LINKSFILE", test::linksEntry(":D1:VNDRL", ":D1:VNDRDI"));
  const struct {
    FaultyShare::Fault fault;
    int number;
    std::string source, description;
  } cases[] = {
      {FaultyShare::Fault::RefuseOpen, 70, "cLinks", "Permission denied: " + links},
      {FaultyShare::Fault::FailRead, 57, "ReadFile", "Device I/O error: " + links},
  };
  for (const auto& c : cases) {
    shareAccess().addBackend("SRV", "HBTSLNK",
                             std::make_unique<FaultyShare>(bs.serverFolder() / "HBTSLNK", c.fault));
    expectEngineError([] { cBusinessBasic engine; }, c.number, c.source, c.description);
    EXPECT_EQ(engineState().links, earlier) << c.description;
    shareAccess().configure({std::string(), bs.dir().str()});
  }
  // Missing, it is an empty table, as before.
  std::filesystem::remove(bs.serverFolder() / "HBTSLNK" / "LINKSFILE");
  cBusinessBasic engine;
  ASSERT_NE(engineState().links, nullptr);
  EXPECT_EQ(engineState().links->Count(), 0);
}

TEST_F(EngineStartup, TheEngineCreatedLastKeepsItsRegistries) {
  bs.write("HBTSLNK/LINKSFILE", test::linksEntry(":D1:VNDRL", ":D1:VNDRDI"));
  bs.write("HBTSLNK/D1/VNDRDI", test::directoryEntry("VNDRL", 'L', 0, 8, 1));
  bs.write("HBTSLNK/D1/VNDRDB", std::string(8, '\0') + "VENDOR01");

  auto older = std::make_unique<cBusinessBasic>();
  auto newer = std::make_unique<cBusinessBasic>();
  const auto newerLinks = engineState().links;
  older.reset();  // the old shared engine ends after the new one started
  EXPECT_EQ(engineState().links, newerLinks);
  EXPECT_EQ(newer->LreadFile("VNDRL", 1), "VENDOR01");

  auto newest = std::make_unique<cBusinessBasic>();
  newer.reset();
  EXPECT_EQ(newest->LreadFile("VNDRL", 1), "VENDOR01");
  newest.reset();  // the last one ends: the registries go with it
  EXPECT_EQ(engineState().links, nullptr);
  EXPECT_EQ(engineState().logicalFiles, nullptr);
}

TEST_F(EngineStartup, HandlesOfReplacedRegistriesStayUsable) {
  bs.write("HBTSLNK/LINKSFILE", test::linksEntry(":D1:VNDRL", ":D1:VNDRDI"));
  bs.write("HBTSLNK/D1/VNDRDI", test::directoryEntry("VNDRL", 'L', 0, 8, 1));
  bs.write("HBTSLNK/D1/VNDRDB", std::string(8, '\0') + "VENDOR01");
  cBusinessBasic first;
  const auto held = first.LogicalOpen("VNDRL");
  cBusinessBasic second;
  EXPECT_EQ(second.LreadFile(held, 1), "VENDOR01");
  EXPECT_NE(second.LogicalOpen("VNDRL"), held);  // the new registry does not know the old handle
}

}  // namespace
}  // namespace velta
