// velta-workstation with the inquiry command alone, for the inquiry control's
// end-to-end tests on this branch; velta-workstation itself registers the
// command beside "order" (tools/velta-workstation/main.cpp).
#include <CLI/CLI.hpp>

#include <iostream>

#include "tools/velta-workstation/Host.h"
#include "tools/velta-workstation/InquiryCommand.h"

int main(int argc, char** argv) {
  CLI::App app{"velta-workstation: the controls on the business system, as a dealer's host shows them"};
  app.require_subcommand(1);
  velta::workstation::CommandAction action;
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
