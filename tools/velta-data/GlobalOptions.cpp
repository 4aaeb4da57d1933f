#include "tools/velta-data/Commands.h"

namespace velta::tools {

void addGlobalOptions(CLI::App& app, CommandContext& context) {
  auto& g = context.global;
  app.add_option("--root", g.root, "Folder that serves every \\\\SERVER\\SHARE as DIR/SERVER/SHARE (as VELTA_UNC_ROOT)")
      ->type_name("DIR");
  app.add_option("--shares", g.shares, "Share map file (as VELTA_SHARES)")->type_name("FILE");
  app.add_option("--server", g.server, "File server of the business system (cSystem.mUNCDrive)")->type_name("NAME");
  app.add_option("--directory", g.directory, "Dealer directory under the link share (cSystem.mDirectory)")
      ->type_name("NAME");
}

}  // namespace velta::tools
