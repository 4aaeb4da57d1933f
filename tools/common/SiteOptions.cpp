#include "tools/common/SiteOptions.h"

namespace velta::tools {

void addSiteOptions(CLI::App& app, SiteOverrides& site) {
  app.add_option("--root", site.root, "Folder that serves every \\\\SERVER\\SHARE as DIR/SERVER/SHARE (as VELTA_UNC_ROOT)")
      ->type_name("DIR");
  app.add_option("--shares", site.shares, "Share map file (as VELTA_SHARES)")->type_name("FILE");
  app.add_option("--server", site.server, "File server of the business system (cSystem.mUNCDrive)")->type_name("NAME");
  app.add_option("--directory", site.directory, "Dealer directory under the link share (cSystem.mDirectory)")
      ->type_name("NAME");
}

}  // namespace velta::tools
