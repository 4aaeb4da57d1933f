#include "platform/NetworkInterfaces.h"

#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sys/socket.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace velta {

namespace {

constexpr std::size_t kAddressBytes = 8;  // the physical-address array of the Windows records
constexpr long kLinuxEthernet = 1;        // ARPHRD_ETHER
constexpr long kLinuxLoopback = 772;      // ARPHRD_LOOPBACK

struct Interface {
  std::string name;
  unsigned index = 0;
  std::optional<long> linuxType;
  std::vector<uint8_t> address;
};

std::optional<std::string> sysfsValue(const std::string& name, const char* item) {
  std::ifstream in("/sys/class/net/" + name + "/" + item);
  std::string line;
  if (!in || !std::getline(in, line)) return std::nullopt;
  return line;
}

std::optional<long> sysfsNumber(const std::string& name, const char* item) {
  const auto text = sysfsValue(name, item);
  if (!text) return std::nullopt;
  try {
    return std::stol(*text);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// "aa:bb:cc:dd:ee:ff" as bytes; nothing when it does not read so.
std::optional<std::vector<uint8_t>> parseHardwareAddress(const std::string& text) {
  std::vector<uint8_t> bytes;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t colon = std::min(text.find(':', pos), text.size());
    const std::string part = text.substr(pos, colon - pos);
    if (part.empty() || part.size() > 2 || part.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<uint8_t>(std::stoul(part, nullptr, 16)));
    pos = colon + 1;
  }
  return bytes;
}

uint32_t windowsType(std::optional<long> linuxType) {
  if (linuxType == kLinuxEthernet) return iftype::Ethernet;
  if (linuxType == kLinuxLoopback) return iftype::SoftwareLoopback;
  return iftype::Other;
}

std::vector<uint8_t> fixedAddress(std::vector<uint8_t> bytes) {
  bytes.resize(kAddressBytes, 0);
  return bytes;
}

// Every interface once, in the order getifaddrs gives them; nothing when it fails.
std::optional<std::vector<Interface>> listInterfaces() {
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return std::nullopt;
  std::vector<Interface> found;
  for (const ifaddrs* a = list; a; a = a->ifa_next) {
    if (!a->ifa_name) continue;
    auto it = std::find_if(found.begin(), found.end(), [&](const Interface& i) { return i.name == a->ifa_name; });
    if (it == found.end()) it = found.insert(found.end(), Interface{a->ifa_name, 0, std::nullopt, {}});
    if (a->ifa_addr && a->ifa_addr->sa_family == AF_PACKET) {
      const auto* packet = reinterpret_cast<const sockaddr_ll*>(a->ifa_addr);
      it->index = static_cast<unsigned>(packet->sll_ifindex);
      it->linuxType = packet->sll_hatype;
      const std::size_t length = std::min<std::size_t>(packet->sll_halen, sizeof packet->sll_addr);
      it->address.assign(packet->sll_addr, packet->sll_addr + length);
    }
  }
  ::freeifaddrs(list);

  for (auto& i : found) {
    if (const auto index = sysfsNumber(i.name, "ifindex")) i.index = static_cast<unsigned>(*index);
    if (i.index == 0) i.index = ::if_nametoindex(i.name.c_str());
    if (const auto type = sysfsNumber(i.name, "type")) i.linuxType = *type;
    if (const auto text = sysfsValue(i.name, "address")) {
      if (const auto bytes = parseHardwareAddress(*text)) i.address = *bytes;
    }
  }
  return found;
}

class MachineInterfaces : public NetworkInterfaces {
 public:
  std::optional<std::vector<InterfaceRow>> interfaceTable() override {
    auto interfaces = listInterfaces();
    if (!interfaces) return std::nullopt;
    std::stable_sort(interfaces->begin(), interfaces->end(),
                     [](const Interface& a, const Interface& b) { return a.index < b.index; });
    std::vector<InterfaceRow> rows;
    for (const auto& i : *interfaces) rows.push_back({windowsType(i.linuxType), fixedAddress(i.address)});
    return rows;
  }

  std::optional<std::vector<AdapterRecord>> adapterList() override {
    const auto interfaces = listInterfaces();
    if (!interfaces) return std::nullopt;
    std::vector<AdapterRecord> records;
    for (std::size_t k = 0; k < interfaces->size(); ++k) {
      const auto& i = (*interfaces)[k];
      std::optional<std::size_t> next;
      if (k + 1 < interfaces->size()) next = k + 1;
      records.push_back({windowsType(i.linuxType), fixedAddress(i.address), next});
    }
    return records;
  }
};

}  // namespace

std::unique_ptr<NetworkInterfaces> machineNetworkInterfaces() { return std::make_unique<MachineInterfaces>(); }

}  // namespace velta
