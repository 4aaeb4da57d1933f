#include "qt/HostWorkstation.h"

#include <chrono>

#include "base/BaseState.h"
#include "base/Clock.h"
#include "qt/Latin1.h"

namespace velta::qt {

SiteOverrides& hostOverrides() {
  static SiteOverrides overrides;
  return overrides;
}

void setHostShares(const QString& root, const QString& mapFile) {
  auto& o = hostOverrides();
  o.root = toLatin1(root);
  o.shares = toLatin1(mapFile);
  configureShares(o);
}

void setHostBusinessSystem(const QString& server, const QString& directory) {
  auto& o = hostOverrides();
  o.server = toLatin1(server);
  o.directory = toLatin1(directory);
}

void startHostClockAt(const QDateTime& start) {
  using namespace std::chrono;
  if (!start.isValid()) {
    baseState().clock = nullptr;
    return;
  }
  const QDate d = start.date();
  const QTime t = start.time();
  const local_seconds begin = local_days{year{d.year()} / d.month() / d.day()} + hours{t.hour()} +
                              minutes{t.minute()} + seconds{t.second()};
  const auto started = steady_clock::now();
  baseState().clock = [begin, started] {
    const local_seconds now = begin + duration_cast<seconds>(steady_clock::now() - started);
    const local_days day = floor<days>(now);
    return DateTime{year_month_day{day}, now - day};
  };
}

}  // namespace velta::qt
