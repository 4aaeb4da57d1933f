// The start-up that every new data engine runs, and its end.
//
// Start-up: reset the compression alphabet; check that the link share
// \\SERVER\HBTSLNK\ can be reached (when it cannot, the engine stays without
// registries and every file operation fails with 91); find this computer's
// name, IPv4 address and terminal identifier (terminal map ttymap; a missing
// map ends the start-up with 91); create new registries (a links file that is
// there but cannot be read ends it with the platform's error; a missing one
// gives an empty link table). A start-up that raises leaves the registries,
// and the engine they belong to, as they were.
//
// Engines overlap: the shared engine is replaced by creating the new one
// before the old one ends. The registries belong to the engine created last:
// an older instance that ends does not take them away from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velta {

// Runs the start-up; returns the instance's generation for endEngine.
uint64_t startEngine();
// Ends an instance: the registries go with the newest instance only.
void endEngine(uint64_t generation);

// The terminal identifier of this workstation in a terminal map, "0" when it is not listed.
//
//   COUNTER1 7,x          (computer name, one blank, terminal identifier first in a comma list)
//   192.168.1.20 3
//
// A line matches on the dotted address exactly or on the computer name without
// regard to case; the first match wins; lines with fewer than two fields are skipped.
std::string terminalIdFromMap(std::string_view mapText, std::string_view computerName, std::string_view ip);

}  // namespace velta
