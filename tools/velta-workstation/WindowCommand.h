// velta-workstation without a command: the main window, as a dealer uses it.
#pragma once

#include "tools/velta-workstation/Commands.h"

namespace velta::workstation {

// The window's options on the program itself (--root, --shares, --server,
// --directory, --settings, --journal, --connect-timeout, --answer-timeout),
// and the window as what runs when no command is chosen.
void addWindowOptions(CLI::App& app, CommandAction& action);

}  // namespace velta::workstation
