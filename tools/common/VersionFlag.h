// --version of the command-line tools: one line, the program's name and the
// project's version ("velta-data 0.3.0"), on standard output, exit status 0.
//
//   addVersionFlag(app, "velta-data");   // then app.parse(...); app.exit(e) prints it
#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace velta::tools {

// The line --version prints, without its line end.
std::string versionLine(const std::string& program);

// Registers --version on `app`: parsing it throws CLI::CallForVersion carrying versionLine(program).
void addVersionFlag(CLI::App& app, const std::string& program);

}  // namespace velta::tools
