#include <iostream>

#include "engine/EngineState.h"
#include "engine/cSystem.h"
#include "records/SiteState.h"
#include "records/cEpcInfo.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

void showSite(const CommandContext& context) {
  openSite(context);
  const auto& state = engineState();
  const cEpcInfo& info = *siteState().epcInfo;
  std::cout << "cEpcInfo.Server=" << info.Server << "\n"
            << "cEpcInfo.DataShare=" << info.DataShare << "\n"
            << "cEpcInfo.CatalogShare=" << info.CatalogShare << "\n"
            << "cEpcInfo.Directory=" << info.Directory << "\n"
            << "cEpcInfo.TerminalID=" << info.TerminalID << "\n"
            << "cEpcInfo.CustomerNumber=" << info.CustomerNumber << "\n";
  const cSystem& system = *state.system;
  std::cout << "cSystem.mUNCDrive=" << system.mUNCDrive << "\n"
            << "cSystem.mDirectory=" << system.mDirectory << "\n"
            << "cSystem.TerminalID=" << system.TerminalID << "\n"
            << "cSystem.ComputerName=" << system.ComputerName << "\n"
            << "cSystem.IP=" << system.IP << "\n"
            << "cSystem.xtermid=" << system.xtermid << "\n"
            << "cSystem.HBTSLNK=" << system.HBTSLNK() << "\n"
            << "cSystem.CATCON=" << system.CATCON() << "\n"
            << std::flush;
  requireEngine();
}

}  // namespace

void addSiteCommands(CLI::App& app, CommandContext& context) {
  auto* site = app.add_subcommand(
      "site",
      "Read the workstation's settings file ($TMPDIR/hBTCatalog.ini), start the engine and print the site "
      "configuration and the system object, one field a line");
  site->callback([&context] { context.action = [&context] { showSite(context); }; });
}

}  // namespace velta::tools
