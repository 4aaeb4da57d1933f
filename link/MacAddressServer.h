// The adapter (MAC) address of this computer, from the interface table or,
// failing that, from the adapter list (platform/NetworkInterfaces.h).
//
//   MacFromIfTable(machine)       // "001A2B3C4D5E": the last Ethernet row of the table
//                                 // "3 Interface(s):\r\n": a table without Ethernet rows
//                                 // "": the table cannot be read
//   MacFromAdaptersInfo(machine)  // the same from the adapter list ("2 Adapter(s):\r\n" ...)
//   FormatMac({0x00, 0x0A, ...})  // "00-0A-..."
//
// Only the low byte of the table's entry count is read (as the Windows
// routine reads the first byte of the 4-byte count), so a table of 260 rows
// is read as 4 rows and its count line says "4 Interface(s):". The adapter
// count is the list's buffer size (640 bytes a record) divided by 640 and
// rounded; at most that many records are walked along their links.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/NetworkInterfaces.h"

namespace velta {

// Six upper-case hex pairs joined by "-"; "00" for positions the address lacks.
// Bytes past the sixth are not shown.
std::string FormatMac(const std::vector<uint8_t>& address);

std::string MacFromIfTable(NetworkInterfaces& interfaces);
std::string MacFromAdaptersInfo(NetworkInterfaces& interfaces);

}  // namespace velta
