// The in-memory share behind share access: folders implied by files, letter
// case matched above it, counted reads, and read-only files.
#include <gtest/gtest.h>

#include "base/EngineError.h"
#include "platform/MemoryShare.h"
#include "platform/ShareAccess.h"

namespace velta {
namespace {

TEST(MemoryShare, ServesFilesThroughShareAccess) {
  ShareAccess shares;
  shares.configure({std::string(), std::string()});
  auto owned = std::make_unique<MemoryShare>();
  MemoryShare& files = *owned;
  shares.addBackend("SRV", "HBTSLNK", std::move(owned));
  files.put("D1/VNDRDI", "directory");
  files.put("D1/Sub/X", "x");

  EXPECT_EQ(shares.lookup("\\\\srv\\hbtslnk\\d1"), EntryKind::Directory);
  EXPECT_EQ(shares.lookup("\\\\SRV\\HBTSLNK\\D1\\SUB"), EntryKind::Directory);
  EXPECT_EQ(shares.lookup("\\\\SRV\\HBTSLNK\\D"), EntryKind::None);
  EXPECT_EQ(shares.readAll("\\\\SRV\\HBTSLNK\\d1\\vndrdi").value_or("?"), "directory");
  EXPECT_EQ(shares.open("\\\\SRV\\HBTSLNK\\D1\\NONE"), nullptr);

  files.resetCounts();
  auto file = shares.open("\\\\SRV\\HBTSLNK\\D1\\VNDRDI");
  ASSERT_NE(file, nullptr);
  char buffer[4];
  EXPECT_EQ(file->readAt(7, buffer, 4), 2u);
  EXPECT_EQ(file->readAt(9, buffer, 4), 0u);
  EXPECT_EQ(files.reads(), 2u);
  file->writeAt(12, "AB", 2);
  EXPECT_EQ(files.get("D1/VNDRDI"), std::string("directory\0\0\0AB", 14));
}

TEST(MemoryShare, ReadOnlyFilesRefuseWrites) {
  ShareAccess shares;
  shares.configure({std::string(), std::string()});
  auto owned = std::make_unique<MemoryShare>(true);
  owned->put("F", "bytes");
  shares.addBackend("SRV", "RO", std::move(owned));
  auto file = shares.open("\\\\SRV\\RO\\\\f");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->readOnly());
  try {
    file->writeAt(0, "x", 1);
    FAIL() << "wrote to a read-only file";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.number(), 70);
    EXPECT_EQ(e.description(), "Permission denied: \\\\SRV\\RO\\f");
  }
}

}  // namespace
}  // namespace velta
