#include "order/Version.h"

#include <velta/version.h>

namespace veltaorder {

int libraryVersion() noexcept { return VELTA_VERSION; }
const char* libraryVersionString() noexcept { return VELTA_VERSION_STRING; }

}  // namespace veltaorder
