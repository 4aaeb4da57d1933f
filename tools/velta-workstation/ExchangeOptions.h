// The flags of the deadlines and the journal folder, shared by the main window
// and both commands: --connect-timeout, --answer-timeout, --journal, --no-journal.
//
//   ExchangeFlags flags;
//   addExchangeOptions(*command, flags);
//   ...
//   applyExchangeSettings(control, exchangeSettings(flags, settingsFile(hostOptions)));
#pragma once

#include <CLI/CLI.hpp>

#include "tools/velta-workstation/ExchangeSettings.h"

namespace velta::workstation {

void addExchangeOptions(CLI::App& command, ExchangeFlags& flags);

}  // namespace velta::workstation
