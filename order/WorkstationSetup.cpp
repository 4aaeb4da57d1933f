#include "order/WorkstationSetup.h"

#include "qt/HostWorkstation.h"

namespace veltaorder {

void WorkstationSetup::setShares(const QString& root, const QString& mapFile) {
  velta::qt::setHostShares(root, mapFile);
}

void WorkstationSetup::setBusinessSystem(const QString& server, const QString& directory) {
  velta::qt::setHostBusinessSystem(server, directory);
}

void WorkstationSetup::startClockAt(const QDateTime& start) { velta::qt::startHostClockAt(start); }

}  // namespace veltaorder
