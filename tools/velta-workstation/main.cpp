// velta-workstation: a small host of the controls, as a dealer's workstation
// software embeds them. Without a command it opens the main window (both
// controls, the journal, the status bar); every command has --help.
//
//   velta-workstation --root /srv/sample --journal ~/velta-journal
//   velta-workstation order --po 100231 --headless --show-loaded
//   velta-workstation inquiry --vendor 1207 --line FLT --part 1A0013 --qty 2 --search --headless
//
// Exit status: 0 the control raised controlShutdown, or the load finished
// (the main window: it was closed); 1 the host itself failed (no display and
// no --headless, a settings file it cannot write); 2 bad usage; 3 the run
// ended without controlShutdown where one was expected. Standard output
// carries only the transcript (headless); diagnostics go to standard error.
#include <CLI/CLI.hpp>

#include <iostream>

#include "tools/common/VersionFlag.h"
#include "tools/velta-workstation/Commands.h"
#include "tools/velta-workstation/Host.h"
#include "tools/velta-workstation/InquiryCommand.h"
#include "tools/velta-workstation/WindowCommand.h"

int main(int argc, char** argv) {
  CLI::App app{"velta-workstation: the controls on the business system, as a dealer's host shows them.\n"
               "Without a command it opens the main window (a display is needed): the order control and the "
               "inquiry control under the fields a host sets, the exchange journal, and a status bar naming the "
               "business system and the distributor. The options below are the window's; each command has its own."};
  app.require_subcommand(0, 1);
  velta::tools::addVersionFlag(app, "velta-workstation");
  velta::workstation::CommandAction action;
  velta::workstation::addWindowOptions(app, action);
  velta::workstation::addOrderCommand(app, action);
  velta::workstation::addInquiryCommand(app, action);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? velta::workstation::kDone : velta::workstation::kBadUsage;
  }
  try {
    return action(argc, argv);
  } catch (const velta::workstation::HostError& e) {
    std::cerr << "velta-workstation: " << e.what() << "\n";
    return e.exitStatus;
  } catch (const std::exception& e) {
    std::cerr << "velta-workstation: " << e.what() << "\n";
    return velta::workstation::kHostFailed;
  }
}
