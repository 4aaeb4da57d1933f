// The site configuration that LoadSiteSettings fills, shared by everything that
// runs after it (one per process, as the engine state).
//
//   LoadSiteSettings();
//   siteState().epcInfo->CustomerNumber
#pragma once

#include <memory>

namespace velta {

class cEpcInfo;

struct SiteState {
  std::shared_ptr<cEpcInfo> epcInfo;
};

SiteState& siteState();

}  // namespace velta
