#include "engine/EngineStartup.h"

#include "base/BaseState.h"
#include "base/CompressedText.h"
#include "base/EngineError.h"
#include "base/TextUtilities.h"
#include "engine/EngineState.h"
#include "engine/Registries.h"
#include "engine/cSystem.h"
#include "platform/ShareAccess.h"
#include "platform/WSKSOCK.h"

namespace velta {

namespace {

void dropRegistries(EngineState& state) {
  state.links.reset();
  state.openFiles.reset();
  state.logicalFiles.reset();
}

}  // namespace

std::string terminalIdFromMap(std::string_view mapText, std::string_view computerName, std::string_view ip) {
  const std::string upperName = upperText(computerName);
  std::size_t start = 0;
  while (start < mapText.size()) {
    std::size_t end = mapText.find('\n', start);
    if (end == std::string_view::npos) end = mapText.size();
    std::string_view line = mapText.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const auto fields = Split(line, " ");
    if (fields.size() < 2) continue;
    if (fields[0] != ip && upperText(fields[0]) != upperName) continue;
    // The first element of the comma list; a list of nothing but commas leaves "0".
    const auto list = Split(fields[1], ",");
    return list.empty() ? "0" : list[0];
  }
  return "0";
}

uint64_t startEngine() {
  auto& state = engineState();
  const uint64_t generation = ++state.engineStartups;

  baseState().compressionAlphabet = std::string(kDefaultCompressionAlphabet);
  cSystem& system = *state.system;

  // The share, the terminal map and the links file: each folder looked up once.
  const ShareAccess::KeptLookups lookups(shareAccess());
  const std::string linkRoot = "\\\\" + system.mUNCDrive + "\\HBTSLNK\\";
  if (shareAccess().lookup(linkRoot) != EntryKind::Directory) {
    // The newest engine has no registries: every file operation fails with 91.
    state.newestEngine = generation;
    dropRegistries(state);
    return generation;
  }

  system.ComputerName = GetComputerName();
  system.IP = DottedAddress(GetHostAddress(system.ComputerName));
  system.TerminalID = std::string(1, '0');  // not = "0": g++ 12 warns falsely (-Wrestrict)

  const auto map = shareAccess().readAll(linkRoot + "ttymap");
  if (!map) throw EngineError::general(err::ObjectNotSet, "cBusinessBasic");
  system.TerminalID = terminalIdFromMap(*map, system.ComputerName, system.IP);

  // A start-up that raised before this point left the registries, and the
  // engine they belong to, as they were: LoadSiteSettings keeps sharing that one.
  createRegistries();
  state.newestEngine = generation;
  return generation;
}

void endEngine(uint64_t generation) {
  auto& state = engineState();
  if (generation != state.newestEngine) return;
  dropRegistries(state);
}

}  // namespace velta
