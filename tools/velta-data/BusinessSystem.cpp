#include <sys/stat.h>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "engine/cSystem.h"
#include "platform/ShareAccess.h"
#include "records/LoadSiteSettings.h"
#include "records/SiteOverrides.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

// The workstation's way in, as the controls take it: the settings file (with
// --server and --directory applied after it is read), then the engine's
// start-up. Without a settings file, --server names the business system on its own.
void openSite(const CommandContext& context) {
  const auto& g = context.global;
  configureShares(g);
  const std::string settings = siteSettingsPath();
  struct stat st {};
  const bool haveSettings = ::stat(settings.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  if (!haveSettings && g.server.empty()) {
    throw EngineError(err::ObjectNotSet, "LoadSiteSettings",
                      "no settings file " + settings + " (set TMPDIR to its folder, or give --server)");
  }
  velta::openSite(g);
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
