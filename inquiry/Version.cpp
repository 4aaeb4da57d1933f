#include "inquiry/Version.h"

#include <velta/version.h>

namespace veltaiq {

int libraryVersion() noexcept { return VELTA_VERSION; }
const char* libraryVersionString() noexcept { return VELTA_VERSION_STRING; }

}  // namespace veltaiq
