#include "link/clsMACAddress.h"

#include "link/MacAddressServer.h"

namespace velta {

clsMACAddress::clsMACAddress() : interfaces_(machineNetworkInterfaces()) {}

clsMACAddress::clsMACAddress(std::shared_ptr<NetworkInterfaces> interfaces) : interfaces_(std::move(interfaces)) {}

std::string clsMACAddress::GetMACAddress() {
  std::string s = MacFromIfTable(*interfaces_);
  if (s == "000000000000") s = MacFromAdaptersInfo(*interfaces_);
  return s;
}

}  // namespace velta
