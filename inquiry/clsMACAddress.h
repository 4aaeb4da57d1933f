/// \file
/// This computer's adapter (MAC) address, for the application that hosts the
/// controls. Neither control uses it or sends it.
///
/// \code
///   veltaiq::clsMACAddress mac;
///   QString address = mac.GetMACAddress();   // "001A2B3C4D5E", a count line
///                                            // ("3 Interface(s):\r\n") or ""
/// \endcode
///
/// The address is the last Ethernet interface's in the interface table; only an
/// all-zero address there asks the adapter list instead. Nothing here fails: a
/// table that cannot be read gives "".
#pragma once

#include <QString>
#include <memory>

#include "inquiry/veltaiq_export.h"

namespace veltaiq {

/// This computer's adapter address, for the host application.
class VELTAIQ_EXPORT clsMACAddress {
 public:
  ///@{
  /// Nothing is read until GetMACAddress() is called.
  clsMACAddress();
  ~clsMACAddress();
  ///@}
  clsMACAddress(const clsMACAddress&) = delete;
  clsMACAddress& operator=(const clsMACAddress&) = delete;

  /// "001A2B3C4D5E", a count line ("3 Interface(s):" CR LF) or "".
  QString GetMACAddress();

 private:
  struct Private;
  std::unique_ptr<Private> d_;
};

}  // namespace veltaiq
