#include "link/LineCodeMap.h"

#include <algorithm>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "base/TextUtilities.h"
#include "platform/ShareAccess.h"
#include "platform/UserSettings.h"
#include "engine/cSystem.h"

namespace velta {

namespace {

constexpr std::string_view kSource = "LineCodeMap";
constexpr std::string_view kSettingsApplication = "r-kt";
constexpr std::string_view kMapFileName = "HBT2RKT.TXT";

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// "\\" followed by a server name; "\\\CatCon\..." (an empty host) names no server.
bool hasServerPart(std::string_view path) {
  return path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]);
}

}  // namespace

std::string LineCodeMap::orderControlPath() {
  std::string host = userSetting(kSettingsApplication, "Dealer\\Settings\\Connection", "Host");
  if (host.empty()) host = userSetting(kSettingsApplication, "Distributor\\Settings\\Connection", "Host");
  return "\\\\" + host + "\\CatCon\\" + std::string(kMapFileName);
}

std::string LineCodeMap::inquiryControlPath() {
  const auto system = engineState().system;
  if (!system) throw EngineError::general(err::ObjectNotSet, std::string(kSource));
  return system->CATCON() + "\\" + std::string(kMapFileName);
}

LineCodeMap LineCodeMap::forOrderControl() { return fromFile(orderControlPath()); }

LineCodeMap LineCodeMap::forInquiryControl() { return fromFile(inquiryControlPath()); }

LineCodeMap LineCodeMap::fromFile(std::string_view uncPath) {
  LineCodeMap map;
  const ShareAccess::KeptLookups lookups(shareAccess());  // found, then opened: one lookup
  // Finding the file passes over every failure: no file, no map.
  EntryKind kind = EntryKind::None;
  try {
    if (hasServerPart(uncPath)) kind = shareAccess().lookup(uncPath);
  } catch (const EngineError&) {
    kind = EntryKind::None;
  }
  if (kind != EntryKind::File) return map;

  // Reading a file that was found reports its failures.
  auto file = shareAccess().open(uncPath);
  if (!file) throw EngineError::fileSystem(err::PathFileAccessError, std::string(kSource), normalUncText(uncPath));
  std::string text(static_cast<std::size_t>(file->size()), '\0');
  text.resize(file->readAt(0, text.data(), text.size()));
  map.load(text);
  return map;
}

LineCodeMap LineCodeMap::fromText(std::string_view text) {
  LineCodeMap map;
  map.load(text);
  return map;
}

void LineCodeMap::load(std::string_view text) {
  for (std::string line : Split(text, "\n")) {
    const std::size_t apostrophe = line.find('\'');
    if (apostrophe == std::string::npos) continue;
    std::replace(line.begin(), line.end(), '\t', ' ');
    // Split drops empty pieces, so the codes hold no blanks and need no trimming.
    const auto codes = Split(std::string_view(line).substr(0, apostrophe), " ");
    if (codes.size() != 2) continue;
    const std::string rkt = upperText(codes[0]);
    const std::string hbt = upperText(codes[1]);
    // A key already present keeps its first entry; each direction on its own.
    if (!byRkt_.Find(rkt)) byRkt_.Add(std::make_shared<std::string>(hbt), rkt);
    if (!byHbt_.Find(hbt)) byHbt_.Add(std::make_shared<std::string>(rkt), hbt);
  }
}

std::string LineCodeMap::lookup(const CodeMap& map, const Value& code) {
  try {
    if (code.isText()) {
      const auto found = map.Find(code.text());
      return found ? *found : std::string();
    }
    return *map.Item(code.toInt32(kSource));
  } catch (const EngineError&) {
    return {};
  }
}

std::string LineCodeMap::hBTLineCode(const Value& rktLineCode) const { return lookup(byRkt_, rktLineCode); }

std::string LineCodeMap::rktLineCode(const Value& hBTLineCode) const { return lookup(byHbt_, hBTLineCode); }

std::string distributorLineCode(const LineCodeMap& lineCodes, const std::string& dealerCode) {
  std::string mapped = lineCodes.rktLineCode(Value(dealerCode));
  if (Trun(mapped, 1).empty()) return dealerCode;
  return mapped;
}

}  // namespace velta
