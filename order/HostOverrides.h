// The overrides a host set through WorkstationSetup, inside the library.
#pragma once

#include "records/SiteOverrides.h"

namespace veltaorder {

// What the show handler opens the site with.
velta::SiteOverrides& hostOverrides();

}  // namespace veltaorder
