// The subcommands of velta-data, registered by group. Each group adds its
// subcommands and sets, through the context, what runs when one is chosen.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <stdexcept>
#include <string>

#include "records/cLogicalFile.h"

namespace velta::tools {

// Bad arguments found after parsing (a malformed hex string, say): exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The global options: where the business system lies.
struct GlobalOptions {
  std::string root;       // --root DIR: as VELTA_UNC_ROOT
  std::string shares;     // --shares FILE: as VELTA_SHARES
  std::string server;     // --server NAME: cSystem.mUNCDrive
  std::string directory;  // --directory NAME: cSystem.mDirectory
};

struct CommandContext {
  GlobalOptions global;
  // What the chosen subcommand does; set by its callback, run after parsing.
  std::function<void()> action;
  void run() const {
    if (action) action();
  }
};

// Registers the global options on the application.
void addGlobalOptions(CLI::App& app, CommandContext& context);
// Applies the global options: share access, the system object, the engine's
// registries. Subcommands that read the business system call it first.
void openBusinessSystem(const CommandContext& context);

// pack, unpack, packdate, unpackdate, crm, ucm
void addCodecCommands(CLI::App& app, CommandContext& context);
// token
void addLinkCommands(CLI::App& app, CommandContext& context);

// info, read, delete: logical files by name
void addFileCommands(CLI::App& app, CommandContext& context);
// find, walk, count, klength: keyed index navigation
void addIndexCommands(CLI::App& app, CommandContext& context);

// The logical file of that name (after openBusinessSystem); a name that
// resolves to nothing is the engine's -10 with the reason added, and with
// `needsData` a data file that cannot be opened is 91.
LogicalFileHandle openLogical(const std::string& name, bool needsData);

// sample DIR: write a sample business system
void addSampleCommands(CLI::App& app, CommandContext& context);

// Hex text of a record string, lower case; and back (UsageError when malformed).
std::string toHex(std::string_view bytes);
std::string fromHex(std::string_view hex);

}  // namespace velta::tools
