// The commands of velta-workstation. Each registers itself on the application
// and sets, when chosen, what runs once the command line is parsed.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>

namespace velta::workstation {

// What the chosen command runs, given the program's arguments (for Qt); its
// result is the exit status.
using CommandAction = std::function<int(int& argc, char** argv)>;

// order --po NUMBER: the order control on one purchase order.
void addOrderCommand(CLI::App& app, CommandAction& action);

}  // namespace velta::workstation
