/// \file
/// What a host tells the inquiry control library about the workstation before
/// it shows a control. The library keeps its own copy of the data engine (apart
/// from any other control library in the same process), so this is the only
/// way to reach it: where the shares lie, which business system to open instead
/// of the settings file's, and when the clock starts.
///
/// \code
///   veltaiq::WorkstationSetup::setShares("/srv/sample", {});
///   veltaiq::WorkstationSetup::startClockAt(QDateTime(QDate(2026, 12, 8), QTime(21, 5, 7)));
///   control.show();    // the show handler opens the site with these
/// \endcode
///
/// Without any of it a control reads the workstation as it is: VELTA_UNC_ROOT,
/// VELTA_SHARES or the per-user share map, the settings file in $TMPDIR, and the
/// system clock.
#pragma once

#include <QDateTime>
#include <QString>

#include "inquiry/veltaiq_export.h"

namespace veltaiq {

/// Where the library finds the workstation's shares and business system, and its clock.
class VELTAIQ_EXPORT WorkstationSetup {
 public:
  /// Share access with this root folder (every `\\SERVER\SHARE` as `ROOT/SERVER/SHARE`)
  /// and share map file; an empty one leaves the environment's. Share access
  /// starts over at once.
  static void setShares(const QString& root, const QString& mapFile);
  /// The file server and dealer directory to use instead of the settings
  /// file's; empty leaves the settings file's. A server given here names the
  /// business system even without a settings file. Takes effect when a control
  /// is next shown.
  static void setBusinessSystem(const QString& server, const QString& directory);
  /// The library's clock starts at `start`, a local date and time, and runs on
  /// in real time from now. An invalid date and time: the system clock again.
  static void startClockAt(const QDateTime& start);
};

}  // namespace veltaiq
