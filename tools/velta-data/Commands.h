// The subcommands of velta-data, registered by group. Each group adds its
// subcommands and sets, through the context, what runs when one is chosen.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <stdexcept>
#include <string>

#include "base/EngineError.h"
#include "engine/cLogicalFile.h"
#include "records/SiteOverrides.h"

namespace velta::tools {

// Bad arguments found after parsing (a malformed hex string, say): exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What the user asked for is not there (a vendor or line that is not found): exit status 1.
struct NotFound : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// An engine error with the tool's own diagnosis of it: main prints the engine's
// line unchanged, then the diagnosis on a line of its own beginning with two blanks.
struct DiagnosedError : EngineError {
  DiagnosedError(const EngineError& error, std::string why) : EngineError(error), diagnosis(std::move(why)) {}
  std::string diagnosis;
};

// The global options: where the business system lies (--root, --shares,
// --server, --directory; tools/common/SiteOptions.h).
using GlobalOptions = SiteOverrides;

struct CommandContext {
  GlobalOptions global;
  // What the chosen subcommand does; set by its callback, run after parsing.
  std::function<void()> action;
  void run() const {
    if (action) action();
  }
};

// Applies the global options and reads the workstation's settings file
// (LoadSiteSettings; --server and --directory override what it says): share
// access and the system object are then set, and the engine has tried to start.
void openSite(const CommandContext& context);
// openSite, and the engine must have started with its registries (else 91 with
// the reason). Subcommands that read the business system's files call it first.
void openBusinessSystem(const CommandContext& context);
// 91 with the reason when the engine did not start or has no registries.
void requireEngine();

// site: the settings file and the engine's start-up, field by field
void addSiteCommands(CLI::App& app, CommandContext& context);

// pack, unpack, packdate, unpackdate, crm, ucm
void addCodecCommands(CLI::App& app, CommandContext& context);
// token
void addLinkCommands(CLI::App& app, CommandContext& context);
// journal: the exchange journal of a workstation
void addJournalCommands(CLI::App& app, CommandContext& context);

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

// vendor, line, lines, linecode, mac
void addRecordCommands(CLI::App& app, CommandContext& context);

// Hex text of a record string, lower case; and back (UsageError when malformed).
std::string toHex(std::string_view bytes);
std::string fromHex(std::string_view hex);

// Text as printed: bytes outside printable ASCII as \xNN (lower-case hex).
std::string printable(std::string_view text);

}  // namespace velta::tools
