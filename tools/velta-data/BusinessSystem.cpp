#include <sys/stat.h>

#include <memory>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "platform/ShareAccess.h"
#include "records/LoadSiteSettings.h"
#include "engine/cSystem.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

void applyOverrides(const GlobalOptions& g, cSystem& system) {
  if (!g.server.empty()) system.mUNCDrive = g.server;
  if (!g.directory.empty()) system.mDirectory = g.directory;
}

}  // namespace

// The workstation's way in: the settings file (with --server and --directory
// applied after it is read), then the engine's start-up. Without a settings
// file, --server names the business system on its own.
void openSite(const CommandContext& context) {
  const auto& g = context.global;
  ShareConfig config;
  if (!g.shares.empty()) config.mapFile = g.shares;
  if (!g.root.empty()) config.root = g.root;
  shareAccess().configure(config);

  auto& state = engineState();
  const std::string settings = siteSettingsPath();
  struct stat st {};
  const bool haveSettings = ::stat(settings.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  if (!haveSettings) {
    if (g.server.empty()) {
      throw EngineError(err::ObjectNotSet, "LoadSiteSettings",
                        "no settings file " + settings + " (set TMPDIR to its folder, or give --server)");
    }
    state.system = std::make_shared<cSystem>();
    applyOverrides(g, *state.system);
    try {
      state.engine = std::make_shared<cBusinessBasic>();
    } catch (const EngineError& e) {
      if (e.number() != err::ObjectNotSet) throw;
      state.engine.reset();
    }
  } else {
    LoadSiteSettings([&](cSystem& system) { applyOverrides(g, system); });
  }
}

void requireEngine() {
  auto& state = engineState();
  const std::string linkShare = "\\\\" + state.system->mUNCDrive + "\\HBTSLNK\\";
  if (!state.engine) {
    throw EngineError(err::ObjectNotSet, "cBusinessBasic",
                      "the engine did not start: no terminal map " + linkShare + "ttymap (" +
                          shareAccess().explain(linkShare + "ttymap") + ")");
  }
  if (!state.links) {
    throw EngineError(err::ObjectNotSet, "cBusinessBasic",
                      "the link share " + linkShare + " cannot be reached (" + shareAccess().explain(linkShare) + ")");
  }
}

void openBusinessSystem(const CommandContext& context) {
  openSite(context);
  requireEngine();
}

}  // namespace velta::tools
