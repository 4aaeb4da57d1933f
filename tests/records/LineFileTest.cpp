// The product-line classes through the engine on a sample business system:
// Read of both record files, the commodity list from "COMODI", the lines
// clnLines takes, and clsLineList's own engine.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "platform/ShareAccess.h"
#include "engine/cSystem.h"
#include "records/clnLines.h"
#include "records/clsLineList.h"
#include "records/clsLines.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta {
namespace {

class LineFile : public ::testing::Test {
 protected:
  void SetUp() override {
    shareAccess().configure({.mapFile = "", .root = dir.str()});
    engineState().system->mUNCDrive = sample.server;
    engineState().system->mDirectory = sample.directory;
    engineState().engine = std::make_shared<cBusinessBasic>();
  }
  void TearDown() override {
    engineState().engine.reset();
    *engineState().system = cSystem();
    shareAccess().configure({});
  }

  // The list Read builds: the line's own commodity, then every code after the
  // key KFind lands on (the first code at or after the own one).
  static std::vector<std::string> expectedComodities(const sample::SampleLine& line) {
    std::vector<std::string> out{std::string(1, line.Comodity)};
    const std::string& codes = line.comodiCodes;
    const auto landed = std::find_if(codes.begin(), codes.end(), [&](char c) {
      return static_cast<unsigned char>(c) >= static_cast<unsigned char>(line.Comodity);
    });
    if (landed != codes.end()) {
      for (auto it = landed + 1; it != codes.end(); ++it) out.emplace_back(1, *it);
    }
    return out;
  }

  test::TempDir dir;
  const sample::SampleBusinessSystem sample = sample::writeSampleBusinessSystem(dir.path(), {});
};

TEST_F(LineFile, ReadJoinsBothFilesAndFindsTheCommodities) {
  for (const auto& s : sample.catalog.lines) {
    SCOPED_TRACE(s.Line);
    clsLines line;
    line.Read(s.record);
    EXPECT_EQ(line.Line, s.Line);
    EXPECT_EQ(line.RecNo, s.record);
    EXPECT_EQ(line.Alpha_Line, s.Alpha_Line);
    EXPECT_EQ(line.A_P_Vendor, s.A_P_Vendor) << "the field that spans LINEL and ELINEL";
    EXPECT_EQ(line.EOY_Freight_Cost, s.EOY_Freight_Cost);
    EXPECT_EQ(line.Comodities, expectedComodities(s));
  }
  clsLines filter;
  filter.Read(sample.catalog.line(12)->record);
  EXPECT_EQ(filter.Comodities, (std::vector<std::string>{"F", "O", "Z"})) << "A lies before F; F's own key is passed";
}

TEST_F(LineFile, ReadOutsideTheFileIs81AndChangesNothing) {
  clsLines line;
  line.Read(sample.catalog.lines.front().record);
  const int32_t before = line.Line;
  EXPECT_EQ(test::raised([&] { line.Read(0); }).number(), 81);
  const EngineError past = test::raised([&] { line.Read(sample.catalog.lineLastRecord + 1); });
  EXPECT_EQ(past.number(), 81);
  EXPECT_EQ(past.description(), "Illegal Record Number");
  EXPECT_EQ(line.Line, before);
  EXPECT_EQ(line.RecNo, sample.catalog.lines.front().record);
}

TEST_F(LineFile, CollectionTakesActiveLinesBelow1000InFileOrder) {
  auto lines = sample.catalog.lines;
  std::sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.record < b.record; });
  std::vector<int32_t> expected;
  for (const auto& l : lines) {
    if (l.Line < 1000) expected.push_back(l.Line);
  }
  const clnLines collection;
  std::vector<int32_t> got;
  for (const auto& line : collection) got.push_back(line->Line);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(collection.Item("12")->Alpha_Line, "FLT");
  EXPECT_EQ(collection.Item(1)->Line, expected.front());
  EXPECT_THROW(collection.Item("1200"), EngineError);
}

TEST_F(LineFile, ASecondActiveRecordOfALineEndsTheCollection) {
  auto& engine = *engineState().engine;
  const int32_t record = sample.catalog.line(103)->record;
  std::string rec = engine.LreadFile("LINEL", record);
  std::string op = "C";
  engine.Pack(op, rec, 12, 3);
  engine.LwriteFile("LINEL", record, rec);
  EXPECT_EQ(test::raised([] { clnLines collection; }).number(), err::DuplicateKey);
}

TEST_F(LineFile, LineListHoldsAnEngineOfItsOwn) {
  clsLineList list;
  ASSERT_NE(list.mCol, nullptr);
  EXPECT_NE(list.mCol, engineState().engine);
  EXPECT_EQ(list.mCol->KCount("LINEI"), static_cast<int32_t>(sample.catalog.lines.size()));
}

}  // namespace
}  // namespace velta
