// Points each control library's own engine at the business system the host
// was given, and starts its clock where VELTA_NOW says. Each library keeps its
// own copy of the core, so each is told separately.
#pragma once

#include <QDateTime>
#include <optional>

#include "records/SiteOverrides.h"

namespace velta::workstation {

void setUpOrderLibrary(const SiteOverrides& site, const std::optional<QDateTime>& start);
void setUpInquiryLibrary(const SiteOverrides& site, const std::optional<QDateTime>& start);

}  // namespace velta::workstation
