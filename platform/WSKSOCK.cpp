#include "platform/WSKSOCK.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include "base/FieldPacking.h"
#include "base/TextUtilities.h"

namespace velta {

namespace {
// The value whose memory bytes are the four address bytes in network order,
// whatever this machine's byte order.
int32_t inMemoryValue(const in_addr& address) {
  const auto* b = reinterpret_cast<const unsigned char*>(&address.s_addr);
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                              static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
}
}  // namespace

std::string GetComputerName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  std::string host = Trun(name, 1);
  return host.substr(0, host.find('.'));
}

int32_t GetHostAddress(std::string_view hostName) {
  const std::string name(hostName);
  in_addr dotted{};
  if (::inet_aton(name.c_str(), &dotted) != 0) return inMemoryValue(dotted);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (name.empty() || ::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return -1;
  const int32_t value = inMemoryValue(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr);
  ::freeaddrinfo(found);
  return value;
}

std::string DottedAddress(int32_t inMemory) {
  // Written as a big-endian "L" field, the memory's first byte is the field's last.
  std::string field(4, '\0');
  Pack("L", field, inMemory, 1);
  return std::to_string(Unpack("B", field, 4)) + "." + std::to_string(Unpack("B", field, 3)) + "." +
         std::to_string(Unpack("B", field, 2)) + "." + std::to_string(Unpack("B", field, 1));
}

}  // namespace velta
