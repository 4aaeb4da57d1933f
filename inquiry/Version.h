/// \file
/// The version of the inquiry control library loaded at run time. The headers
/// a host was built with say theirs in <velta/version.h>; another build of the
/// same SONAME may be loaded:
///
/// \code
///   if (veltaiq::libraryVersion() < VELTA_VERSION) qWarning("older veltaiq library");
///   about.setText(QLatin1String(veltaiq::libraryVersionString()));   // "0.3.0"
/// \endcode
#pragma once

#include "inquiry/veltaiq_export.h"

namespace veltaiq {

/// VELTA_VERSION_CHECK(major, minor, patch) of the loaded library.
VELTAIQ_EXPORT int libraryVersion() noexcept;
/// "major.minor.patch" of the loaded library.
VELTAIQ_EXPORT const char* libraryVersionString() noexcept;

}  // namespace veltaiq
