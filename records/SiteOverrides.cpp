#include "records/SiteOverrides.h"

#include <sys/stat.h>

#include <memory>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "engine/cSystem.h"
#include "platform/ShareAccess.h"
#include "records/LoadSiteSettings.h"
#include "records/SiteState.h"
#include "records/cEpcInfo.h"

namespace velta {

namespace {

bool isPresentFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void configureShares(const SiteOverrides& overrides) {
  ShareConfig config;
  if (!overrides.shares.empty()) config.mapFile = overrides.shares;
  if (!overrides.root.empty()) config.root = overrides.root;
  shareAccess().configure(config);
}

void applySystemOverrides(const SiteOverrides& overrides, cSystem& system) {
  if (!overrides.server.empty()) system.mUNCDrive = overrides.server;
  if (!overrides.directory.empty()) system.mDirectory = overrides.directory;
}

SiteSource openSite(const SiteOverrides& overrides) {
  auto& state = engineState();
  if (!overrides.server.empty() && !isPresentFile(siteSettingsPath())) {
    siteState().epcInfo = std::make_shared<cEpcInfo>();
    state.system = std::make_shared<cSystem>();
    applySystemOverrides(overrides, *state.system);
    try {
      state.engine = std::make_shared<cBusinessBasic>();
    } catch (const EngineError& e) {
      if (e.number() != err::ObjectNotSet) throw;
      state.engine.reset();
    }
    return SiteSource::ServerAlone;
  }
  const bool present = isPresentFile(siteSettingsPath());
  LoadSiteSettings([&](cSystem& system) { applySystemOverrides(overrides, system); });
  return present ? SiteSource::SettingsFile : SiteSource::NoSettings;
}

}  // namespace velta
