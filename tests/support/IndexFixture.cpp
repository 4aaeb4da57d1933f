#include "support/IndexFixture.h"

#include "base/BaseState.h"
#include "engine/EngineState.h"
#include "engine/LogicalFile.h"
#include "engine/PhysicalFile.h"
#include "platform/LocalShare.h"
#include "platform/ShareAccess.h"

namespace velta::test {

namespace {
std::string joined(const std::vector<std::string>& blocks) {
  std::string bytes;
  for (const auto& block : blocks) bytes += block;
  return bytes;
}
}  // namespace

IndexFixture::IndexFixture() {
  auto share = std::make_unique<CountingShare>(
      std::make_unique<LocalShare>((system.serverFolder() / "HBTSLNK").string()));
  counts = share->counts();
  shareAccess().addBackend(system.server(), "HBTSLNK", std::move(share));
  baseState().notice = [this](const Notice& notice) { notices.push_back(notice); };
}

IndexFixture::~IndexFixture() { baseState().notice = nullptr; }

LogicalFileHandle IndexFixture::indexFile(const std::string& name, const std::vector<std::string>& blocks,
                                          int32_t lastRecord) {
  system.write("HBTSLNK/D1/" + name, joined(blocks));
  system.startEngine();
  std::string path = system.unc("HBTSLNK/D1/" + name);
  auto file = PhysLogicalOpen(path, "I", kBlockSize, lastRecord);
  counts->reset();
  return file;
}

LogicalFileHandle IndexFixture::logicalIndex(const std::string& name, const std::vector<std::string>& blocks,
                                             int32_t position, int32_t lastRecord) {
  system.write("HBTSLNK/LINKSFILE", linksEntry(":D1:" + name, ":D1:" + name + "DI"));
  system.write("HBTSLNK/D1/" + name + "DI", directoryEntry(name, 'I', position, kBlockSize, lastRecord));
  system.write("HBTSLNK/D1/" + name + "DB",
               std::string(static_cast<std::size_t>(position) * kBlockSize, ' ') + joined(blocks));
  system.startEngine();
  auto file = LogicalOpen(name);
  counts->reset();
  return file;
}

}  // namespace velta::test
