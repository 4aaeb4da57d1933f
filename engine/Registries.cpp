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

void createRegistries() {
  auto& state = engineState();
  // Read only: the workstation never writes to the business system, so a
  // missing links file stays missing and gives an empty table.
  const auto text = shareAccess().readAll(linksFilePath());
  auto links = text ? std::make_shared<cLinks>(*text) : std::make_shared<cLinks>();
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
