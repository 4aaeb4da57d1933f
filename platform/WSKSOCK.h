// This computer's network identity: its name and IPv4 address.
//
//   GetComputerName()              // "counter1" (the host name up to its first ".")
//   GetHostAddress("counter1")     // the address as it lies in memory, network order
//   DottedAddress(GetHostAddress("192.168.1.20"))   // "192.168.1.20"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velta {

// The host name up to its first "." (letter case as the system gives it).
std::string GetComputerName();

// The IPv4 address of a name: a dotted address is taken as it is; otherwise the
// first IPv4 address the resolver gives (loopback included); -1 when it cannot
// be resolved. The 32-bit value holds the address bytes as they lie in memory
// (network order), so its lowest byte is the first number of the dotted text.
int32_t GetHostAddress(std::string_view hostName);

// The dotted text of such a value: its four bytes from the lowest up, in plain
// decimal, joined by "." (-1 gives 255.255.255.255).
std::string DottedAddress(int32_t inMemory);

}  // namespace velta
