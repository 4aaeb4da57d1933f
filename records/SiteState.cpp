#include "records/SiteState.h"

#include "records/cEpcInfo.h"

namespace velta {

SiteState& siteState() {
  static SiteState state;
  return state;
}

}  // namespace velta
