#include "tools/velta-workstation/LibrarySetup.h"

#include <QString>
#include <string>

#include "inquiry/WorkstationSetup.h"
#include "order/WorkstationSetup.h"

namespace velta::workstation {

namespace {
QString text(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }
}  // namespace

void setUpOrderLibrary(const SiteOverrides& site, const std::optional<QDateTime>& start) {
  veltaorder::WorkstationSetup::setShares(text(site.root), text(site.shares));
  veltaorder::WorkstationSetup::setBusinessSystem(text(site.server), text(site.directory));
  if (start) veltaorder::WorkstationSetup::startClockAt(*start);
}

void setUpInquiryLibrary(const SiteOverrides& site, const std::optional<QDateTime>& start) {
  veltaiq::WorkstationSetup::setShares(text(site.root), text(site.shares));
  veltaiq::WorkstationSetup::setBusinessSystem(text(site.server), text(site.directory));
  if (start) veltaiq::WorkstationSetup::startClockAt(*start);
}

}  // namespace velta::workstation
