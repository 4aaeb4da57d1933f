#include "workstation/SampleSite.h"

#include <QDateTime>
#include <csignal>
#include <fstream>

#include "tools/sample/DistributorCatalog.h"
#include "tools/velta-workstation/LibrarySetup.h"

namespace velta::test {

namespace {

namespace fs = std::filesystem;

sample::SampleOptions sampleOptions() {
  sample::SampleOptions options;
  options.parts = 200;
  return options;
}

// Purchase order 100232 of the sample was sent before: the distributor holds it.
const char* const kState =
    R"({"nextOrderNumber": 700002, "orders": [{"account": "104233", "po": "100232", "orderNumber": "700001",
        "poDate": "20261201", "received": "20261201", "shipMethod": "C", "backOrderCode": "1",
        "backOrderShip": " ", "resale": false, "shipDate": "",
        "lines": [{"lineOrdered": "FIL", "partOrdered": "1A0007", "quantity": 12, "line": "FIL",
                   "part": "1A0007", "description": "OIL FILTER, SPIN ON", "cost": "7.12", "backOrderCode": "1",
                   "shipments": [{"warehouse": "01", "name": "FORT WAYNE, IN", "quantity": 10},
                                 {"warehouse": "02", "name": "INDIANAPOLIS, IN", "quantity": 2}],
                   "backOrdered": 0, "reason": "", "available": ""}]}]})";

}  // namespace

SampleSite::SampleSite(const fs::path& folder, const std::vector<std::string>& simulatorArguments) {
  const auto catalogSample = sample::writeSampleBusinessSystem(folder / "catalog", sampleOptions());
  const fs::path catalog = sample::writeDistributorCatalog(catalogSample);
  const fs::path state = folder / "distributor-state.json";
  std::ofstream(state, std::ios::binary) << kState;
  std::vector<std::string> arguments{"--catalog", catalog.string(), "--clock", "2026-12-08T21:05:09",
                                     "--state", state.string()};
  arguments.insert(arguments.end(), simulatorArguments.begin(), simulatorArguments.end());
  distributor_ = std::make_unique<DistributorProcess>(arguments);
  auto options = sampleOptions();
  options.distributor.host = "127.0.0.1";
  options.distributor.orderPort = port(distributor::Service::Order);
  options.distributor.statusPort = port(distributor::Service::Status);
  options.distributor.inquiryPort = port(distributor::Service::Inquiry);
  business_ = sample::writeSampleBusinessSystem(folder / "biz", options);
}

SampleSite::~SampleSite() {
  if (distributor_) distributor_->stop(SIGTERM);
}

SiteOverrides SampleSite::overrides() const {
  SiteOverrides site;
  site.root = business_.root.string();
  return site;
}

void SampleSite::use() const {
  qputenv("TMPDIR", QByteArray::fromStdString(business_.tmpDir().string()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(business_.configHome().string()));
  qunsetenv("VELTA_UNC_ROOT");
  qunsetenv("VELTA_SHARES");
  const QDateTime start(QDate(2026, 12, 8), QTime(21, 5, 7));
  workstation::setUpOrderLibrary(overrides(), start);
  workstation::setUpInquiryLibrary(overrides(), start);
}

}  // namespace velta::test
