// The public class that gives the host application this computer's adapter
// (MAC) address.
//
//   clsMACAddress mac;
//   mac.GetMACAddress()   // "001A2B3C4D5E", or a count line, or ""
//
// Tests give it their own tables:
//   clsMACAddress fed(std::make_shared<MyTables>());
#pragma once

#include <memory>
#include <string>

#include "platform/NetworkInterfaces.h"

namespace velta {

class clsMACAddress {
 public:
  // The machine's own interfaces.
  clsMACAddress();
  explicit clsMACAddress(std::shared_ptr<NetworkInterfaces> interfaces);

  // The address from the interface table; only an all-zero address there
  // ("000000000000") asks the adapter list instead. A count line or an empty
  // result of the table is returned as it is.
  std::string GetMACAddress();

 private:
  std::shared_ptr<NetworkInterfaces> interfaces_;
};

}  // namespace velta
