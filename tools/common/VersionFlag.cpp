#include "tools/common/VersionFlag.h"

#include <velta/version.h>

namespace velta::tools {

std::string versionLine(const std::string& program) { return program + " " VELTA_VERSION_STRING; }

void addVersionFlag(CLI::App& app, const std::string& program) {
  app.set_version_flag("--version", versionLine(program), "Print the program's name and version, and exit");
}

}  // namespace velta::tools
