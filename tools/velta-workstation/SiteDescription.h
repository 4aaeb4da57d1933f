// The business system a host opens, as the dealer and as support need it:
// the file server and dealer directory (the options', else the workstation's
// settings file's), the settings file itself, and how the shares are reached
// (share map, UNC root).
//
//   const SiteDescription site = describeSite({.root = "/srv/sample"});
//   businessSystemText(site);   // "Business system: server SRV, directory D1"
//   siteDetails(site);          // {"Settings file: /tmp/hBTCatalog.ini", "Shares: no share map, UNC root /srv/sample"}
#pragma once

#include <QString>
#include <QStringList>

#include "records/SiteOverrides.h"

namespace velta::workstation {

struct SiteDescription {
  QString server, directory;  // empty: none named
  QString settingsFile;       // the workstation's hBTCatalog.ini, there or not
  bool haveSettingsFile = false;
  QString shares;  // "share map FILE, UNC root DIR", as share access describes itself
};

// Reads the settings file and the share map as the controls' show handlers
// will, without starting an engine.
SiteDescription describeSite(const SiteOverrides& site);

// One line for the status bar, without paths.
QString businessSystemText(const SiteDescription& site);

// The paths, for support: the settings file, the shares.
QStringList siteDetails(const SiteDescription& site);

}  // namespace velta::workstation
