// For the window's and the screenshots' tests: a sample business system whose
// distributor is the real velta-distributor, started on free loopback ports
// and stopped with the site, and both control libraries pointed at it (share
// root, settings folder, per-user settings, clock at 2026-12-08 21:05:07).
//
//   SampleSite site(dir / "site", {"--fault", "exception@order"});
//   site.use();
//   MainWindow window({settings, site.overrides(), {}});
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "records/SiteOverrides.h"
#include "support/DistributorProcess.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta::test {

class SampleSite {
 public:
  // `simulatorArguments` come after the catalog, the clock and the state of
  // the distributor, which remembers order 100232 as sent before.
  SampleSite(const std::filesystem::path& folder, const std::vector<std::string>& simulatorArguments = {});
  ~SampleSite();

  // Both libraries and the environment (TMPDIR, XDG_CONFIG_HOME) now read this site.
  void use() const;

  const sample::SampleBusinessSystem& business() const { return business_; }
  DistributorProcess& distributor() { return *distributor_; }
  int port(distributor::Service service) const { return distributor_->port(service); }
  SiteOverrides overrides() const;

 private:
  sample::SampleBusinessSystem business_;
  std::unique_ptr<DistributorProcess> distributor_;
};

}  // namespace velta::test
