#include "tools/velta-workstation/SiteDescription.h"

#include <string>

#include "engine/EngineState.h"
#include "platform/ShareAccess.h"
#include "records/LoadSiteSettings.h"

namespace velta::workstation {

namespace {

QString text(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }

}  // namespace

SiteDescription describeSite(const SiteOverrides& site) {
  SiteDescription d;
  const std::string settings = siteSettingsPath();
  d.settingsFile = text(settings);
  d.haveSettingsFile = siteSettingsPresent(settings);
  std::string server = site.server, directory = site.directory;
  if (server.empty() && d.haveSettingsFile) server = siteSettingValue(settings, "Server");
  if (directory.empty() && d.haveSettingsFile) directory = siteSettingValue(settings, "Directory");
  d.server = text(server);
  d.directory = text(directory);
  configureShares(site);
  d.shares = text(shareAccess().describeConfiguration());
  return d;
}

QString businessSystemText(const SiteDescription& site) {
  if (site.server.isEmpty()) return QStringLiteral("Business system: none (no settings file and no --server)");
  return QStringLiteral("Business system: server ") + site.server + QStringLiteral(", directory ") + site.directory;
}

QStringList siteDetails(const SiteDescription& site) {
  return {QStringLiteral("Settings file: ") + site.settingsFile +
              (site.haveSettingsFile ? QString() : QStringLiteral(" (not there)")),
          QStringLiteral("Shares: ") + site.shares};
}

}  // namespace velta::workstation
