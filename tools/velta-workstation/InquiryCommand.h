// velta-workstation inquiry: the inquiry control's command.
#pragma once

#include "tools/velta-workstation/Commands.h"

namespace velta::workstation {

// inquiry --vendor N --line L --part P --qty Q [--desc D] [--extra LINE:PART:QTY]... [--search]
void addInquiryCommand(CLI::App& app, CommandAction& action);

}  // namespace velta::workstation
