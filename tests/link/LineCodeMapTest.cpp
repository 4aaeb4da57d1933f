// The line-code map: the loading rules on text, and both controls' ways of
// finding the map file through the share layer.
#include <gtest/gtest.h>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "link/LineCodeMap.h"
#include "platform/ShareAccess.h"
#include "engine/cSystem.h"
#include "support/Raised.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace velta {
namespace {

using test::ScopedEnvironment;
using test::TempDir;

// One loading rule: a map text and what lookups in it give.
struct Lookup {
  bool toHbt;  // hBTLineCode of an RKT code, else rktLineCode of an hBT code
  Value code;
  const char* expected;
};
struct Rule {
  const char* name;
  std::string_view text;
  std::vector<Lookup> lookups;
};

constexpr bool kToHbt = true;
constexpr bool kToRkt = false;

const Rule kRules[] = {
    {"two codes before the apostrophe map both ways", "XYZ   123  ' Dealer line 123\n",
     {{kToHbt, "XYZ", "123"}, {kToRkt, "123", "XYZ"}, {kToHbt, "123", ""}, {kToRkt, "XYZ", ""}}},
    {"lines that do not count",
     "XYZ   123\nAAA BBB CCC ' three\nDDD '\n' EEE FFF\n\n\nGGG HHH 'x' III JJJ\n",
     {{kToHbt, "XYZ", ""}, {kToHbt, "AAA", ""}, {kToRkt, "CCC", ""}, {kToHbt, "DDD", ""}, {kToHbt, "EEE", ""},
      {kToHbt, "GGG", "HHH"}, {kToHbt, "III", ""}}},
    {"tabs separate like blanks", "\tXYZ\t123\t'\n  ABC \t\t 456'\n",
     {{kToHbt, "XYZ", "123"}, {kToHbt, "ABC", "456"}}},
    {"codes are stored upper-case, looked up in any case, passed unchanged", "xyz abc1 'lower case\n",
     {{kToHbt, "xyz", "ABC1"}, {kToHbt, "XyZ", "ABC1"}, {kToRkt, "Abc1", "XYZ"}, {kToHbt, " xyz", ""},
      {kToHbt, "", ""}, {kToHbt, Value(), ""}}},
    {"the first line wins in each direction on its own",
     "XYZ 123 'first\nXYZ 456 'XYZ stays 123; 456 is new\nABC 123 '123 stays XYZ; ABC is new\n",
     {{kToHbt, "XYZ", "123"}, {kToRkt, "456", "XYZ"}, {kToRkt, "123", "XYZ"}, {kToHbt, "ABC", "123"}}},
    {"carriage returns end up in the comment", "XYZ 123 'one\r\nABC 456 '\r\nNOQ 789\r\n",
     {{kToHbt, "XYZ", "123"}, {kToHbt, "ABC", "456"}, {kToRkt, "456", "ABC"}, {kToHbt, "NOQ", ""}}},
};

TEST(LineCodeMapText, LoadingRules) {
  for (const auto& rule : kRules) {
    const auto map = LineCodeMap::fromText(rule.text);
    for (const auto& lookup : rule.lookups) {
      const std::string got = lookup.toHbt ? map.hBTLineCode(lookup.code) : map.rktLineCode(lookup.code);
      EXPECT_EQ(got, lookup.expected) << rule.name << ": " << lookup.code.toText();
    }
  }
}

TEST(LineCodeMapText, ANumberIsAPositionInLoadOrder) {
  const auto map = LineCodeMap::fromText("XYZ 123 '\nABC 456 '\n");
  EXPECT_EQ(map.hBTLineCode(Value(2)), "456");
  EXPECT_EQ(map.rktLineCode(Value(1)), "XYZ");
  EXPECT_EQ(map.hBTLineCode(Value(3)), "");
  EXPECT_EQ(map.hBTLineCode(Value(0)), "");
  EXPECT_EQ(map.hBTLineCode(Value(1e12)), "");
}

// A share whose root cannot be reached: asking about anything fails.
class UnreachableShare : public ShareBackend {
 public:
  EntryKind kind(const std::string&) override { throw EngineError::general(err::DeviceIoError, "test"); }
  std::vector<DirEntry> list(const std::string&) override { return {}; }
  std::unique_ptr<ShareFile> open(const std::string&, const std::string&) override { return nullptr; }
  std::string describe() const override { return "unreachable"; }
};

// A share holding one file whose reads fail.
class UnreadableShare : public ShareBackend {
  class File : public ShareFile {
   public:
    std::size_t readAt(uint64_t, char*, std::size_t) override {
      throw EngineError::fileSystem(err::DeviceIoError, "ReadFile", path_);
    }
    void writeAt(uint64_t, const char*, std::size_t) override {}
    uint64_t size() override { return 40; }
    bool readOnly() const override { return true; }
    const std::string& path() const override { return path_; }

   private:
    std::string path_ = "\\\\BAD\\CatCon\\HBT2RKT.TXT";
  };

 public:
  EntryKind kind(const std::string& p) override { return p.empty() ? EntryKind::Directory : EntryKind::File; }
  std::vector<DirEntry> list(const std::string&) override { return {}; }
  std::unique_ptr<ShareFile> open(const std::string&, const std::string&) override {
    return std::make_unique<File>();
  }
  std::string describe() const override { return "unreadable"; }
};

class LineCodeMapFile : public ::testing::Test {
 protected:
  void SetUp() override { shareAccess().configure({.mapFile = "", .root = (dir.path() / "unc").string()}); }
  void TearDown() override {
    shareAccess().configure({});
    *engineState().system = cSystem();
  }
  void writeSettings(const std::string& text) { dir.write("config/r-kt/settings.ini", text); }

  TempDir dir;
  ScopedEnvironment env{{{"XDG_CONFIG_HOME", (dir.path() / "config").string()}}};
};

TEST_F(LineCodeMapFile, OrderControlFindsTheHostInTheDealerSettingsFirst) {
  writeSettings(
      "[Dealer\\Settings\\Connection]\nHost=CATSRV\n"
      "[Distributor\\Settings\\Connection]\nHost=OTHER\n");
  dir.write("unc/catsrv/catcon/hbt2rkt.txt", "XYZ 123 '\n");
  EXPECT_EQ(LineCodeMap::orderControlPath(), "\\\\CATSRV\\CatCon\\HBT2RKT.TXT");
  EXPECT_EQ(LineCodeMap::forOrderControl().hBTLineCode(Value("XYZ")), "123");
}

TEST_F(LineCodeMapFile, OrderControlFallsBackToTheDistributorSettings) {
  writeSettings("[Dealer\\Settings\\Connection]\nHost=\n[Distributor\\Settings\\Connection]\nHost=OTHER\n");
  dir.write("unc/OTHER/CatCon/HBT2RKT.TXT", "ABC 456 '\n");
  EXPECT_EQ(LineCodeMap::orderControlPath(), "\\\\OTHER\\CatCon\\HBT2RKT.TXT");
  EXPECT_EQ(LineCodeMap::forOrderControl().rktLineCode(Value("456")), "ABC");
}

TEST_F(LineCodeMapFile, AnEmptyHostNamesNoServerAndGivesEmptyMaps) {
  writeSettings("[Dealer\\Settings\\Connection]\nHost=\n");
  // Where a path with an empty server part could be misread to lie.
  dir.write("unc/CatCon/HBT2RKT.TXT", "XYZ 123 '\n");
  EXPECT_EQ(LineCodeMap::orderControlPath(), "\\\\\\CatCon\\HBT2RKT.TXT");
  EXPECT_EQ(LineCodeMap::forOrderControl().hBTLineCode(Value("XYZ")), "");
}

TEST_F(LineCodeMapFile, InquiryControlReadsBelowTheCatalogShare) {
  engineState().system->mUNCDrive = "SRV";
  dir.write("unc/SRV/CATCON/HBT2RKT.TXT", "XYZ\t123 'x\r\n");
  EXPECT_EQ(LineCodeMap::inquiryControlPath(), "\\\\SRV\\CATCON\\\\HBT2RKT.TXT");
  EXPECT_EQ(LineCodeMap::forInquiryControl().hBTLineCode(Value("xyz")), "123");
}

TEST_F(LineCodeMapFile, AMissingFileOrServerGivesEmptyMapsWithoutError) {
  engineState().system->mUNCDrive = "NOSUCH";
  EXPECT_EQ(LineCodeMap::forInquiryControl().hBTLineCode(Value("XYZ")), "");
  shareAccess().addBackend("DOWN", "CatCon", std::make_unique<UnreachableShare>());
  EXPECT_EQ(LineCodeMap::fromFile("\\\\DOWN\\CatCon\\HBT2RKT.TXT").hBTLineCode(Value("XYZ")), "");
}

TEST_F(LineCodeMapFile, AReadFailureAfterTheFileWasFoundGoesToTheCreator) {
  shareAccess().addBackend("BAD", "CatCon", std::make_unique<UnreadableShare>());
  const EngineError e = test::raised([] { LineCodeMap::fromFile("\\\\BAD\\CatCon\\HBT2RKT.TXT"); });
  EXPECT_EQ(e.number(), err::DeviceIoError);
  EXPECT_EQ(e.description(), "Device I/O error: \\\\BAD\\CatCon\\HBT2RKT.TXT");
}

}  // namespace
}  // namespace velta
