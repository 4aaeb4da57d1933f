#include "tools/velta-data/Commands.h"

namespace velta::tools {

void addCodecCommands(CLI::App&, CommandContext&) {}

}  // namespace velta::tools
