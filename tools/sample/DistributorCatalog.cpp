#include "tools/sample/DistributorCatalog.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <set>
#include <system_error>

#include <nlohmann/json.hpp>

#include "base/CompressedText.h"

namespace velta::sample {

namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

constexpr std::size_t kHostCharacters = 15;  // POWER_EDI_ID_NUMBER: 10 bytes of compressed text
constexpr int32_t kChemicalsLine = 103;      // sold by the case of six
constexpr int32_t kCasePack = 6;

struct WarehouseRow {
  const char* code;
  const char* name;
};
const WarehouseRow kWarehouses[] = {{"01", "FORT WAYNE, IN"}, {"02", "INDIANAPOLIS, IN"}, {"03", "TOLEDO, OH"}};

// A fixed scramble of a part's index, so that stock looks scattered yet is the same every time.
uint64_t scramble(uint64_t x) {
  x ^= 0xD1B54A32D192ED03ull;
  x = (x ^ (x >> 33)) * 0xFF51AFD7ED558CCDull;
  x = (x ^ (x >> 33)) * 0xC4CEB9FE1A85EC53ull;
  return x ^ (x >> 33);
}

std::string money(int32_t cents) {
  const std::string fraction = std::to_string(cents % 100);
  return std::to_string(cents / 100) + "." + (fraction.size() == 1 ? "0" : "") + fraction;
}

std::string trimmedRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// The index of the part with `key` in key order, or none.
std::optional<int64_t> indexOfKey(const PartCatalog& parts, const std::string& key) {
  int64_t low = 0, high = parts.count();
  while (low < high) {
    const int64_t mid = low + (high - low) / 2;
    if (parts.part(mid).key() < key) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (low < parts.count() && parts.part(low).key() == key) return low;
  return std::nullopt;
}

ordered_json partJson(const SamplePart& part) {
  const DistributorStock stock = distributorStock(part);
  ordered_json entry{{"part", trimmedRight(part.dashed())},
                     {"description", part.description},
                     {"retail", money(part.listCents)},
                     {"cost", money(part.costCents)}};
  if (part.line == kChemicalsLine) entry["pack"] = kCasePack;
  ordered_json quantities = ordered_json::object();
  for (const auto& [code, quantity] : stock.stock) quantities[code] = quantity;
  entry["stock"] = quantities;
  entry["availableInDays"] = stock.availableInDays;
  if (stock.factoryBackOrder) entry["factoryBackOrder"] = true;
  return entry;
}

}  // namespace

std::vector<int64_t> distributorCatalogParts(const SampleCatalog& catalog) {
  const PartCatalog& parts = catalog.parts;
  std::set<int64_t> chosen;
  const int64_t step = (parts.count() + kCatalogParts - 1) / kCatalogParts;
  for (int64_t i = 0; i < parts.count(); i += step) chosen.insert(i);
  for (const SamplePurchaseOrder& po : catalog.purchaseOrders) {
    for (const SamplePoLine& line : po.lines) {
      if (line.kind != PoLineKind::Part || !line.inPartFile) continue;
      if (auto index = indexOfKey(parts, line.partKey())) chosen.insert(*index);
    }
  }
  return {chosen.begin(), chosen.end()};
}

DistributorStock distributorStock(const SamplePart& part) {
  const uint64_t h = scramble(static_cast<uint64_t>(part.index));
  const auto some = [&](int shift, int32_t most) { return 1 + static_cast<int32_t>((h >> shift) % most); };
  DistributorStock s;
  switch (h % 8) {
    case 0: break;  // none anywhere
    case 1:
    case 2:
    case 3: s.stock = {{"01", part.onHand > 0 ? part.onHand : some(8, 40)}}; break;
    case 4:
    case 5: s.stock = {{"01", some(8, 12)}, {"02", 4 + some(16, 30)}}; break;
    case 6: s.stock = {{"02", some(8, 20)}, {"03", some(16, 20)}}; break;
    default: s.stock = {{"01", some(8, 6)}, {"02", some(16, 10)}, {"03", some(24, 25)}}; break;
  }
  s.availableInDays = 2 + static_cast<int>((h >> 32) % 12);
  s.factoryBackOrder = s.stock.empty() && (h >> 40) % 4 == 0;
  return s;
}

std::string distributorCatalogJson(const SampleCatalog& catalog) {
  const SampleVendor& distributor = catalog.distributor();
  ordered_json warehouses = ordered_json::array();
  for (const WarehouseRow& w : kWarehouses) warehouses.push_back({{"code", w.code}, {"name", w.name}});
  const ordered_json accounts =
      ordered_json::array({{{"account", distributor.DEALER_ACCOUNT}, {"name", "THE SAMPLE DEALER"}}});

  std::vector<std::vector<std::string>> partsOfLine(catalog.lines.size());
  for (int64_t index : distributorCatalogParts(catalog)) {
    const SamplePart part = catalog.parts.part(index);
    for (std::size_t l = 0; l < catalog.lines.size(); ++l) {
      if (catalog.lines[l].Line == part.line) partsOfLine[l].push_back(partJson(part).dump());
    }
  }
  // One part a line, so that a person can read and edit the file; every value
  // is written by the JSON library.
  std::string text = "{\n \"distributor\": " + ordered_json(distributor.VENDOR_NAME).dump() + ",\n" +
                     " \"warehouses\": " + warehouses.dump() + ",\n" + " \"accounts\": " + accounts.dump() +
                     ",\n" + " \"lines\": [";
  bool firstLine = true;
  for (std::size_t l = 0; l < catalog.lines.size(); ++l) {
    const SampleLine& line = catalog.lines[l];
    if (line.rktCode.empty()) continue;  // the dealer's own lines: the distributor has no code for them
    text += firstLine ? "\n" : ",\n";
    firstLine = false;
    text += "  {\"code\": " + ordered_json(line.rktCode).dump() + ", \"name\": " + ordered_json(line.Line_Name).dump() +
            ", \"parts\": [";
    for (std::size_t p = 0; p < partsOfLine[l].size(); ++p) text += (p == 0 ? "\n   " : ",\n   ") + partsOfLine[l][p];
    text += "]}";
  }
  text += "\n ]\n}\n";
  return text;
}

fs::path distributorCatalogFile(const SampleBusinessSystem& sample) {
  return sample.root / "distributor" / "catalog.json";
}

fs::path writeDistributorCatalog(const SampleBusinessSystem& sample) {
  const fs::path file = distributorCatalogFile(sample);
  fs::create_directories(file.parent_path());
  const std::string text = distributorCatalogJson(sample.catalog);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw fs::filesystem_error("cannot write", file, std::error_code(errno, std::generic_category()));
  return file;
}

std::optional<std::string> distributorHostProblem(std::string_view host) {
  const std::string shown = "the distributor's host \"" + std::string(host) + "\"";
  if (host.empty()) return shown + " is empty";
  if (host.size() > kHostCharacters) {
    return shown + " is longer than the " + std::to_string(kHostCharacters) + " characters the vendor record holds";
  }
  for (char c : host) {
    if (kDefaultCompressionAlphabet.find(c) == std::string_view::npos) {
      return shown + " holds \"" + std::string(1, c) +
             "\", which the vendor record cannot hold (upper-case letters, digits, blank, \",\", \"/\" and \".\")";
    }
  }
  return std::nullopt;
}

}  // namespace velta::sample
