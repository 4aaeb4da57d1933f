// This machine's network interfaces, as the adapter-address lookup reads them:
// an interface table and an adapter list, behind an interface that tests feed
// with tables of their own.
//
// What is kept of the Windows tables these stand for:
//
//   interface table  rows of (interface type, physical address), sorted by
//                    interface index; the table's entry count is the number
//                    of rows (the Windows table is a 4-byte count followed by
//                    rows of 860 bytes)
//   adapter list     records of (adapter type, address, next), each record 640
//                    bytes in the Windows buffer, linked by a pointer to the
//                    next record; `next` here is the index of the next record
//                    in the list, or nothing for the null pointer
//
// Types use the Windows interface-type numbers: 6 Ethernet, 24 software
// loopback, 1 anything else. Addresses are the first bytes of the hardware
// address, zero-filled to the 8 bytes of the Windows record.
//
//   auto machine = machineNetworkInterfaces();
//   if (auto table = machine->interfaceTable()) for (const auto& row : *table) ...
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace velta {

namespace iftype {
inline constexpr uint32_t Other = 1;
inline constexpr uint32_t Ethernet = 6;
inline constexpr uint32_t SoftwareLoopback = 24;
}  // namespace iftype

struct InterfaceRow {
  uint32_t type = iftype::Other;
  std::vector<uint8_t> physicalAddress;
};

struct AdapterRecord {
  uint32_t type = iftype::Other;
  std::vector<uint8_t> address;
  std::optional<std::size_t> next;  // index of the next record in the list; nothing ends it
};

class NetworkInterfaces {
 public:
  virtual ~NetworkInterfaces() = default;
  // The interface table; nothing when the platform cannot give it.
  virtual std::optional<std::vector<InterfaceRow>> interfaceTable() = 0;
  // The adapter list, first record first; nothing when the platform cannot give it.
  virtual std::optional<std::vector<AdapterRecord>> adapterList() = 0;
};

// The machine's interfaces, read afresh on every call: getifaddrs names them
// (in its order, each once), /sys/class/net/<name>/{ifindex,type,address}
// describe them (the packet-socket address of getifaddrs where sysfs says
// nothing). Linux hardware type 1 (Ethernet, also wireless) is type 6,
// loopback (772) type 24.
std::unique_ptr<NetworkInterfaces> machineNetworkInterfaces();

}  // namespace velta
