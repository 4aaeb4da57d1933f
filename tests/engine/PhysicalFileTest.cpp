// Physical files over a temporary share: the full path rule, one open per
// path, reads past the end, remembered write positions, blocks, closing,
// replaced registries, read-only files and the error numbers.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/PhysicalFile.h"
#include "engine/Registries.h"
#include "platform/MemoryShare.h"
#include "platform/ShareAccess.h"
#include "platform/ShareBackend.h"
#include "engine/cOpenFile.h"
#include "support/EngineErrorMatch.h"
#include "support/TempBusinessSystem.h"

namespace velta {
namespace {

using test::expectEngineError;
using test::TempBusinessSystem;

std::string counting(std::size_t n) {
  std::string bytes(n, '\0');
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

class PhysicalFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bs.write("HBTSLNK/D1/VNDRI", counting(2048 + 100));
    bs.startEngine();
  }
  TempBusinessSystem bs;
};

TEST_F(PhysicalFileTest, BareNameBecomesTheFullPathInTheCallersVariable) {
  std::string name = "VNDRI";
  const auto file = OpenFile(name);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(name, "\\\\SRV\\HBTSLNK\\D1\\VNDRI");
  EXPECT_EQ(file->Path, "\\\\SRV\\HBTSLNK\\D1\\VNDRI");
  EXPECT_EQ(file->Position, 0);
  EXPECT_GT(file->vbFileNumber, 0);

  std::string path = "\\\\srv\\hbtslnk\\\\d1/vndri";  // holds a backslash: used as it stands
  EXPECT_EQ(OpenFile(path), file);
  EXPECT_EQ(path, "\\\\srv\\hbtslnk\\\\d1/vndri");
}

TEST_F(PhysicalFileTest, OnePathIsOpenedOnceWhateverItsSpelling) {
  std::string a = "VNDRI", b = "\\\\SRV\\HBTSLNK\\D1\\VNDRI", c = "\\\\Srv\\HbtsLnk\\\\D1\\\\vndri";
  const int before = test::openDescriptorCount();
  const auto first = OpenFile(a);
  EXPECT_EQ(OpenFile(b), first);
  EXPECT_EQ(OpenFile(c), first);
  EXPECT_EQ(test::openDescriptorCount(), before + 1);
  EXPECT_EQ(engineState().openFiles->Count(), 1);
  EXPECT_EQ(engineState().openFiles->Item("\\\\srv\\hbtslnk\\d1\\vndri"), first);
}

TEST_F(PhysicalFileTest, MissingFileIsNoneWithoutError) {
  std::string name = "NOSUCH";
  EXPECT_EQ(OpenFile(name), nullptr);
  EXPECT_EQ(name, "\\\\SRV\\HBTSLNK\\D1\\NOSUCH");
  std::string climbing = "\\\\SRV\\HBTSLNK\\D1\\..\\D1\\VNDRI";
  EXPECT_EQ(OpenFile(climbing), nullptr);
  std::string folder = "\\\\SRV\\HBTSLNK\\D1";
  EXPECT_EQ(OpenFile(folder), nullptr);
  EXPECT_EQ(engineState().openFiles->Count(), 0);
}

TEST_F(PhysicalFileTest, FileNumbersAreTheLowestFreeAndComeBackOnClose) {
  bs.write("HBTSLNK/D1/A", "a");
  bs.write("HBTSLNK/D1/B", "b");
  std::string v = "VNDRI", a = "A", b = "B";
  const auto first = OpenFile(v);
  const auto second = OpenFile(a);
  EXPECT_NE(first->vbFileNumber, second->vbFileNumber);
  const int32_t freed = first->vbFileNumber;
  CloseFile(first);
  EXPECT_EQ(OpenFile(b)->vbFileNumber, freed);
}

TEST_F(PhysicalFileTest, ReadPastTheEndGivesBlanks) {
  std::string name = "VNDRI";
  const auto file = OpenFile(name);
  const std::string all = counting(2148);
  const std::string tail = ReadFile(file, 10, 2148 - 4);
  EXPECT_EQ(tail, all.substr(2144) + std::string(6, ' '));
  EXPECT_EQ(ReadFile(file, 3, 5000), "   ");
  EXPECT_EQ(ReadFile(file, 0, 0), "");
  EXPECT_EQ(file->Position, 0);  // reads leave the write position alone
}

TEST_F(PhysicalFileTest, EveryReadIsOneReadOfTheShareEvenPastTheEnd) {
  auto memory = std::make_unique<MemoryShare>();
  memory->put("D1/TAIL", "0123456789");
  MemoryShare& share = *memory;
  shareAccess().addBackend("SRV", "HBTSLNK", std::move(memory));
  std::string name = "TAIL";
  const auto file = OpenFile(name);
  ASSERT_NE(file, nullptr);
  share.resetCounts();
  EXPECT_EQ(ReadFile(file, 6, 6), "6789  ");
  EXPECT_EQ(ReadFile(file, 4, 0), "0123");
  EXPECT_EQ(share.reads(), 2u);
}

TEST_F(PhysicalFileTest, BlockThreeIsBytes1536To2047) {
  std::string name = "VNDRI";
  const auto file = OpenFile(name);
  EXPECT_EQ(BlockReadFile(file, 3), counting(2148).substr(1536, 512));
  EXPECT_EQ(BlockReadFile(file, 4), counting(2148).substr(2048) + std::string(412, ' '));
}

TEST_F(PhysicalFileTest, NegativeWritePositionReusesTheLastOne) {
  std::string name = "VNDRI";
  const auto file = OpenFile(name);
  WriteFile(file, "AB", 1024);
  EXPECT_EQ(file->Position, 1024);
  WriteFile(file, "XYZ", -1);
  EXPECT_EQ(file->Position, 1024);  // not advanced by the write
  const std::string bytes = bs.read("HBTSLNK/D1/VNDRI");
  EXPECT_EQ(bytes.substr(1024, 3), "XYZ");
  EXPECT_EQ(bytes.substr(1027, 1), counting(2148).substr(1027, 1));
}

TEST_F(PhysicalFileTest, WritesGrowTheFileAndBlocksAreWrittenWhole) {
  std::string name = "VNDRI";
  const auto file = OpenFile(name);
  BlockWriteFile(file, 5, std::string(700, 'Q'));  // whole, whatever its length
  const std::string bytes = bs.read("HBTSLNK/D1/VNDRI");
  ASSERT_EQ(bytes.size(), 2560u + 700u);
  EXPECT_EQ(bytes.substr(2560), std::string(700, 'Q'));
  EXPECT_EQ(bytes.substr(2148, 412), std::string(412, '\0'));
  EXPECT_EQ(file->Position, 2560);
}

TEST_F(PhysicalFileTest, CloseFileUnregistersAndClosesTheDescriptor) {
  std::string name = "VNDRI";
  const int before = test::openDescriptorCount();
  const auto file = OpenFile(name);
  CloseFile(file);
  EXPECT_EQ(test::openDescriptorCount(), before);
  EXPECT_EQ(engineState().openFiles->Count(), 0);
  expectEngineError([&] { ReadFile(file, 1, 0); }, err::BadFileNumber, "ReadFile",
                    "Bad file name or number: \\\\SRV\\HBTSLNK\\D1\\VNDRI");
  CloseFile(file);  // no longer registered: left alone
  std::string again = "VNDRI";
  const auto reopened = OpenFile(again);
  EXPECT_NE(reopened, file);
  EXPECT_EQ(ReadFile(reopened, 2, 1), counting(3).substr(1));
}

TEST_F(PhysicalFileTest, CloseOfAnUnopenedExistingPathOpensAndClosesIt) {
  // What the facade does with a path: OpenFile, then CloseFile.
  std::string path = "\\\\SRV\\HBTSLNK\\D1\\VNDRI";
  const int before = test::openDescriptorCount();
  CloseFile(OpenFile(path));
  EXPECT_EQ(test::openDescriptorCount(), before);
  EXPECT_EQ(engineState().openFiles->Count(), 0);
}

TEST_F(PhysicalFileTest, NoneHandles) {
  const OpenFileHandle none;
  const std::string objectNotSet = "Object variable or With block variable not set";
  expectEngineError([&] { ReadFile(none, 1, 0); }, 91, "ReadFile", objectNotSet);
  expectEngineError([&] { BlockReadFile(none, 0); }, 91, "ReadFile", objectNotSet);
  expectEngineError([&] { CloseFile(none); }, 91, "CloseFile", objectNotSet);
  expectEngineError([&] { WriteFile(none, "x", 0); }, -10, "iwriteFile", "OpenFile parameter is undefined");
  expectEngineError([&] { BlockWriteFile(none, 0, "x"); }, -10, "iwriteFile", "OpenFile parameter is undefined");
}

TEST_F(PhysicalFileTest, OffsetsBeyond32BitsOverflow) {
  std::string name = "VNDRI";
  const auto file = OpenFile(name);
  expectEngineError([&] { BlockReadFile(file, 4194304); }, 6, "BlockReadFile", "Overflow");  // 2^22 x 512 = 2^31
  expectEngineError([&] { BlockWriteFile(file, 4194304, "x"); }, 6, "BlockWriteFile", "Overflow");
  expectEngineError([&] { ReadFile(file, 1, 2147483647); }, 6, "ReadFile", "Overflow");  // no room for the 1-based + 1
  EXPECT_EQ(BlockReadFile(file, 4194303), std::string(512, ' '));                        // the last block that fits
  expectEngineError([&] { ReadFile(file, 1, -1); }, 63, "ReadFile", "Bad record number");
  expectEngineError([&] { ReadFile(file, -1, 0); }, 5, "ReadFile", "Invalid procedure call or argument");
  // A negative block must not land where the last write went.
  WriteFile(file, "AB", 100);
  expectEngineError([&] { BlockWriteFile(file, -1, "ZZ"); }, 63, "BlockWriteFile", "Bad record number");
  EXPECT_EQ(bs.read("HBTSLNK/D1/VNDRI").substr(100, 2), "AB");
}

TEST(PhysicalFileWithoutRegistries, OpenFileFailsWith91) {
  TempBusinessSystem bs;
  bs.write("HBTSLNK/D1/VNDRI", "x");
  std::string name = "VNDRI";
  expectEngineError([&] { OpenFile(name); }, 91, "OpenFile", "Object variable or With block variable not set");
}

TEST_F(PhysicalFileTest, ReplacedRegistriesLeakNothingAndHeldHandlesKeepWorking) {
  bs.write("HBTSLNK/D1/OTHER", "other bytes");
  const int before = test::openDescriptorCount();
  std::string held = "VNDRI", dropped = "OTHER";
  const auto kept = OpenFile(held);
  OpenFile(dropped);  // only the registry holds it
  EXPECT_EQ(test::openDescriptorCount(), before + 2);

  createRegistries();                                  // a new start-up
  EXPECT_EQ(test::openDescriptorCount(), before + 1);  // the unheld one closed with its registry
  EXPECT_EQ(ReadFile(kept, 3, 0), counting(3));
  WriteFile(kept, "K", 0);
  EXPECT_EQ(bs.read("HBTSLNK/D1/VNDRI").substr(0, 1), "K");

  std::string again = "VNDRI";
  const auto fresh = OpenFile(again);  // the new registry does not know the old handle
  EXPECT_NE(fresh, kept);
  CloseFile(kept);  // not the registered handle: the new registry's file stays open
  EXPECT_EQ(ReadFile(fresh, 1, 0), "K");
  EXPECT_EQ(ReadFile(kept, 1, 0), "K");
}

TEST_F(PhysicalFileTest, WriteToAReadOnlyFileFailsWith70NamingThePath) {
  bs.write("HBTSLNK/D1/RO", "read only");
  const auto local = bs.serverFolder() / "HBTSLNK/D1/RO";
  ASSERT_EQ(::chmod(local.c_str(), 0444), 0);
  for (auto p = local.parent_path(); p != bs.dir().path().parent_path(); p = p.parent_path()) {
    ASSERT_EQ(::chmod(p.c_str(), 0755), 0);
  }
  // Root may write anything: check in a child that runs as an ordinary user.
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(3);
        std::string name = "RO";
        const auto file = OpenFile(name);
        if (!file || !file->file || !file->file->readOnly()) std::_Exit(4);
        if (ReadFile(file, 4, 0) != "read") std::_Exit(5);
        try {
          WriteFile(file, "x", 0);
          std::_Exit(6);
        } catch (const EngineError& e) {
          const bool right = e.number() == 70 && e.description() == "Permission denied: \\\\SRV\\HBTSLNK\\D1\\RO";
          std::_Exit(right ? 0 : 7);
        }
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace velta
