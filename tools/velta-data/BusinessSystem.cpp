#include "engine/ModuleState.h"
#include "engine/Registries.h"
#include "platform/ShareAccess.h"
#include "records/cSystem.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

// Share access and the system object from the global options, then the
// engine's registries as its start-up creates them (the links file is read here).
void openBusinessSystem(const CommandContext& context) {
  const auto& g = context.global;
  ShareConfig config;
  if (!g.shares.empty()) config.mapFile = g.shares;
  if (!g.root.empty()) config.root = g.root;
  shareAccess().configure(config);
  auto& system = *moduleState().system;
  if (!g.server.empty()) system.mUNCDrive = g.server;
  if (!g.directory.empty()) system.mDirectory = g.directory;
  createRegistries();
}

}  // namespace velta::tools
