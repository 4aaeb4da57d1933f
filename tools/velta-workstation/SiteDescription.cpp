#include "tools/velta-workstation/SiteDescription.h"

#include <sys/stat.h>

#include <string>

#include "engine/EngineState.h"
#include "platform/ProfileFile.h"
#include "platform/ShareAccess.h"
#include "records/LoadSiteSettings.h"

namespace velta::workstation {

namespace {

constexpr const char* kSection = "xQ-Depot";
constexpr uint32_t kValueBuffer = 100;

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string settingValue(const std::string& path, const char* key) {
  char buffer[kValueBuffer] = {};
  const uint32_t n = GetPrivateProfileStringA(kSection, key, "", buffer, kValueBuffer, path);
  return std::string(buffer, n);
}

QString text(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }

}  // namespace

QString businessSystemText(const SiteOverrides& site) {
  const std::string settings = siteSettingsPath();
  const bool haveSettings = isRegularFile(settings);
  std::string server = site.server, directory = site.directory;
  if (server.empty() && haveSettings) server = settingValue(settings, "Server");
  if (directory.empty() && haveSettings) directory = settingValue(settings, "Directory");
  configureShares(site);
  const QString shares = text(shareAccess().describeConfiguration());
  if (server.empty()) {
    return QStringLiteral("Business system: none; no settings file ") + text(settings) +
           QStringLiteral(" and no --server; ") + shares;
  }
  return QStringLiteral("Business system: server ") + text(server) + QStringLiteral(", directory ") +
         text(directory) + QStringLiteral("; ") + shares;
}

}  // namespace velta::workstation
