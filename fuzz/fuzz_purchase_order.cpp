// The order control's loading of a purchase-order file of arbitrary bytes,
// against the vendor, part and product-line files of a small sample business
// system: the load finishes or stops with an engine error, and never crashes,
// reads past a record or shows more rows than the file has line records.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "order/PurchaseOrderLoader.h"
#include "records/SiteOverrides.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace {

struct CountingView : velta::PurchaseOrderView {
  void clearRows() override { rows = 0; }
  void setRepaint(bool) override {}
  void setActions(bool, bool) override {}
  void showHeader(int index, const std::string&) override {
    if (index < 0 || index > 8) std::abort();
  }
  void showPorts(const std::string&) override {}
  void showDropShip(bool) override {}
  void addRow(const std::string&) override { ++rows; }
  std::size_t rows = 0;
};

std::filesystem::path sampleDir;

void removeSample() {
  std::error_code ignored;
  std::filesystem::remove_all(sampleDir, ignored);
}

std::filesystem::path orderFile() {
  static const std::filesystem::path path = [] {
    char pattern[] = "/tmp/velta-fuzz-po-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    sampleDir = pattern;
    std::atexit(removeSample);
    const std::filesystem::path& dir = sampleDir;
    velta::sample::SampleOptions options;
    options.parts = velta::sample::PartCatalog::kMinimumParts;
    const auto sample = velta::sample::writeSampleBusinessSystem(dir, options);
    setenv("TMPDIR", sample.tmpDir().c_str(), 1);
    velta::SiteOverrides site;
    site.root = sample.root.string();
    velta::configureShares(site);
    velta::openSite(site);
    if (!velta::engineState().engine) std::abort();
    return sample.linkShare() / sample.directory / "FUZZPO";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::filesystem::path path = orderFile();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CountingView view;
  velta::DistributorConnection connection;
  velta::PurchaseOrderLoader loader(velta::engineState().engine, view, connection);
  try {
    loader.load("FUZZPO");
  } catch (const velta::EngineError&) {
    // A file the engine cannot read is reported, as the control reports it.
  }
  const std::size_t records = size / velta::PurchaseOrderLoader::kRecordLength;
  if (records > 7 && view.rows > records - 7) std::abort();
  return 0;
}
