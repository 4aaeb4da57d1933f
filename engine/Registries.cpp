#include "engine/Registries.h"

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "platform/ShareAccess.h"
#include "engine/cLinks.h"
#include "engine/cLogicalFile.h"
#include "engine/cOpenFile.h"
#include "engine/cSystem.h"

namespace velta {

namespace {
template <typename Registry>
std::shared_ptr<Registry> required(const std::shared_ptr<Registry>& registry, std::string_view source) {
  if (!registry) throw EngineError::general(err::ObjectNotSet, std::string(source));
  return registry;
}
}  // namespace

std::string linksFilePath() { return "\\\\" + engineState().system->mUNCDrive + "\\HBTSLNK\\LINKSFILE"; }

namespace {
// Read only: the workstation never writes to the business system, so a
// missing links file stays missing and gives an empty table. A links file that
// is there but cannot be read is the platform's error: an empty table would
// send every name to -10 "no link" and the person looking the wrong way.
std::shared_ptr<cLinks> readLinks() {
  const std::string path = linksFilePath();
  switch (shareAccess().lookup(path)) {
    case EntryKind::None:
      return std::make_shared<cLinks>();
    case EntryKind::Directory:
      throw EngineError::fileSystem(err::PathFileAccessError, "cLinks", path);
    case EntryKind::File:
      break;
  }
  const auto file = shareAccess().open(path);
  if (!file) throw EngineError::fileSystem(err::PermissionDenied, "cLinks", path);
  std::string text(static_cast<std::size_t>(file->size()), '\0');
  text.resize(file->readAt(0, text.data(), text.size()));
  return std::make_shared<cLinks>(text);
}
}  // namespace

void createRegistries() {
  // Everything is built before anything is replaced: a links file that cannot
  // be read leaves the registries in use as they were.
  auto links = readLinks();
  auto& state = engineState();
  state.links = std::move(links);
  state.openFiles = std::make_shared<cOpenFiles>();
  state.logicalFiles = std::make_shared<cLogicalFiles>();
}

std::shared_ptr<cLinks> requireLinks(std::string_view source) { return required(engineState().links, source); }

std::shared_ptr<cOpenFiles> requireOpenFiles(std::string_view source) {
  return required(engineState().openFiles, source);
}

std::shared_ptr<cLogicalFiles> requireLogicalFiles(std::string_view source) {
  return required(engineState().logicalFiles, source);
}

}  // namespace velta
