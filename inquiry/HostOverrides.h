// The overrides a host set through WorkstationSetup, inside the library.
#pragma once

#include "records/SiteOverrides.h"

namespace veltaiq {

// What the show handler opens the site with.
velta::SiteOverrides& hostOverrides();

}  // namespace veltaiq
