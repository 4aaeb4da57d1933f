// What a host tells a control library about the workstation before it shows a
// control: where the shares lie, which business system to open instead of the
// settings file's, and when the clock starts. Each control library keeps its
// own copy of the core and of this state; its exported WorkstationSetup class
// hands the host's calls on to these.
//
//   velta::qt::setHostShares("/srv/sample", {});
//   velta::openSite(velta::qt::hostOverrides());     // in the show handler
#pragma once

#include <QDateTime>
#include <QString>

#include "records/SiteOverrides.h"

namespace velta::qt {

// What the show handler opens the site with.
SiteOverrides& hostOverrides();

// Serves the shares from `root` (every \\SERVER\SHARE as root/SERVER/SHARE)
// or through the share map `mapFile`; empty texts leave the environment's.
void setHostShares(const QString& root, const QString& mapFile);
// The file server and dealer directory that replace the settings file's.
void setHostBusinessSystem(const QString& server, const QString& directory);
// Starts the engine's clock at `start` (local time), running on from there;
// an invalid time gives the system clock back.
void startHostClockAt(const QDateTime& start);

}  // namespace velta::qt
