// The keyed collections, the link table from links-file bytes, the registries
// of the engine's start-up, record-zero counters and the system paths.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/LogicalFile.h"
#include "engine/EngineState.h"
#include "engine/PhysicalFile.h"
#include "engine/Registries.h"
#include "engine/cLinks.h"
#include "engine/cLogicalFile.h"
#include "engine/cOpenFile.h"
#include "engine/cSystem.h"
#include "support/EngineErrorMatch.h"
#include "support/TempBusinessSystem.h"

namespace velta {
namespace {

using test::bigEndian;
using test::expectEngineError;
using test::linksEntry;

TEST(KeyedCollection, KeysIgnoreCaseAndOrderIsInsertionOrder) {
  cLinks links;
  links.Add("B", "1", "Second");
  links.Add("A", "2");  // without a key
  links.Add("C", "3", "third");
  EXPECT_EQ(links.Count(), 3);
  EXPECT_EQ(links.Item("SECOND")->LinkFile, "B");
  EXPECT_EQ(links.Item("Third")->ResolutionFile, "3");
  EXPECT_EQ(links.Item(2)->LinkFile, "A");
  std::string order;
  for (const auto& link : links) order += link->LinkFile;
  EXPECT_EQ(order, "BAC");
  links.Remove("second");
  links.Remove(1);  // now "A"
  ASSERT_EQ(links.Count(), 1);
  EXPECT_EQ(links.Item(1)->LinkFile, "C");
  EXPECT_EQ(links.Find("second"), nullptr);
  links.Add("B2", "4", "SECOND");  // the key is free again
}

TEST(KeyedCollection, ErrorsGoToTheCaller) {
  cOpenFiles files;
  files.Add(1, "\\\\S\\X\\A", 0, "\\\\S\\X\\A");
  expectEngineError([&] { files.Add(2, "x", 0, "\\\\s\\x\\a"); }, 457, "cOpenFiles",
                    "This key is already associated with an element of this collection");
  expectEngineError([&] { files.Item("nope"); }, 5, "cOpenFiles", "Invalid procedure call or argument");
  expectEngineError([&] { files.Remove("nope"); }, 5, "cOpenFiles", "Invalid procedure call or argument");
  expectEngineError([&] { files.Item(""); }, 5, "cOpenFiles", "Invalid procedure call or argument");
  expectEngineError([&] { files.Item(0); }, 9, "cOpenFiles", "Subscript out of range");
  expectEngineError([&] { files.Item(2); }, 9, "cOpenFiles", "Subscript out of range");
  expectEngineError([&] { files.Remove(2); }, 9, "cOpenFiles", "Subscript out of range");
  EXPECT_EQ(files.Count(), 1);
  EXPECT_EQ(files.Item(1)->vbFileNumber, 1);
}

TEST(LinksFile, EntriesOf160BytesAndAShortLastOne) {
  const std::string three =
      linksEntry(":D1:VNDRI", ":D1:VNDRDI") + linksEntry(":D1:PARTI", ":D1:PARTDI") + linksEntry(":D2:X", ":D2:XDI");
  ASSERT_EQ(three.size(), 480u);
  EXPECT_EQ(cLinks(three).Count(), 3);

  const std::string shortEntry(" :D3:SHORT\r\n\t\0      ", 20);  // no resolution name
  const cLinks four(three + shortEntry);
  ASSERT_EQ(four.Count(), 4);
  EXPECT_EQ(four.Item(4)->LinkFile, ":D3:SHORT");
  EXPECT_EQ(four.Item(4)->ResolutionFile, "");
  EXPECT_EQ(four.Item(":d1:vndri")->ResolutionFile, ":D1:VNDRDI");
}

TEST(LinksFile, TrailingControlsGoEmptyNamesSkipFirstEntryWins) {
  const std::string text = linksEntry(":D1:A\t\r", ":D1:ADI\n", '\0') + linksEntry("", ":D1:IGNORED") +
                           linksEntry("\r\n", ":D1:IGNORED") + linksEntry(":d1:a", ":D1:SECOND") +
                           linksEntry("  :D1:B", ":D1:BDI");
  const cLinks links(text);
  ASSERT_EQ(links.Count(), 2);
  EXPECT_EQ(links.Item(1)->LinkFile, ":D1:A");
  EXPECT_EQ(links.Item(":D1:A")->ResolutionFile, ":D1:ADI");
  EXPECT_EQ(links.Item(2)->LinkFile, "  :D1:B");  // leading blanks stay
  // Positions 1 and 81 are not part of the names.
  std::string marked = linksEntry(":D1:M", ":D1:MDI");
  marked[0] = 'X';
  marked[80] = 'Y';
  EXPECT_EQ(cLinks(marked).Item(1)->ResolutionFile, ":D1:MDI");
  EXPECT_EQ(cLinks(marked).Item(1)->LinkFile, ":D1:M");
}

TEST(Registries, MissingLinksFileGivesAnEmptyTableAndIsNotCreated) {
  test::TempBusinessSystem bs;
  bs.startEngine();
  ASSERT_NE(engineState().links, nullptr);
  EXPECT_EQ(engineState().links->Count(), 0);
  EXPECT_EQ(engineState().openFiles->Count(), 0);
  EXPECT_EQ(engineState().logicalFiles->Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(bs.serverFolder() / "HBTSLNK/LINKSFILE"));
  EXPECT_EQ(linksFilePath(), "\\\\SRV\\HBTSLNK\\LINKSFILE");
}

TEST(Registries, LinksFileIsReadFromTheLinkShareRoot) {
  test::TempBusinessSystem bs;
  bs.write("HBTSLNK/LINKSFILE", linksEntry(":D1:VNDRI", ":D1:VNDRDI"));
  bs.write("HBTSLNK/D1/LINKSFILE", linksEntry(":D1:WRONG", ":D1:WRONGDI"));
  bs.startEngine();
  ASSERT_EQ(engineState().links->Count(), 1);
  EXPECT_EQ(engineState().links->Item(1)->LinkFile, ":D1:VNDRI");
}

TEST(Registries, MissingRegistriesFailWith91) {
  test::TempBusinessSystem bs;
  const std::string text = "Object variable or With block variable not set";
  expectEngineError([] { requireLinks("x"); }, 91, "x", text);
  expectEngineError([] { requireOpenFiles("y"); }, 91, "y", text);
  expectEngineError([] { requireLogicalFiles("z"); }, 91, "z", text);
}

TEST(RecordZero, ActiveCountAndHighUsedRecord) {
  test::TempBusinessSystem bs;
  const std::string header =
      bigEndian(-2, 2) + bigEndian(-1, 4) + bigEndian(77, 4) + bigEndian(12, 4) + bigEndian(0, 2);
  bs.write("HBTSLNK/D1/DATA", std::string(2 * 512, 'x') + header + std::string(496, '\0'));
  bs.startEngine();
  std::string name = "DATA";
  int32_t last = 5;
  const auto file = PhysLogicalOpen(name, "L", 16, last);
  ASSERT_NE(file, nullptr);
  file->Position = 2;
  EXPECT_EQ(file->ActiveCount(), 12);
  EXPECT_EQ(file->HighUsedRecord(true), 77);

  file->FileType = "I";
  EXPECT_EQ(file->ActiveCount(), 0);
  EXPECT_EQ(file->HighUsedRecord(), 0);
  cLogicalFile unopened;
  unopened.FileType = "L";
  EXPECT_EQ(unopened.ActiveCount(), 0);
  EXPECT_EQ(unopened.HighUsedRecord(), 0);
}

TEST(Registries, DroppingTheOpenFilesClosesWhatIsLeftAfterOneWasClosed) {
  test::TempBusinessSystem bs;
  bs.write("HBTSLNK/D1/A", "a");
  bs.write("HBTSLNK/D1/B", "b");
  bs.startEngine();
  const int before = test::openDescriptorCount();
  std::string a = "A", b = "B";
  CloseFile(OpenFile(a));
  OpenFile(b);
  EXPECT_EQ(test::openDescriptorCount(), before + 1);
  engineState().openFiles.reset();
  EXPECT_EQ(test::openDescriptorCount(), before);
}

TEST(SystemObject, DerivedPaths) {
  cSystem system;
  system.mUNCDrive = "SRV";
  system.mDirectory = "D1";
  EXPECT_EQ(system.HBTSLNK(), "\\\\SRV\\HBTSLNK\\D1");
  EXPECT_EQ(system.CATCON(), "\\\\SRV\\CATCON\\");
  system.mDirectory = "D7";
  EXPECT_EQ(system.HBTSLNK(), "\\\\SRV\\HBTSLNK\\D7");
}

}  // namespace
}  // namespace velta
