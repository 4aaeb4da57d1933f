// The business system a host opens, in one line for the dealer: the file
// server and dealer directory (the options', else the workstation's settings
// file's) and how the shares are reached (share map, UNC root).
//
//   businessSystemText({.root = "/srv/sample"})
//   // "Business system: server SRV, directory D1; no share map, UNC root /srv/sample"
#pragma once

#include <QString>

#include "records/SiteOverrides.h"

namespace velta::workstation {

// Reads the settings file and the share map as the controls' show handlers
// will, without starting an engine.
QString businessSystemText(const SiteOverrides& site);

}  // namespace velta::workstation
