#include "records/LoadSiteSettings.h"

#include <sys/stat.h>

#include "base/EngineError.h"
#include "base/Notice.h"
#include "base/Value.h"
#include "engine/EngineState.h"
#include "engine/cBusinessBasic.h"
#include "engine/cSystem.h"
#include "platform/ProfileFile.h"
#include "records/SitePaths.h"
#include "records/SiteState.h"
#include "records/cEpcInfo.h"

namespace velta {

namespace {

constexpr const char* kSection = "xQ-Depot";
constexpr uint32_t kValueBuffer = 100;  // values of 99 characters and the NUL

}  // namespace

std::string siteSettingsPath() {
  std::string dir = GetLongPath(GetTempDir());
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  return dir + "/hBTCatalog.ini";
}

void LoadSiteSettings() { LoadSiteSettings({}); }

void LoadSiteSettings(const std::function<void(cSystem&)>& beforeEngine) {
  auto& state = engineState();
  siteState().epcInfo = std::make_shared<cEpcInfo>();
  state.system = std::make_shared<cSystem>();

  const std::string path = siteSettingsPath();
  if (!siteSettingsPresent(path)) {
    notify({"You are missing file: " + path + "    Are you running h-Brontek Workstation?", "EpcError",
            Notice::Icon::None, true});
    return;
  }

  cEpcInfo& info = *siteState().epcInfo;
  info.Server = siteSettingValue(path, "Server");
  info.DataShare = siteSettingValue(path, "DataShare");
  info.CatalogShare = "\\\\" + info.Server + "\\" + siteSettingValue(path, "CatalogShare") + "\\";
  info.Directory = siteSettingValue(path, "Directory");
  info.TerminalID = siteSettingValue(path, "TerminalID");
  const std::string customer = siteSettingValue(path, "CustomerNumber");
  if (!customer.empty()) info.CustomerNumber = parseInt32(customer, "LoadSiteSettings");

  cSystem& system = *state.system;
  system.mUNCDrive = info.Server;
  system.mDirectory = info.Directory;
  system.xtermid = info.TerminalID;
  if (beforeEngine) beforeEngine(system);

  try {
    // The new engine starts before the old one ends: the registries stay with the new one.
    state.engine = std::make_shared<cBusinessBasic>();
  } catch (const EngineError& e) {
    if (e.number() == err::ObjectNotSet) state.engine.reset();
  }
}

bool siteSettingsPresent(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string siteSettingValue(const std::string& path, const char* key) {
  char buffer[kValueBuffer] = {};
  const uint32_t n = GetPrivateProfileStringA(kSection, key, "", buffer, kValueBuffer, path);
  return std::string(buffer, n);
}

}  // namespace velta
