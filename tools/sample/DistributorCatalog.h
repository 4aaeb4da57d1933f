// The distributor's side of the sample: the catalog that velta-distributor
// answers from, made to match the sample business system. Its accounts are
// the dealer's account in the distributor's vendor record; its line codes are
// the distributor's (RKT) codes of the line-code map; its parts are the
// sample's, each under the RKT code of its product line and spelt as the
// order control sends it (with its dashes). The catalog's format is described
// at the top of tools/velta-distributor/CatalogFile.h.
//
//   const fs::path file = writeDistributorCatalog(sample);   // DIR/distributor/catalog.json
//   std::string json = distributorCatalogJson(sample.catalog);
//
// Stock, prices and availability come from each part's place in the key
// order, so a catalog written twice is the same: about one part in eight has
// no stock anywhere, the others lie in one, two or three of the warehouses
// "01" (Fort Wayne), "02" and "03". Parts of the sample's purchase orders
// that the part file does not hold are not in the catalog either. A sample of
// more than kCatalogParts parts gets an even selection of them, and every
// part its purchase orders name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sample/SampleBusinessSystem.h"

namespace velta::sample {

inline constexpr int64_t kCatalogParts = 5000;

// The indexes (in key order) of the parts the catalog holds, ascending.
std::vector<int64_t> distributorCatalogParts(const SampleCatalog& catalog);

// One part's entry as the catalog writes it, for the tests: warehouse codes
// with their quantities (only those above 0), and the rest.
struct DistributorStock {
  std::vector<std::pair<std::string, int32_t>> stock;
  int availableInDays = 0;
  bool factoryBackOrder = false;
};
DistributorStock distributorStock(const SamplePart& part);

std::string distributorCatalogJson(const SampleCatalog& catalog);

std::filesystem::path distributorCatalogFile(const SampleBusinessSystem& sample);
// Writes the catalog beside the sample's folders; gives its path.
std::filesystem::path writeDistributorCatalog(const SampleBusinessSystem& sample);

// What keeps `host` out of the vendor record's host field (15 characters of
// the compression alphabet: upper-case letters, digits, " ,/."), or none.
std::optional<std::string> distributorHostProblem(std::string_view host);

}  // namespace velta::sample
