// The facade: names resolved into handles, the caller's variables changed
// where the operations say so, errors passed through unchanged.
#include <gtest/gtest.h>

#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "engine/cSystem.h"
#include "support/EngineErrorMatch.h"
#include "support/TempBusinessSystem.h"

namespace velta {
namespace {

using test::expectEngineError;

class Facade : public ::testing::Test {
 protected:
  void SetUp() override {
    bs.write("HBTSLNK/LINKSFILE", test::linksEntry(":D1:VNDRL", ":D1:VNDRDI"));
    bs.write("HBTSLNK/D1/VNDRDI", test::directoryEntry("VNDRL", 'L', 0, 8, 2));
    bs.write("HBTSLNK/D1/VNDRDB", std::string(8, '\0') + "VENDOR01" + "VENDOR02");
    engine = std::make_unique<cBusinessBasic>();
  }
  test::TempBusinessSystem bs;
  std::unique_ptr<cBusinessBasic> engine;
};

TEST_F(Facade, UnknownLogicalNameIsFileNotFound) {
  std::string buff, key;
  int32_t rec = 0;
  expectEngineError([&] { engine->LreadFile("NOSUCH", 1); }, -10, "LogicalOpen", "File not Found: \"NOSUCH\"");
  expectEngineError([&] { engine->KFind("PARTI", buff, key, rec); }, -10, "LogicalOpen", "File not Found: \"PARTI\"");
  expectEngineError([&] { engine->KCount("PARTI"); }, -10, "LogicalOpen", "File not Found: \"PARTI\"");
  expectEngineError([&] { engine->DelRec("X", 1); }, -10, "LogicalOpen", "File not Found: \"X\"");
  EXPECT_EQ(engine->LogicalOpen("NOSUCH"), nullptr);  // LogicalOpen itself raises nothing
}

TEST_F(Facade, NamesAndHandlesReachTheSameFile) {
  EXPECT_EQ(engine->LreadFile("VNDRL", 2), "VENDOR02");
  EXPECT_EQ(engine->LreadFile(engine->LogicalOpen("vndrl"), 1), "VENDOR01");
  EXPECT_EQ(engine->ReadFile(std::string("VNDRDB"), 4, 8).text(), "VEND");
  std::string name = "VNDRDB";
  const auto file = engine->OpenFile(name);
  EXPECT_EQ(name, "\\\\SRV\\HBTSLNK\\D1\\VNDRDB");
  EXPECT_EQ(engine->BlockReadFile(file, 0).substr(8, 8), "VENDOR01");
}

TEST_F(Facade, PackAndUnpackUpperCaseTheCallersOpCode) {
  std::string op = "c", data(4, '\0');
  engine->Pack(op, data, 513, 1);
  EXPECT_EQ(op, "C");
  EXPECT_EQ(data.substr(0, 2), std::string("\x02\x01", 2));
  op = "j";
  EXPECT_EQ(engine->Unpack(op, data, 1), 513);
  EXPECT_EQ(op, "J");
  op = "x";
  expectEngineError([&] { engine->Unpack(op, data, 1); }, 100, "UnPack", "Unknown OpCode = \"X\"");
  EXPECT_EQ(op, "X");
}

TEST_F(Facade, TrunAndReadFileGiveTaggedTexts) {
  EXPECT_EQ(engine->Trun(std::string("AB \0\r", 5), 1), Value("AB"));
  EXPECT_TRUE(engine->ReadFile(std::string("VNDRDB"), 0).isText());
  EXPECT_EQ(engine->QuilSys(), engineState().system);
}

}  // namespace
}  // namespace velta
