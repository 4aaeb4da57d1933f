#include "tools/velta-workstation/SiteDescription.h"

#include <string>

#include "engine/EngineState.h"
#include "platform/ShareAccess.h"
#include "records/LoadSiteSettings.h"

namespace velta::workstation {

namespace {

QString text(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }

}  // namespace

QString businessSystemText(const SiteOverrides& site) {
  const std::string settings = siteSettingsPath();
  const bool haveSettings = siteSettingsPresent(settings);
  std::string server = site.server, directory = site.directory;
  if (server.empty() && haveSettings) server = siteSettingValue(settings, "Server");
  if (directory.empty() && haveSettings) directory = siteSettingValue(settings, "Directory");
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
