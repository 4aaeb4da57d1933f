/// \file
/// The version of the order control library loaded at run time. The headers
/// a host was built with say theirs in <velta/version.h>; another build of the
/// same SONAME may be loaded:
///
/// \code
///   if (veltaorder::libraryVersion() < VELTA_VERSION) qWarning("older veltaorder library");
///   about.setText(QLatin1String(veltaorder::libraryVersionString()));   // "0.3.0"
/// \endcode
#pragma once

#include "order/veltaorder_export.h"

namespace veltaorder {

/// VELTA_VERSION_CHECK(major, minor, patch) of the loaded library.
VELTAORDER_EXPORT int libraryVersion() noexcept;
/// "major.minor.patch" of the loaded library.
VELTAORDER_EXPORT const char* libraryVersionString() noexcept;

}  // namespace veltaorder
