#include "order/WorkstationSetup.h"

#include <chrono>

#include "base/BaseState.h"
#include "base/Clock.h"
#include "order/HostOverrides.h"
#include "qt/Latin1.h"

namespace veltaorder {

velta::SiteOverrides& hostOverrides() {
  static velta::SiteOverrides overrides;
  return overrides;
}

void WorkstationSetup::setShares(const QString& root, const QString& mapFile) {
  auto& o = hostOverrides();
  o.root = velta::qt::toLatin1(root);
  o.shares = velta::qt::toLatin1(mapFile);
  velta::configureShares(o);
}

void WorkstationSetup::setBusinessSystem(const QString& server, const QString& directory) {
  auto& o = hostOverrides();
  o.server = velta::qt::toLatin1(server);
  o.directory = velta::qt::toLatin1(directory);
}

void WorkstationSetup::startClockAt(const QDateTime& start) {
  using namespace std::chrono;
  if (!start.isValid()) {
    velta::baseState().clock = nullptr;
    return;
  }
  const QDate d = start.date();
  const QTime t = start.time();
  const local_seconds begin = local_days{year{d.year()} / d.month() / d.day()} + hours{t.hour()} +
                              minutes{t.minute()} + seconds{t.second()};
  const auto started = steady_clock::now();
  velta::baseState().clock = [begin, started] {
    const local_seconds now = begin + duration_cast<seconds>(steady_clock::now() - started);
    const local_days day = floor<days>(now);
    return velta::DateTime{year_month_day{day}, now - day};
  };
}

}  // namespace veltaorder
